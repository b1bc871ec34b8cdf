#include "app/ApplicationState.h"

#include "app/ListRetry.h"
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

#include <algorithm>

ApplicationState* ApplicationState::getInstance()
{
    static ApplicationState instance;
    return &instance;
}

ApplicationState::ApplicationState()
    : reads(statusReads().size())
    , listRetry(new ListRetry(this))
{
    qRegisterMetaType<ServiceProblem>();
    connect(listRetry, &ListRetry::retry, this, &ApplicationState::refreshDeviceList);
}

ApplicationState::RecordSignal ApplicationState::recordChanged(NotificationModule module)
{
    switch (module) {
    case TORVO:
        return &ApplicationState::torvoStatusChanged;
    case GISMT:
        return &ApplicationState::gismtStatusChanged;
    case DKKT:
        return &ApplicationState::kktStatusChanged;
    case LDB:
        return &ApplicationState::lmStatusChanged;
    case CLIENT_SOFTWARE:
        return &ApplicationState::softwareStatusChanged;
    case ZEL:
    case UNKNOWN:
        break;
    }
    return nullptr;
}

RequestCourse ApplicationState::courseForSelection(QObject* context, const QString& subject)
{
    return RequestCourse::forSelection(context, subject, getInstance()->getCurrentDevice(),
                                       [] { return getInstance()->getCurrentDevice(); });
}

QList<QPair<ReadState, QString>> ApplicationState::readsOf(NotificationModule module) const
{
    QList<QPair<ReadState, QString>> result;
    for (const StatusReadRow& row : statusReads()) {
        for (const StatusReadRow::Part& part : row.parts) {
            if (part.module == module) {
                result.append({getReadState(row.read), part.words});
            }
        }
    }
    return result;
}

void ApplicationState::setCurrentDevice(const QString& serial)
{
    if (serial == currentDevice) {
        return;
    }
    currentDevice = serial;
    logDebug(QStringLiteral("Изменено выбранное устройство: ") + serial);
    // Nothing read for the previous device may stand under the new one's name, nor feed an action.
    reads.fill(serial.isEmpty() ? ReadState() : ReadState::loading());
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
    for (NotificationModule module : {TORVO, GISMT, DKKT, LDB, CLIENT_SOFTWARE}) {
        emit(this->*recordChanged(module))();
    }
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
    listRetry->stop();
    reach.startListRound();
    clearDevices();
    updateServiceProblem();
    refreshDeviceKktList();
    refreshDeviceTorvoList();
}

void ApplicationState::listEnded(ServiceReach::List list, const BaseReply* reply, const QString& error)
{
    const bool roundEnded = reach.noteList(list, *reply, error);
    updateServiceProblem();
    if (roundEnded) {
        listRetry->roundEnded(!devices.isEmpty(), reach.anyListUnread());
    }
}

