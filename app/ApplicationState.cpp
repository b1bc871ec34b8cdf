#include "app/ApplicationState.h"

#include "app/Logger.h"
#include "network/RequestCheckUpgradeTorvo.h"
#include "network/RequestConnectionStatus.h"
#include "network/RequestKKTList.h"
#include "network/RequestKKTStatus.h"
#include "network/RequestLMSettings.h"
#include "network/RequestLMStatus.h"
#include "network/RequestSender.h"
#include "network/RequestTorvoList.h"
#include "network/RequestTorvoStatus.h"

#include <QUrl>

#include <algorithm>

ApplicationState* ApplicationState::getInstance()
{
    static ApplicationState instance;
    return &instance;
}

std::function<QString()> ApplicationState::selection()
{
    return [] {
        return getInstance()->getCurrentDevice();
    };
}

void ApplicationState::setCurrentDevice(const QString& serial)
{
    if (serial == currentDevice) {
        return;
    }
    currentDevice = serial;
    logDebug(QStringLiteral("Изменено выбранное устройство: ") + serial);
    // Nothing read for the previous device may stand under the new one's name, nor feed an action.
    reads.fill(ReadState{serial.isEmpty() ? ReadState::NotAsked : ReadState::Loading, QString()});
    clearRecords();
    emit deviceChanged(serial);
    refreshInfo();
}

void ApplicationState::clearRecords()
{
    torvoInfo = TorvoInfo();
    gismtInfo = GismtInfo();
    kktInfo = KktInfo();
    lmInfo = LmInfo();
    softwareInfo = SoftwareInfo();
    emit torvoStatusChanged();
    emit gismtStatusChanged();
    emit kktStatusChanged();
    emit lmStatusChanged();
    emit softwareStatusChanged();
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
    // A list still on its way from an earlier press would add to the new list.
    cancelRound(listRound);
    listsPending = 0;
    listsEnded = false;
    clearDevices();
    updateServiceProblem();
    refreshDeviceKktList();
    refreshDeviceTorvoList();
}

void ApplicationState::listEnded(ListRead& list, const BaseReply* reply, const QString& error)
{
    list.failure = error;
    list.unreadable = !error.isEmpty() && !reply->failedInContent();
    listsEnded = --listsPending == 0;
    updateServiceProblem();
}

void ApplicationState::updateServiceProblem()
{
    QString problem = unreachable;
    if (problem.isEmpty()) {
        QStringList unread;
        if (kktList.unreadable) {
            unread << QStringLiteral("Не удалось получить список касс: ") + kktList.failure;
        }
        if (torvoList.unreadable) {
            unread << QStringLiteral("Не удалось получить список экземпляров Torvo: ") + torvoList.failure;
        }
        problem = unread.join(QStringLiteral("; "));
    }
    // A service that answers with no device at all leaves every panel blank: the line says why.
    if (problem.isEmpty() && listsEnded && devices.isEmpty()) {
        QStringList said{kktList.failure, torvoList.failure};
        said.removeAll(QString());
        problem = QStringLiteral("Служба Torvo не сообщила ни одного устройства: ") +
                  said.join(QStringLiteral("; "));
    }
    if (problem != serviceProblem) {
        serviceProblem = problem;
        emit serviceProblemChanged(problem);
    }
}

void ApplicationState::refreshInfo()
{
    logDebug(QStringLiteral("Запрос обновления полной информации ..."));
    cancelRound(statusRound);
    if (currentDevice.isEmpty()) {
        Logger::getInstance()->error("Не выбрано устройство");
        noteRounds();
        return;
    }
    refreshConnectionStatus();
    refreshLmStatus();
    refreshTorvoStatus();
    refreshKktStatus();
    refreshLmSettings();
    refreshCheckUpgradeTorvo();
}

void ApplicationState::refreshAfterChange(const QString& device)
{
    if (device == currentDevice) {
        refreshInfo();
    }
}

void ApplicationState::cancelRound(QList<QPointer<BaseReply>>& round)
{
    RequestSender::cancelAll(round);
    round.clear();
}

void ApplicationState::noteRounds()
{
    const auto running = [](const QList<QPointer<BaseReply>>& round) {
        return std::any_of(round.begin(), round.end(),
                           [](const QPointer<BaseReply>& request) { return !request.isNull(); });
    };
    const bool list = running(listRound);
    const bool info = running(statusRound);
    if (list != listRoundRunning || info != infoRoundRunning) {
        listRoundRunning = list;
        infoRoundRunning = info;
        emit roundsChanged();
    }
}

template <typename R, typename OnSuccess, typename OnError>
void ApplicationState::send(R* request, QList<QPointer<BaseReply>>& round, const char* subject,
                            std::optional<StatusRead> read, OnSuccess onSuccess, OnError onError)
{
    RequestCourse course;
    course.context = this;
    course.subject = QString::fromUtf8(subject);
    if (read) {
        course.device = currentDevice;
        course.selectedDevice = selection();
        ReadState& state = reads[size_t(*read)];
        if (state.phase == ReadState::NotAsked) {
            state.phase = ReadState::Loading;
        }
    }
    round.removeAll(QPointer<BaseReply>());
    round.append(request);
    // By the time it is destroyed, the request is no longer counted.
    connect(request, &QObject::destroyed, this, &ApplicationState::noteRounds);
    noteRounds();
    RequestSender::send<R>(
        request, course,
        [this, read, onSuccess](R* reply) {
            unreachable.clear();
            if (read) {
                reads[size_t(*read)] = ReadState{ReadState::Read, QString()};
            }
            onSuccess(reply);
            updateServiceProblem();
        },
        [this, request, read, onError](const QString& message) {
            // A refusal of the service's own proves it is there; only a failure on the way says it
            // is not. The address tells support whether the client looked in the wrong place.
            const QUrl tried(request->getUrl());
            unreachable = request->failedInTransport() ? QStringLiteral("Служба Torvo недоступна (%1:%2): ")
                                                                 .arg(tried.host())
                                                                 .arg(tried.port()) +
                                                             message
                                                       : QString();
            if (read) {
                reads[size_t(*read)] = ReadState{ReadState::Failed, message, request->getHttpStatus()};
            }
            onError(message);
            updateServiceProblem();
        });
}

