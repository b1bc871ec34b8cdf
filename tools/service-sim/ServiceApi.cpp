#include "ServiceApi.h"

#include "DeviceReplies.h"
#include "NotificationApi.h"
#include "ServiceModel.h"

#include <QUrl>

#include <functional>
#include <initializer_list>

namespace {

using Handler = std::function<SimReply(ServiceModel&, const QString& device, const QJsonObject& body)>;

struct Route
{
    const char* method;
    const char* path; // "*" stands for the device segment
    bool jsonBody;
    Handler handler;
};

bool allStrings(const QJsonObject& body, std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        if (!body.value(QLatin1String(key)).isString()) {
            return false;
        }
    }
    return true;
}

QString text(const QJsonObject& body, const char* key)
{
    return body.value(QLatin1String(key)).toString();
}

SimReply badRequest(const QString& what)
{
    return SimReply::error(400, QStringLiteral("Некорректный запрос: ") + what);
}

SimReply setup(ServiceModel& model, const QString&, const QJsonObject& body)
{
    if (!allStrings(body, {"id"})) {
        return badRequest(QStringLiteral("нужен \"id\""));
    }
    return model.setup(text(body, "id"));
}

SimReply registration(ServiceModel& model, const QString&, const QJsonObject& body)
{
    if (!allStrings(body, {"id", "kktSerial", "fnSerial", "kktInn"})) {
        return badRequest(QStringLiteral("нужны строки \"id\", \"kktSerial\", \"fnSerial\" и \"kktInn\""));
    }
    return model.registration(text(body, "id"), text(body, "kktSerial"), text(body, "fnSerial"),
                              text(body, "kktInn"));
}

SimReply upgrade(ServiceModel& model, const QString& device, const QJsonObject& body)
{
    if (!allStrings(body, {"package", "versionName"})) {
        return badRequest(QStringLiteral("нужны строки \"package\" и \"versionName\""));
    }
    return model.upgrade(device, text(body, "package"), text(body, "versionName"));
}

SimReply updateSettings(ServiceModel& model, const QString& device, const QJsonObject& body)
{
    if (!body.value(QStringLiteral("compatibilityMode")).isBool() ||
        !body.value(QStringLiteral("allowRemoteConnection")).isBool() ||
        !allStrings(body, {"gismtAddress"})) {
        return badRequest(
            QStringLiteral("нужны \"compatibilityMode\", \"allowRemoteConnection\" и \"gismtAddress\""));
    }
    return model.updateSettings(device, body.value(QStringLiteral("compatibilityMode")).toBool(),
                                body.value(QStringLiteral("allowRemoteConnection")).toBool(),
                                text(body, "gismtAddress"));
}

SimReply updateLmSettings(ServiceModel& model, const QString& device, const QJsonObject& body)
{
    const QJsonValue port = body.value(QStringLiteral("port"));
    const QJsonValue newPassword = body.value(QStringLiteral("newPassword"));
    if (!allStrings(body, {"address", "login", "password"}) || !port.isDouble() ||
        port.toDouble() != port.toInt() || !(newPassword.isUndefined() || newPassword.isString())) {
        return badRequest(QStringLiteral("нужны \"address\", \"port\" (число), \"login\" и \"password\""));
    }
    LmSettingsChange change;
    change.address = text(body, "address");
    change.port = port.toInt();
    change.login = text(body, "login");
    change.password = text(body, "password");
    change.newPassword = newPassword.toString();
    return model.updateLmSettings(device, change);
}

Handler exportLog(LogExport::Kind kind)
{
    return [kind](ServiceModel& model, const QString& device, const QJsonObject& body) {
        if (!allStrings(body, {"path"})) {
            return badRequest(QStringLiteral("нужен \"path\""));
        }
        return model.exportLog(device, kind, text(body, "path"));
    };
}

// A read of one device; the router has made sure that the device exists.
Handler read(SimReply (*reply)(const SimDevice&))
{
    return [reply](ServiceModel& model, const QString& device, const QJsonObject&) {
        return reply(*model.device(device));
    };
}

