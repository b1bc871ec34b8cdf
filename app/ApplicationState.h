#pragma once

#include "app/ModuleInfo.h"
#include "app/ReadState.h"
#include "app/ServiceProblem.h"
#include "app/ServiceReach.h"
#include "app/StatusReads.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <QVector>

#include <functional>

class BaseReply;
class ListRetry;
class RequestCourse;

// What the client knows about the service: the device list, the selected device and the five
// module records for it. Refreshes only on demand; every change is announced by a signal. The
// records only ever hold what was read for the selected device.
class ApplicationState : public QObject
{
    Q_OBJECT

public:
    static ApplicationState* getInstance();

    QString getCurrentDevice() const { return currentDevice; }
    QStringList getDevices() const { return devices; }
    TorvoInfo getTorvoInfo() const { return torvoInfo; }
    GismtInfo getGismtInfo() const { return gismtInfo; }
    KktInfo getKktInfo() const { return kktInfo; }
    LmInfo getLmInfo() const { return lmInfo; }
    SoftwareInfo getSoftwareInfo() const { return softwareInfo; }
    // Whether the fields that `read` fills were read for the selected device, are on their way,
    // or could not be read, and why.
    ReadState getReadState(StatusRead read) const { return reads.at(int(read)); }
    // The reads that fill `module`'s record, in table order, each with the words that name its
    // part of the module's panel.
    QList<QPair<ReadState, QString>> readsOf(NotificationModule module) const;
    // What the header's line says; None when all is well.
    ServiceProblem getServiceProblem() const { return serviceProblem; }
    // Whether a round of the device lists, or of the selected device's state, is on its way.
    bool isListRoundRunning() const { return listRoundRunning; }
    bool isInfoRoundRunning() const { return infoRoundRunning; }

    // The signal that announces a change of `module`'s record.
    using RecordSignal = void (ApplicationState::*)();
    static RecordSignal recordChanged(NotificationModule module);

    // The course of a request about the selected device: its outcome is dropped once another
    // device is selected.
    static RequestCourse courseForSelection(QObject* context, const QString& subject);

    void setCurrentDevice(const QString& serial);
    void addDevices(const QStringList& list);
    void clearDevices();

    void refreshDeviceKktList();
    void refreshDeviceTorvoList();
    void refreshConnectionStatus();
    void refreshLmStatus();
    void refreshTorvoStatus();
    void refreshKktStatus();
    void refreshLmSettings();
    void refreshCheckUpgradeTorvo();

    // After the operator changed something of `device` on the service: reads it anew, so that
    // the panels show the change, as long as it is still the selected device.
    void refreshAfterChange(const QString& device);

public slots:
    void refreshDeviceList();
    void refreshInfo();

signals:
    void deviceChanged(QString deviceName);
    void deviceListChanged(QStringList devices);
    void gismtStatusChanged();
    void lmStatusChanged();
    void torvoStatusChanged();
    void kktStatusChanged();
    void softwareStatusChanged();
    void serviceProblemChanged(ServiceProblem problem);
    // A round of the lists or of the state began or ended.
    void roundsChanged();

private:
    ApplicationState();

    // Sends `request` as the status read `read` of the selected device: `partOf` takes what the
    // reply brought, `apply` writes it into the records; after a failure `apply` gets a part of
    // its own default, which is "nothing known". Either way the read's records are announced.
    template <typename R, typename Part>
    void sendStatusRead(StatusRead read, R* request, std::function<Part(R*)> partOf,
                        std::function<void(const Part&)> apply);
    // Sends one of the two device lists; a list read adds its devices.
    template <typename R>
    void sendList(R* request, ServiceReach::List list, const QString& subject,
                  std::function<QStringList(R*)> devicesOf);
    // Ends what is left of an earlier round, so that a hung service cannot hold every connection.
    void cancelRound(QList<QPointer<BaseReply>>& round);
    // Counts `request` in `round` until it is gone.
    void joinRound(QList<QPointer<BaseReply>>& round, BaseReply* request);
    // Announces a round that began or ended: one ends once its last request is gone.
    void noteRounds();
    // Forgets every record and lets every panel redraw empty.
    void clearRecords();

    // One of the two lists ended, with `error` when it failed.
    void listEnded(ServiceReach::List list, const BaseReply* reply, const QString& error);
    // The header line from what is known now.
    void updateServiceProblem();

    QString currentDevice;
    QStringList devices;
    TorvoInfo torvoInfo;
    GismtInfo gismtInfo;
    KktInfo kktInfo;
    LmInfo lmInfo;
    SoftwareInfo softwareInfo;
    QVector<ReadState> reads; // by StatusRead
    ServiceProblem serviceProblem;
    ServiceReach reach;
    ListRetry* listRetry = nullptr;
    QList<QPointer<BaseReply>> statusRound;
    QList<QPointer<BaseReply>> listRound;
    bool listRoundRunning = false;
    bool infoRoundRunning = false;
};
