#pragma once

#include <QString>

class TestServer;

// What the loopback server reports for one device; every field lands in the application
// state's records once the device is selected.
struct DeviceScript
{
    QString device;

    // cash-register list entry whose serial is the device (no entry when `inKktList` is false)
    bool inKktList = true;
    QString modelName = QStringLiteral("АТОЛ 30Ф");
    QString fnSerial = QStringLiteral("9960440300000001");
    QString kktRnm = QStringLiteral("0000000001012345");
    QString kktInn = QStringLiteral("7700000000");
    QString shiftState = QStringLiteral("Открыта");

    // service instance
    QString torvoState = QStringLiteral("Не зарегистрирован");
    QString torvoVersion = QStringLiteral("1.4.2");
    QString velkorId = QStringLiteral("VK-0001");
    QString gismtVelkorId = QStringLiteral("GM-0001");
    QString updatePackage;
    QString updateVersion;

    // connection status: an error text wins, a last connection alone is "Стабильно", neither is
    // "Неизвестно"; a module switched off is absent from the reply
    bool hasGismt = true;
    QString gismtError;
    QString gismtLastConnection = QStringLiteral("2026-12-01 10:00:00");
    bool hasSoftware = true;
    QString softwareError;
    QString softwareLastConnection = QStringLiteral("2026-12-01 10:05:00");
    QString softwareName = QStringLiteral("Фронтол");
    QString softwareVersion = QStringLiteral("6.9");

    // ЛМ ЧЗ: status code and settings
    QString lmCode = QStringLiteral("ready");
    QString lmVersion = QStringLiteral("0.9.1");
    QString lmAddress = QStringLiteral("192.168.1.20");
    int lmPort = 5995;
};

namespace ServicePaths {
QString status(const QString& device);
QString lmStatus(const QString& device);
QString torvoStatus(const QString& device);
QString lmSettings(const QString& device);
QString update(const QString& device);
QString kktList();
} // namespace ServicePaths

// Scripts the six replies of a full refresh for `script.device`.
void scriptDevice(TestServer& server, const DeviceScript& script);

// Makes `device` the selected one and refreshes it (also when it already was selected); true once
// every reply has been handled.
bool selectDevice(const QString& device);

// True once no request of the client is on the wire any more.
bool waitForNetworkIdle();
