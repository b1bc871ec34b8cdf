#pragma once

#include "app/ModuleInfo.h"
#include "app/ReadState.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class BaseReply;

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
    ReadState getReadState(StatusRead read) const { return reads[size_t(read)]; }
    // "Служба Torvo недоступна (127.0.0.1:<port>): …" while the list and status requests do not
    // reach the service; otherwise "Не удалось получить список касс: …" (or "… экземпляров
    // Torvo: …") while a list could not be read, or "Служба Torvo не сообщила ни одного
    // устройства: …" after a list round that found none; empty when all is well.
    QString getServiceProblem() const { return serviceProblem; }
    // Whether a round of the device lists, or of the selected device's state, is on its way.
    bool isListRoundRunning() const { return listRoundRunning; }
    bool isInfoRoundRunning() const { return infoRoundRunning; }

    // The selected device as it is when asked, for requests that must drop a late reply.
    static std::function<QString()> selection();

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
    void serviceProblemChanged(QString problem);
    // A round of the lists or of the state began or ended.
    void roundsChanged();

private:
    ApplicationState() = default;

    // Sends `request` as one of `round`. A status request (one of the `read`s) was addressed to
    // the selected device; its outcome is dropped once another device is selected.
    template <typename R, typename OnSuccess, typename OnError>
    void send(R* request, QList<QPointer<BaseReply>>& round, const char* subject,
              std::optional<StatusRead> read, OnSuccess onSuccess, OnError onError);
    // Ends what is left of an earlier round, so that a hung service cannot hold every connection.
    void cancelRound(QList<QPointer<BaseReply>>& round);
    // Announces a round that began or ended: one ends once its last request is gone.
    void noteRounds();
    // Forgets every record and lets every panel redraw empty.
    void clearRecords();
    // One of the two lists ended; `reply` says whether the service's list could be read at all.
    struct ListRead
    {
        QString failure;         // why the last request of this list failed; empty once it is read
        bool unreadable = false; // it failed on the way or in the reply, not for want of devices
    };
    void listEnded(ListRead& list, const BaseReply* reply, const QString& error);
    // The header line from what is known now: the service out of reach, a list that could not be
    // read, or lists that named no device at all.
    void updateServiceProblem();

    QString currentDevice;
    QStringList devices;
    TorvoInfo torvoInfo;
    GismtInfo gismtInfo;
    KktInfo kktInfo;
    LmInfo lmInfo;
    SoftwareInfo softwareInfo;
    std::array<ReadState, statusReadCount> reads;
    QString serviceProblem;
    QString unreachable; // the last failure on the way to the service, until the next answer
    ListRead kktList;
    ListRead torvoList;
    int listsPending = 0;
    bool listsEnded = false; // both lists of the last round have ended
    QList<QPointer<BaseReply>> statusRound;
    QList<QPointer<BaseReply>> listRound;
    bool listRoundRunning = false;
    bool infoRoundRunning = false;
};