void ApplicationState::refreshDeviceKktList()
{
    logDebug(QStringLiteral("Обновление списка устройств KKT"));
    ++listsPending;
    auto* request = new RequestKKTList(this);
    send(
        request, listRound, "списка ККТ", std::nullopt,
        [this](RequestKKTList* reply) {
            addDevices(reply->getSerials());
            listEnded(kktList, reply, QString());
        },
        [this, request](const QString& error) { listEnded(kktList, request, error); });
}

void ApplicationState::refreshDeviceTorvoList()
{
    logDebug(QStringLiteral("Обновление список устройств Torvo"));
    ++listsPending;
    auto* request = new RequestTorvoList(this);
    send(
        request, listRound, "списка Torvo", std::nullopt,
        [this](RequestTorvoList* reply) {
            addDevices(reply->getIds());
            listEnded(torvoList, reply, QString());
        },
        [this, request](const QString& error) { listEnded(torvoList, request, error); });
}

void ApplicationState::refreshConnectionStatus()
{
    logDebug(QStringLiteral("Запрос обновления статуса соединения ..."));
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
    auto* request = new RequestConnectionStatus(this);
    request->setDevice(currentDevice);
    send(
        request, statusRound, "статуса соединения", StatusRead::Connection,
        [apply](RequestConnectionStatus* reply) {
            apply(reply->getGismt().status, reply->getGismt().lastConnection, reply->getSoftware(),
                  reply->getSoftwareName(), reply->getSoftwareVersion());
        },
        [apply](const QString&) { apply(QString(), QString(), ModuleConnection(), QString(), QString()); });
}

void ApplicationState::refreshLmStatus()
{
    logDebug(QStringLiteral("Запрос обновления статуса ЛМ ..."));
    auto apply = [this](const QString& status, const QString& version, const QString& lastSync) {
        lmInfo.status = status;
        lmInfo.version = version;
        lmInfo.lastSync = lastSync;
        emit lmStatusChanged();
    };
    auto* request = new RequestLMStatus(this);
    request->setDevice(currentDevice);
    send(
        request, statusRound, "статуса ЛМ", StatusRead::Lm,
        [apply](RequestLMStatus* reply) {
            apply(reply->getStatus(), reply->getVersion(), reply->getLastSync());
        },
        [apply](const QString&) { apply(QString(), QString(), QString()); });
}

void ApplicationState::refreshTorvoStatus()
{
    logDebug(QStringLiteral("Запрос обновления статуса Torvo ..."));
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
    auto* request = new RequestTorvoStatus(this);
    request->setDevice(currentDevice);
    send(
        request, statusRound, "статуса Torvo", StatusRead::Torvo,
        [apply](RequestTorvoStatus* reply) {
            apply(reply->isRegistered(), reply->getState(), reply->getVelkorId(), reply->getVersion(),
                  reply->getGismtVelkorId());
        },
        [apply](const QString&) { apply(false, QString(), QString(), QString(), QString()); });
}

void ApplicationState::refreshKktStatus()
{
    logDebug(QStringLiteral("Запрос обновления статуса ККТ ..."));
    auto apply = [this](const KktInfo& info) {
        kktInfo = info;
        emit kktStatusChanged();
    };
    auto* request = new RequestKKTStatus(this);
    request->setSerial(currentDevice);
    send(
        request, statusRound, "статуса ККТ", StatusRead::Kkt,
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
        [apply](const QString&) { apply(KktInfo()); });
}

void ApplicationState::refreshLmSettings()
{
    logDebug(QStringLiteral("Запрос обновления настроек ЛМ ..."));
    auto apply = [this](const QString& address) {
        lmInfo.address = address;
        emit lmStatusChanged();
    };
    auto* request = new RequestLMSettings(this);
    request->setDevice(currentDevice);
    send(
        request, statusRound, "настроек ЛМ", StatusRead::LmSettings,
        [apply](RequestLMSettings* reply) {
            apply(reply->getAddress() + QLatin1Char(':') + reply->getPort());
        },
        [apply](const QString&) { apply(QString()); });
}

void ApplicationState::refreshCheckUpgradeTorvo()
{
    logDebug(QStringLiteral("Запрос обновления обновлений Torvo ..."));
    auto apply = [this](bool hasUpdate, const QString& package, const QString& version) {
        torvoInfo.hasUpdate = hasUpdate;
        torvoInfo.updatePackage = package;
        torvoInfo.updateVersion = version;
        emit torvoStatusChanged();
    };
    auto* request = new RequestCheckUpgradeTorvo(this);
    request->setDevice(currentDevice);
    send(
        request, statusRound, "обновлений Torvo", StatusRead::UpgradeCheck,
        [apply](RequestCheckUpgradeTorvo* reply) {
            apply(reply->hasUpdate(), reply->getPackage(), reply->getVersionName());
        },
        [apply](const QString&) { apply(false, QString(), QString()); });
}
