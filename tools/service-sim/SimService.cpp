#include "SimService.h"

#include "ServiceApi.h"

#include <QJsonDocument>

namespace {

QString pathOf(const QByteArray& target)
{
    const int query = target.indexOf('?');
    return QString::fromUtf8(query < 0 ? target : target.left(query));
}

bool readBody(const QByteArray& body, QJsonObject& object)
{
    QJsonParseError parseError;
    const QJsonDocument document =
        QJsonDocument::fromJson(body.isEmpty() ? QByteArray("{}") : body, &parseError);
    object = document.object();
    return parseError.error == QJsonParseError::NoError && document.isObject();
}

SimReply done()
{
    return SimReply::json(QJsonObject{{QStringLiteral("result"), QStringLiteral("ok")}});
}

} // namespace

SimService::SimService(const Scenario& startScenario, SimClock clockFunction)
    : scenario(startScenario)
    , clock(clockFunction ? clockFunction : systemClock())
{
    reset();
}

SimService::~SimService() = default;

void SimService::reset()
{
    model = std::make_unique<ServiceModel>(scenario, clock);
    faults.clear();
    for (const QJsonValue& fault : scenario.faults) {
        faults.add(fault.toObject());
    }
    if (scenario.latencyMs > 0) {
        faults.add(QJsonObject{{QStringLiteral("latency"), scenario.latencyMs}});
    }
}

bool SimService::isControlPath(const QByteArray& target)
{
    return target.startsWith("/sim/");
}

Fault SimService::faultFor(const QString& method, const QByteArray& target) const
{
    std::lock_guard<std::mutex> lock(mutex);
    return faults.match(method, pathOf(target));
}

SimReply SimService::handle(const QString& method, const QByteArray& target, const QByteArray& body)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (isControlPath(target)) {
        return control(method, pathOf(target), body);
    }
    return ServiceApi(*model).handle(method, target, body);
}

int SimService::takeRefusal()
{
    std::lock_guard<std::mutex> lock(mutex);
    return faults.takeRefusal();
}

void SimService::addNotifications()
{
    std::lock_guard<std::mutex> lock(mutex);
    notify(QJsonObject());
}

SimReply SimService::control(const QString& method, const QString& path, const QByteArray& body)
{
    QJsonObject object;
    if (!readBody(body, object)) {
        return SimReply::error(400, QStringLiteral("Тело запроса должно быть объектом JSON"));
    }
    const auto is = [&](const char* m, const char* p) {
        return method == QLatin1String(m) && path == QLatin1String(p);
    };
    if (is("GET", "/sim/state")) {
        return SimReply::json(state());
    }
    if (is("POST", "/sim/fault")) {
        const QString error = faults.add(object);
        return error.isEmpty() ? SimReply::json(state()) : SimReply::error(400, error);
    }
    if (is("DELETE", "/sim/fault")) {
        faults.clear();
        return done();
    }
    if (is("POST", "/sim/notify")) {
        return notify(object);
    }
    if (is("POST", "/sim/device")) {
        const QString error =
            model->changeDevice(object.value(QStringLiteral("device")).toString(), [object] {
                QJsonObject fields = object;
                fields.remove(QStringLiteral("device"));
                return fields;
            }());
        return error.isEmpty() ? SimReply::json(state()) : SimReply::error(400, error);
    }
    if (is("POST", "/sim/reset")) {
        reset();
        return done();
    }
    return SimReply::error(404, QStringLiteral("Неизвестная команда симулятора: %1 %2").arg(method, path));
}

SimReply SimService::notify(const QJsonObject& body)
{
    QStringList targets;
    if (body.contains(QStringLiteral("device"))) {
        const QString device = body.value(QStringLiteral("device")).toString();
        if (!model->hasDevice(device)) {
            return ServiceModel::unknownDevice(device);
        }
        targets.append(device);
    } else {
        targets = model->deviceIds();
    }
    const QString module = body.value(QStringLiteral("module")).toString();
    const QString type = body.value(QStringLiteral("type")).toString();
    const bool exactText =
        body.contains(QStringLiteral("header")) || body.contains(QStringLiteral("message"));
    QJsonArray added;
    for (const QString& device : targets) {
        SimNotification notification;
        if (exactText) {
            notification.module = module.isEmpty() ? QStringLiteral("TORVO") : module;
            notification.type = type.isEmpty() ? QStringLiteral("INFO") : type;
            notification.header = body.value(QStringLiteral("header")).toString();
            notification.message = body.value(QStringLiteral("message")).toString();
            notification.dateTime = model->now();
            notification = model->notifications().add(device, notification);
        } else {
            notification = model->notifications().add(device, module, type, model->now());
        }
        QJsonObject record = notification.toJson();
        record.insert(QStringLiteral("device"), device);
        added.append(record);
    }
    return SimReply::json(QJsonObject{{QStringLiteral("notifications"), added}});
}

QJsonObject SimService::state() const
{
    QJsonObject object = model->state();
    object.insert(QStringLiteral("faults"), faults.toJson());
    return object;
}
