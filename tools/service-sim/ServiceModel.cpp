#include "ServiceModel.h"

#include "DeviceReplies.h"

#include <QCryptographicHash>
#include <QJsonArray>

namespace {

QString gismtIdFor(const QString& device)
{
    const QByteArray digest = QCryptographicHash::hash(device.toUtf8(), QCryptographicHash::Md5);
    return QStringLiteral("GM-") + QString::fromLatin1(digest.left(4).toHex().toUpper());
}

const QString openShift = QStringLiteral("Открыта");
const QString closedShift = QStringLiteral("Закрыта");

} // namespace

ServiceModel::ServiceModel(const Scenario& scenario, SimClock clockFunction)
    : devices(scenario.devices)
    , book(scenario.seed)
    , clock(clockFunction ? clockFunction : systemClock())
{
    const QDateTime started = clock();
    for (SimDevice& device : devices) {
        book.fill(device.id, scenario.notificationsPerDevice, started);
        record(device, QStringLiteral("Служба Torvo %1, версия %2, состояние: %3")
                           .arg(device.hasRegister ? QStringLiteral("для ККТ ") + device.id : device.id,
                                device.version, serviceStateText(device.state)));
    }
}

SimReply ServiceModel::unknownDevice(const QString& device)
{
    if (device.isEmpty()) {
        return SimReply::error(404, QStringLiteral("Не указано устройство"));
    }
    return SimReply::error(404, QStringLiteral("Устройство не найдено: ") + device);
}

QStringList ServiceModel::deviceIds() const
{
    QStringList ids;
    for (const SimDevice& device : devices) {
        ids.append(device.id);
    }
    return ids;
}

const SimDevice* ServiceModel::find(const QString& id) const
{
    for (const SimDevice& device : devices) {
        if (device.id == id) {
            return &device;
        }
    }
    return nullptr;
}

SimDevice* ServiceModel::find(const QString& id)
{
    return const_cast<SimDevice*>(static_cast<const ServiceModel*>(this)->find(id));
}

void ServiceModel::record(SimDevice& device, const QString& line)
{
    device.journal.append(clock().toString(QStringLiteral("yyyy.MM.dd HH:mm:ss.zzz")) +
                          QStringLiteral(" INFO  [service] ") + line);
}

void ServiceModel::notify(const SimDevice& device, const QString& module, const QString& type,
                          const QString& header, const QString& message)
{
    SimNotification notification;
    notification.module = module;
    notification.type = type;
    notification.header = header;
    notification.message = message;
    notification.dateTime = clock();
    book.add(device.id, notification);
}

SimReply ServiceModel::setup(const QString& id)
{
    SimDevice* device = find(id);
    if (!device) {
        return unknownDevice(id);
    }
    if (device->state != ServiceState::NotConfigured) {
        return SimReply::error(409, QStringLiteral("Служба Torvo уже настроена: ") +
                                        serviceStateText(device->state));
    }
    device->state = ServiceState::Running;
    const QDateTime now = clock();
    for (ModuleLink* link : {&device->gismt, &device->lm, &device->zel, &device->software}) {
        if (link->error.isEmpty()) {
            link->lastConnection = now;
        }
    }
    device->lmLastSync = now;
    record(*device, QStringLiteral("Служба Torvo настроена и запущена"));
    notify(*device, QStringLiteral("TORVO"), QStringLiteral("INFO"), QStringLiteral("Служба Torvo настроена"),
           QStringLiteral("Служба Torvo настроена для устройства %1 и запущена.").arg(id));
    return SimReply::json(
        QJsonObject{{QStringLiteral("id"), id},
                    {QStringLiteral("serviceState"), serviceStateText(ServiceState::Running)}});
}

SimReply ServiceModel::start(const QString& id)
{
    SimDevice* device = find(id);
    if (!device) {
        return unknownDevice(id);
    }
    if (device->state == ServiceState::NotConfigured) {
        return SimReply::error(409, QStringLiteral("Служба Torvo не настроена"));
    }
    if (device->state == ServiceState::Stopped) {
        device->state = ServiceState::Running;
        record(*device, QStringLiteral("Служба Torvo запущена"));
    }
    // A registered service runs too; the start reply speaks of the process, not of registration.
    return SimReply::json(
        QJsonObject{{QStringLiteral("id"), id},
                    {QStringLiteral("serviceState"), serviceStateText(ServiceState::Running)}});
}

