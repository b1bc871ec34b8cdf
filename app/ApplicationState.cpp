#include "app/ApplicationState.h"

#include "app/Logger.h"
#include "network/NetworkManager.h"
#include "network/RequestCheckUpgradeTorvo.h"
#include "network/RequestConnectionStatus.h"
#include "network/RequestKKTList.h"
#include "network/RequestKKTStatus.h"
#include "network/RequestLMSettings.h"
#include "network/RequestLMStatus.h"
#include "network/RequestTorvoList.h"
#include "network/RequestTorvoStatus.h"

namespace {

// The device a status reply was asked for.
QString replyDevice(const DeviceRequest* request)
{
    return request->getDevice();
}

QString replyDevice(const RequestKKTStatus* request)
{
    return request->getSerial();
}

QString replyDevice(const ServiceRequest*)
{
    return QString();
}

} // namespace

ApplicationState* ApplicationState::getInstance()
{
    static ApplicationState instance;
    return &instance;
}

void ApplicationState::setCurrentDevice(const QString& serial)
{
    if (serial == currentDevice) {
        return;
    }
    currentDevice = serial;
    logDebug(QStringLiteral("Изменено выбранное устройство: ") + serial);
    emit deviceChanged(serial);
    refreshInfo();
}

void ApplicationState::addDevices(const QStringList& list)
{
    for (const QString& device : list) {
        if (!devices.contains(device)) {
            devices.append(device);
            logDebug(QStringLiteral("Добавлено устройство: ") + device);
        }
    }
    emit deviceListChanged(devices);
}

void ApplicationState::clearDevices()
{
    if (devices.isEmpty()) {
        return;
    }
    devices.clear();
    logDebug(QStringLiteral("Очищен список устройств"));
    emit deviceListChanged(devices);
}

void ApplicationState::refreshDeviceList()
{
    logDebug(QStringLiteral("Обновление списка устройств"));
    clearDevices();
    refreshDeviceKktList();
    refreshDeviceTorvoList();
}

void ApplicationState::refreshInfo()
{
    logDebug(QStringLiteral("Запрос обновления полной информации ..."));
    if (currentDevice.isEmpty()) {
        Logger::getInstance()->error("Не выбрано устройство");
        return;
    }
    refreshConnectionStatus();
    refreshLmStatus();
    refreshTorvoStatus();
    refreshKktStatus();
    refreshLmSettings();
    refreshCheckUpgradeTorvo();
}

bool ApplicationState::isStale(const QString& replyDevice, const char* subject) const
{
    if (replyDevice == currentDevice) {
        return false;
    }
    logDebug(QStringLiteral("Ответ на запрос %1 для устройства %2 пропущен: выбрано устройство %3")
                 .arg(QString::fromUtf8(subject), replyDevice, currentDevice));
    return true;
}

template <typename R, typename OnSuccess, typename OnError>
R* ApplicationState::prepare(const char* startText, const char* subject, bool statusRequest,
                             OnSuccess onSuccess, OnError onError)
{
    logDebug(QString::fromUtf8(startText));
    auto* request = new R(this);
    const QString subjectText = QString::fromUtf8(subject);
    connect(
        request, &BaseReply::success, request,
        [this, subjectText, subject, statusRequest, onSuccess](BaseReply* reply) {
            logDebug(QStringLiteral("Обработка ответа на запрос ") + subjectText +
                     QStringLiteral(": success"));
            if (!reply) {
                return;
            }
            if (auto* typed = qobject_cast<R*>(reply)) {
                if (!statusRequest || !isStale(replyDevice(typed), subject)) {
                    onSuccess(typed);
                }
            }
            reply->deleteLater();
        },
        Qt::DirectConnection);
    connect(
        request, &BaseReply::error, request,
        [this, subjectText, subject, statusRequest, onError](const QString& message, BaseReply* reply) {
            logDebug(QStringLiteral("Обработка ответа на запрос ") + subjectText +
                     QStringLiteral(": error: `") + message + QStringLiteral("`"));
            auto* typed = qobject_cast<R*>(reply);
            if (!statusRequest || !typed || !isStale(replyDevice(typed), subject)) {
                onError();
            }
            if (reply) {
                reply->deleteLater();
            }
        },
        Qt::DirectConnection);
    return request;
}

void ApplicationState::refreshDeviceKktList()
{
    auto* request = prepare<RequestKKTList>(
        "Обновление списка устройств KKT", "списка ККТ", false,
        [this](RequestKKTList* reply) { addDevices(reply->getSerials()); }, [] {});
    NetworkManager::getInstance()->executeRequest(request);
}

void ApplicationState::refreshDeviceTorvoList()
{
    auto* request = prepare<RequestTorvoList>(
        "Обновление список устройств Torvo", "списка Torvo", false,
        [this](RequestTorvoList* reply) { addDevices(reply->getIds()); }, [] {});
    NetworkManager::getInstance()->executeRequest(request);
}