const QList<Route>& routes()
{
    static const QList<Route> table = {
        {"GET", "api/v1/dkktList", false,
         [](ServiceModel& m, const QString&, const QJsonObject&) {
             return DeviceReplies::kktList(m.allDevices());
         }},
        {"GET", "api/v1/instances/info", false,
         [](ServiceModel& m, const QString&, const QJsonObject&) {
             return DeviceReplies::instanceList(m.allDevices());
         }},
        {"GET", "api/v1/instances/info/*", false, read(DeviceReplies::torvoStatus)},
        {"GET", "api/v1/instances/lm/*", false, read(DeviceReplies::lmStatus)},
        {"GET", "api/v1/status/*", false, read(DeviceReplies::connectionStatus)},
        {"GET", "api/v1/critical/*", false,
         [](ServiceModel& m, const QString& d, const QJsonObject&) {
             return NotificationApi::critical(m, d);
         }},
        {"POST", "api/v1/velkor", true, setup},
        {"PUT", "api/v1/velkor", true, registration},
        {"POST", "api/v1/service/start/*", false,
         [](ServiceModel& m, const QString& d, const QJsonObject&) {
             return m.start(d);
         }},
        {"GET", "api/v1/update/*", false, read(DeviceReplies::updates)},
        {"POST", "api/v1/update/*", true, upgrade},
        {"GET", "api/v1/settings/lm/*", false, read(DeviceReplies::lmSettings)},
        {"PUT", "api/v1/settings/lm/*", true, updateLmSettings},
        {"GET", "api/v1/settings/*", false, read(DeviceReplies::settings)},
        {"PUT", "api/v1/settings/*", true, updateSettings},
        {"POST", "api/v1/log/service/*", true, exportLog(LogExport::Kind::Service)},
        {"POST", "api/v1/log/business/*", true, exportLog(LogExport::Kind::Business)},
        {"GET", "api/v1/notifications/*", false,
         [](ServiceModel& m, const QString& d, const QJsonObject&) {
             return NotificationApi::count(m, d);
         }},
        {"POST", "api/v1/notifications/*", true, NotificationApi::page},
        {"PATCH", "api/v1/notifications/*", true, NotificationApi::markRead},
        {"DELETE", "api/v1/notifications/*", true, NotificationApi::remove},
    };
    return table;
}

// Whether `segments` fit `pattern`; the segment in place of "*" becomes `device`.
bool matches(const QStringList& segments, const char* pattern, QString& device, bool& hasDevice)
{
    const QStringList parts = QString::fromLatin1(pattern).split(QLatin1Char('/'));
    if (parts.size() != segments.size()) {
        return false;
    }
    hasDevice = false;
    for (int i = 0; i < parts.size(); ++i) {
        if (parts.at(i) == QLatin1String("*")) {
            device = segments.at(i);
            hasDevice = true;
        } else if (parts.at(i) != segments.at(i)) {
            return false;
        }
    }
    return true;
}

} // namespace

ServiceApi::ServiceApi(ServiceModel& serviceModel)
    : model(serviceModel)
{
}

QStringList ServiceApi::splitPath(const QByteArray& target)
{
    QByteArray path = target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?'));
    if (path.startsWith('/')) {
        path.remove(0, 1);
    }
    QStringList segments;
    for (const QByteArray& raw : path.split('/')) {
        segments.append(QUrl::fromPercentEncoding(raw));
    }
    return segments;
}

SimReply ServiceApi::handle(const QString& method, const QByteArray& target, const QByteArray& body)
{
    const QStringList segments = splitPath(target);
    bool pathKnown = false;
    for (const Route& route : routes()) {
        QString device;
        bool hasDevice = false;
        if (!matches(segments, route.path, device, hasDevice)) {
            continue;
        }
        pathKnown = true;
        if (method != QLatin1String(route.method)) {
            continue;
        }
        if (hasDevice && !model.hasDevice(device)) {
            return ServiceModel::unknownDevice(device);
        }
        QJsonObject object;
        if (route.jsonBody) {
            QJsonParseError parseError;
            const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
            if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
                return badRequest(QStringLiteral("тело запроса должно быть объектом JSON"));
            }
            object = document.object();
        }
        return route.handler(model, device, object);
    }
    if (pathKnown) {
        return SimReply::error(405, QStringLiteral("Метод %1 не поддерживается для этого пути").arg(method));
    }
    return SimReply::error(404, QStringLiteral("Неизвестный путь: /") + segments.join(QLatin1Char('/')));
}