void ApplicationState::updateServiceProblem()
{
    const ServiceProblem problem = reach.problem(reads, devices.isEmpty());
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
        logError(QStringLiteral("Не выбрано устройство"));
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

void ApplicationState::joinRound(QList<QPointer<BaseReply>>& round, BaseReply* request)
{
    round.removeAll(QPointer<BaseReply>());
    round.append(request);
    // By the time it is destroyed, the request is no longer counted.
    connect(request, &QObject::destroyed, this, &ApplicationState::noteRounds);
    noteRounds();
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

template <typename R, typename Part>
void ApplicationState::sendStatusRead(StatusRead read, R* request, std::function<Part(R*)> partOf,
                                      std::function<void(const Part&)> apply)
{
    const StatusReadRow& row = statusReadRow(read);
    logDebug(row.startLine);
    ReadState& state = reads[int(read)];
    if (state.phase == ReadState::NotAsked) {
        state = ReadState::loading();
    }
    joinRound(statusRound, request);
    const StatusReadRow* table = &row;
    const auto announce = [this, table] {
        for (const StatusReadRow::Part& part : table->parts) {
            emit(this->*recordChanged(part.module))();
        }
        updateServiceProblem();
    };
    RequestSender::send<R>(
        request, courseForSelection(this, row.subject),
        [this, read, partOf, apply, announce](R* reply) {
            reach.noteExchange(*reply, QString());
            reads[int(read)] = ReadState::read();
            apply(partOf(reply));
            announce();
        },
        [this, read, request, apply, announce](const QString& message) {
            reach.noteExchange(*request, message);
            reads[int(read)] = ReadState::failed(*request, message);
            apply(Part());
            announce();
        });
}

template <typename R>
void ApplicationState::sendList(R* request, ServiceReach::List list, const QString& subject,
                                std::function<QStringList(R*)> devicesOf)
{
    joinRound(listRound, request);
    RequestSender::send<R>(
        request, RequestCourse::forService(this, subject),
        [this, list, devicesOf](R* reply) {
            reach.noteExchange(*reply, QString());
            addDevices(devicesOf(reply));
            listEnded(list, reply, QString());
        },
        [this, list, request](const QString& error) {
            reach.noteExchange(*request, error);
            listEnded(list, request, error);
        });
}

void ApplicationState::refreshDeviceKktList()
{
    logDebug(QStringLiteral("Обновление списка устройств KKT"));
    sendList<RequestKKTList>(new RequestKKTList(this), ServiceReach::Registers, QStringLiteral("списка ККТ"),
                             [](RequestKKTList* reply) { return reply->getSerials(); });
}

void ApplicationState::refreshDeviceTorvoList()
{
    logDebug(QStringLiteral("Обновление список устройств Torvo"));
    sendList<RequestTorvoList>(new RequestTorvoList(this), ServiceReach::Instances,
                               QStringLiteral("списка Torvo"),
                               [](RequestTorvoList* reply) { return reply->getIds(); });
}

void ApplicationState::refreshConnectionStatus()
{
    struct Part
    {
        ModuleConnection gismt;
        ModuleConnection software;
        QString name;
        QString version;
    };
    auto* request = new RequestConnectionStatus(this);
    request->setDevice(currentDevice);
    sendStatusRead<RequestConnectionStatus, Part>(
        StatusRead::Connection, request,
        [](RequestConnectionStatus* reply) {
            return Part{reply->getGismt(), reply->getSoftware(), reply->getSoftwareName(),
                        reply->getSoftwareVersion()};
        },
        [this](const Part& part) {
            gismtInfo.status = part.gismt.status;
            gismtInfo.lastConnection = part.gismt.lastConnection;
            softwareInfo.status = part.software.status;
            softwareInfo.lastConnection = part.software.lastConnection;
            softwareInfo.name = part.name;
            softwareInfo.version = part.version;
        });
}

void ApplicationState::refreshLmStatus()
{
    struct Part
    {
        QString status;
        QString version;
        QString lastSync;
    };
    auto* request = new RequestLMStatus(this);
    request->setDevice(currentDevice);
    sendStatusRead<RequestLMStatus, Part>(
        StatusRead::Lm, request,
        [](RequestLMStatus* reply) {
            return Part{reply->getStatus(), reply->getVersion(), reply->getLastSync()};
        },
        [this](const Part& part) {
            lmInfo.status = part.status;
            lmInfo.version = part.version;
            lmInfo.lastSync = part.lastSync;
        });
}

void ApplicationState::refreshTorvoStatus()
{
    struct Part
    {
        bool registered = false;
        QString state;
        QString velkorId;
        QString version;
        QString gismtVelkorId;
    };
    auto* request = new RequestTorvoStatus(this);
    request->setDevice(currentDevice);
    sendStatusRead<RequestTorvoStatus, Part>(
        StatusRead::Torvo, request,
        [](RequestTorvoStatus* reply) {
            return Part{reply->isRegistered(), reply->getState(), reply->getVelkorId(), reply->getVersion(),
                        reply->getGismtVelkorId()};
        },
        [this](const Part& part) {
            torvoInfo.registered = part.registered;
            torvoInfo.state = part.state;
            torvoInfo.velkorId = part.velkorId;
            torvoInfo.version = part.version;
            gismtInfo.gismtVelkorId = part.gismtVelkorId;
        });
}

void ApplicationState::refreshKktStatus()
{
    auto* request = new RequestKKTStatus(this);
    request->setSerial(currentDevice);
    sendStatusRead<RequestKKTStatus, KktInfo>(
        StatusRead::Kkt, request, [](RequestKKTStatus* reply) { return reply->getKktInfo(); },
        [this](const KktInfo& info) { kktInfo = info; });
}

void ApplicationState::refreshLmSettings()
{
    struct Part
    {
        QString address;
    };
    auto* request = new RequestLMSettings(this);
    request->setDevice(currentDevice);
    sendStatusRead<RequestLMSettings, Part>(
        StatusRead::LmSettings, request,
        [](RequestLMSettings* reply) {
            return Part{reply->getAddress() + QLatin1Char(':') + reply->getPort()};
        },
        [this](const Part& part) { lmInfo.address = part.address; });
}

void ApplicationState::refreshCheckUpgradeTorvo()
{
    struct Part
    {
        bool hasUpdate = false;
        QString package;
        QString version;
    };
    auto* request = new RequestCheckUpgradeTorvo(this);
    request->setDevice(currentDevice);
    sendStatusRead<RequestCheckUpgradeTorvo, Part>(
        StatusRead::UpgradeCheck, request,
        [](RequestCheckUpgradeTorvo* reply) {
            return Part{reply->hasUpdate(), reply->getPackage(), reply->getVersionName()};
        },
        [this](const Part& part) {
            torvoInfo.hasUpdate = part.hasUpdate;
            torvoInfo.updatePackage = part.package;
            torvoInfo.updateVersion = part.version;
        });
}