void ApplicationState::refreshConnectionStatus()
{
    auto apply = [this](const QString& gismtStatus, const QString& gismtLast,
                        const ModuleConnection& software, const QString& name, const QString& version) {
        gismtInfo.status = gismtStatus;
        gismtInfo.lastConnection = gismtLast;
        softwareInfo.status = software.status;
        softwareInfo.lastConnection = software.lastConnection;
        softwareInfo.name = name;
        softwareInfo.version = version;
        emit gismtStatusChanged();
        emit softwareStatusChanged();
    };
    auto* request = prepare<RequestConnectionStatus>(
        "Запрос обновления статуса соединения ...", "статуса соединения", true,
        [apply](RequestConnectionStatus* reply) {
            apply(reply->getGismt().status, reply->getGismt().lastConnection, reply->getSoftware(),
                  reply->getSoftwareName(), reply->getSoftwareVersion());
        },
        [apply] { apply(QString(), QString(), ModuleConnection(), QString(), QString()); });
    request->setDevice(currentDevice);
    NetworkManager::getInstance()->executeRequest(request);
}

void ApplicationState::refreshLmStatus()
{
    auto apply = [this](const QString& status, const QString& version, const QString& lastSync) {
        lmInfo.status = status;
        lmInfo.version = version;
        lmInfo.lastSync = lastSync;
        emit lmStatusChanged();
    };
    auto* request = prepare<RequestLMStatus>(
        "Запрос обновления статуса ЛМ ...", "статуса ЛМ", true,
        [apply](RequestLMStatus* reply) {
            apply(reply->getStatus(), reply->getVersion(), reply->getLastSync());
        },
        [apply] { apply(QString(), QString(), QString()); });
    request->setDevice(currentDevice);
    NetworkManager::getInstance()->executeRequest(request);
}

void ApplicationState::refreshTorvoStatus()
{
    auto apply = [this](bool registered, const QString& state, const QString& velkorId,
                        const QString& version, const QString& gismtVelkorId) {
        torvoInfo.registered = registered;
        torvoInfo.state = state;
        torvoInfo.velkorId = velkorId;
        torvoInfo.version = version;
        gismtInfo.gismtVelkorId = gismtVelkorId;
        emit torvoStatusChanged();
        emit gismtStatusChanged();
    };
    auto* request = prepare<RequestTorvoStatus>(
        "Запрос обновления статуса Torvo ...", "статуса Torvo", true,
        [apply](RequestTorvoStatus* reply) {
            apply(reply->isRegistered(), reply->getState(), reply->getVelkorId(), reply->getVersion(),
                  reply->getGismtVelkorId());
        },
        [apply] { apply(false, QString(), QString(), QString(), QString()); });
    request->setDevice(currentDevice);
    NetworkManager::getInstance()->executeRequest(request);
}

void ApplicationState::refreshKktStatus()
{
    auto apply = [this](const KktInfo& info) {
        kktInfo = info;
        emit kktStatusChanged();
    };
    auto* request = prepare<RequestKKTStatus>(
        "Запрос обновления статуса ККТ ...", "статуса ККТ", true,
        [apply](RequestKKTStatus* reply) {
            KktInfo info;
            info.modelName = reply->getModelName();
            info.kktSerial = reply->getKktSerial();
            info.fnSerial = reply->getFnSerial();
            info.kktRnm = reply->getKktRnm();
            info.kktInn = reply->getKktInn();
            info.shiftState = reply->getShiftState();
            apply(info);
        },
        [apply] { apply(KktInfo()); });
    request->setSerial(currentDevice);
    NetworkManager::getInstance()->executeRequest(request);
}

void ApplicationState::refreshLmSettings()
{
    auto apply = [this](const QString& address) {
        lmInfo.address = address;
        emit lmStatusChanged();
    };
    auto* request = prepare<RequestLMSettings>(
        "Запрос обновления настроек ЛМ ...", "настроек ЛМ", true,
        [apply](RequestLMSettings* reply) {
            apply(reply->getAddress() + QLatin1Char(':') + reply->getPort());
        },
        [apply] { apply(QString()); });
    request->setDevice(currentDevice);
    NetworkManager::getInstance()->executeRequest(request);
}

void ApplicationState::refreshCheckUpgradeTorvo()
{
    auto apply = [this](bool hasUpdate, const QString& package, const QString& version) {
        torvoInfo.hasUpdate = hasUpdate;
        torvoInfo.updatePackage = package;
        torvoInfo.updateVersion = version;
        emit torvoStatusChanged();
    };
    auto* request = prepare<RequestCheckUpgradeTorvo>(
        "Запрос обновления обновлений Torvo ...", "обновлений Torvo", true,
        [apply](RequestCheckUpgradeTorvo* reply) {
            apply(reply->hasUpdate(), reply->getPackage(), reply->getVersionName());
        },
        [apply] { apply(false, QString(), QString()); });
    request->setDevice(currentDevice);
    NetworkManager::getInstance()->executeRequest(request);
}