SimReply ServiceModel::registration(const QString& id, const QString& kktSerial, const QString& fnSerial,
                                    const QString& kktInn)
{
    SimDevice* device = find(id);
    if (!device) {
        return unknownDevice(id);
    }
    if (!device->isRunning()) {
        return SimReply::error(409, QStringLiteral("Служба Torvo не запущена"));
    }
    if (device->hasRegister && device->shiftState != openShift) {
        return SimReply::error(409, QStringLiteral("Смена не открыта"));
    }
    if (!device->hasRegister || kktSerial != device->id || fnSerial != device->fnSerial ||
        kktInn != device->kktInn) {
        record(*device, QStringLiteral("Регистрация отклонена: данные ККТ не совпадают"));
        return SimReply::json(QJsonObject{
            {QStringLiteral("id"), id},
            {QStringLiteral("registered"), false},
            {QStringLiteral("message"),
             QStringLiteral("Данные ККТ не совпадают с данными, полученными от ККТ")},
        });
    }
    if (device->velkorId.isEmpty()) {
        device->velkorId = QStringLiteral("VK-%1").arg(nextVelkorNumber++, 6, 10, QLatin1Char('0'));
    }
    if (device->gismtVelkorId.isEmpty()) {
        device->gismtVelkorId = gismtIdFor(id);
    }
    device->state = ServiceState::Registered;
    record(*device,
           QStringLiteral("Служба Torvo зарегистрирована, идентификатор Velkor ") + device->velkorId);
    notify(*device, QStringLiteral("TORVO"), QStringLiteral("INFO"), QStringLiteral("Torvo зарегистрирован"),
           QStringLiteral("Служба Torvo зарегистрирована для ККТ %1, идентификатор %2.")
               .arg(id, device->velkorId));
    return SimReply::json(QJsonObject{
        {QStringLiteral("id"), id},
        {QStringLiteral("registered"), true},
        {QStringLiteral("velkorId"), device->velkorId},
        {QStringLiteral("gismtVelkorId"), device->gismtVelkorId},
    });
}

SimReply ServiceModel::upgrade(const QString& id, const QString& package, const QString& versionName)
{
    SimDevice* device = find(id);
    if (!device) {
        return unknownDevice(id);
    }
    if (device->updatePackage.isEmpty()) {
        return SimReply::error(404, QStringLiteral("Нет доступных обновлений"));
    }
    if (package != device->updatePackage || versionName != device->updateVersion) {
        return SimReply::error(404, QStringLiteral("Обновление не найдено: %1 %2").arg(package, versionName));
    }
    if (device->hasRegister && device->shiftState != closedShift) {
        if (!device->updateQueued) {
            device->updateQueued = true;
            record(*device, QStringLiteral("Обновление до версии %1 поставлено в очередь до закрытия смены")
                                .arg(versionName));
        }
        return SimReply::json(
            QJsonObject{
                {QStringLiteral("result"), QStringLiteral("queued")},
                {QStringLiteral("message"),
                 QStringLiteral("Обновление будет установлено после закрытия смены")},
            },
            202);
    }
    install(*device);
    return SimReply::json(QJsonObject{{QStringLiteral("result"), QStringLiteral("installed")},
                                      {QStringLiteral("version"), device->version}});
}

void ServiceModel::install(SimDevice& device)
{
    device.version = device.updateVersion;
    device.updatePackage.clear();
    device.updateVersion.clear();
    device.updateQueued = false;
    record(device, QStringLiteral("Установлено обновление, версия ") + device.version);
    notify(device, QStringLiteral("TORVO"), QStringLiteral("INFO"), QStringLiteral("Torvo обновлён"),
           QStringLiteral("Служба Torvo обновлена до версии %1 и перезапущена.").arg(device.version));
}

