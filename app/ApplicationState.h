#pragma once

#include "app/ModuleInfo.h"

#include <QObject>
#include <QStringList>

class BaseReply;

// What the client knows about the service: the device list, the selected device and the five
// module records for it. Refreshes only on demand; every change is announced by a signal.
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

private:
    ApplicationState() = default;

    // Creates a request of type R with this object as parent, wires its two handlers and returns
    // it; the caller sets the inputs and sends it. For status requests (`device` non-null) a reply
    // addressed to a device that is no longer selected is dropped untouched.
    template <typename R, typename OnSuccess, typename OnError>
    R* prepare(const char* startText, const char* subject, bool statusRequest, OnSuccess onSuccess,
               OnError onError);
    bool isStale(const QString& replyDevice, const char* subject) const;

    QString currentDevice;
    QStringList devices;
    TorvoInfo torvoInfo;
    GismtInfo gismtInfo;
    KktInfo kktInfo;
    LmInfo lmInfo;
    SoftwareInfo softwareInfo;
};