SimReply ServiceModel::updateSettings(const QString& id, bool compatibilityMode, bool allowRemoteConnection,
                                      const QString& gismtAddress)
{
    SimDevice* device = find(id);
    if (!device) {
        return unknownDevice(id);
    }
    device->compatibilityMode = compatibilityMode;
    device->allowRemoteConnection = allowRemoteConnection;
    device->gismtAddress = gismtAddress;
    record(*device,
           QStringLiteral(
               "Изменены настройки службы: режим совместимости %1, удалённое подключение %2, адрес ГИС МТ %3")
               .arg(compatibilityMode ? QStringLiteral("вкл") : QStringLiteral("выкл"),
                    allowRemoteConnection ? QStringLiteral("вкл") : QStringLiteral("выкл"), gismtAddress));
    return DeviceReplies::settings(*device);
}

SimReply ServiceModel::updateLmSettings(const QString& id, const LmSettingsChange& change)
{
    SimDevice* device = find(id);
    if (!device) {
        return unknownDevice(id);
    }
    if (change.password != device->lmPassword) {
        return SimReply::error(400, QStringLiteral("Неверный пароль ЛМ ЧЗ"));
    }
    if (change.address.trimmed().isEmpty()) {
        return SimReply::error(400, QStringLiteral("Не указан адрес ЛМ ЧЗ"));
    }
    if (change.port < 1 || change.port > 65535) {
        return SimReply::error(400, QStringLiteral("Некорректный порт ЛМ ЧЗ: %1").arg(change.port));
    }
    device->lmAddress = change.address.trimmed();
    device->lmPort = change.port;
    device->lmLogin = change.login;
    if (!change.newPassword.isEmpty()) {
        device->lmPassword = change.newPassword;
    }
    record(*device, QStringLiteral("Изменены настройки ЛМ ЧЗ: %1:%2, логин %3%4")
                        .arg(device->lmAddress)
                        .arg(device->lmPort)
                        .arg(device->lmLogin,
                             change.newPassword.isEmpty() ? QString() : QStringLiteral(", пароль изменён")));
    return SimReply::json(QJsonObject{
        {QStringLiteral("address"), device->lmAddress},
        {QStringLiteral("port"), device->lmPort},
        {QStringLiteral("login"), device->lmLogin},
    });
}

SimReply ServiceModel::exportLog(const QString& id, LogExport::Kind kind, const QString& folder)
{
    SimDevice* device = find(id);
    if (!device) {
        return unknownDevice(id);
    }
    const QDateTime now = clock();
    const QStringList lines =
        kind == LogExport::Kind::Service ? device->journal : LogExport::businessLines(*device, now);
    const SimReply reply = LogExport::write(folder, LogExport::fileName(kind, id, now), lines);
    if (reply.status == 200) {
        record(*device, QStringLiteral("Журнал выгружен в папку ") + folder);
    }
    return reply;
}

QString ServiceModel::changeDevice(const QString& id, const QJsonObject& fields)
{
    SimDevice* device = find(id);
    if (!device) {
        return QStringLiteral("Устройство не найдено: ") + id;
    }
    if (fields.contains(QStringLiteral("id")) && fields.value(QStringLiteral("id")).toString() != id) {
        return QStringLiteral("Идентификатор устройства не меняется");
    }
    const QString shiftBefore = device->shiftState;
    const QString error = device->apply(fields);
    if (!error.isEmpty()) {
        return error;
    }
    if (device->shiftState != shiftBefore) {
        record(*device, QStringLiteral("Состояние смены: ") + device->shiftState);
        if (device->shiftState == closedShift && device->updateQueued && !device->updatePackage.isEmpty()) {
            install(*device);
        }
    }
    return QString();
}

QJsonObject ServiceModel::state() const
{
    QJsonArray list;
    for (const SimDevice& device : devices) {
        QJsonObject object = device.toJson();
        const NotificationStore store = book.store(device.id);
        object.insert(QStringLiteral("notifications"), store.size());
        object.insert(QStringLiteral("unreadNotifications"), store.unreadCount());
        list.append(object);
    }
    return QJsonObject{{QStringLiteral("devices"), list}};
}
