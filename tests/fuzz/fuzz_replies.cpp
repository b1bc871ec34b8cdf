// Every reader of the service's replies on arbitrary bodies: besides surviving them under the
// sanitizers, each reader keeps the relation between its result and what it exposes.
#include "network/RequestCheckUpgradeTorvo.h"
#include "network/RequestConnectionStatus.h"
#include "network/RequestCriticalModule.h"
#include "network/RequestKKTList.h"
#include "network/RequestKKTStatus.h"
#include "network/RequestLMSettings.h"
#include "network/RequestLMSettingsUpdate.h"
#include "network/RequestLMStatus.h"
#include "network/RequestNotificationsCount.h"
#include "network/RequestNotificationsDelete.h"
#include "network/RequestNotificationsList.h"
#include "network/RequestNotificationsMarked.h"
#include "network/RequestRegistration.h"
#include "network/RequestSaveLogs.h"
#include "network/RequestSetupTorvo.h"
#include "network/RequestStartTorvo.h"
#include "network/RequestTorvoList.h"
#include "network/RequestTorvoSettings.h"
#include "network/RequestTorvoSettingsUpdate.h"
#include "network/RequestTorvoStatus.h"
#include "network/RequestUpgradeTorvo.h"
#include "notifications/NotificationInfo.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

QString text(const QJsonValue& value)
{
    return value.toString();
}

void checkNotification(const NotificationInfo& info, const QJsonObject& object)
{
    check((info.notificationType == Read) == info.isRead, "a notification is Read exactly when read");
    check(info.notificationType != Error || text(object.value(QStringLiteral("notificationType"))) == "ERR",
          "only \"ERR\" marks an error");
    check(info.notificationModule >= LDB && info.notificationModule <= UNKNOWN, "module within the enum");
    const QString wire = text(object.value(QStringLiteral("notificationModule")));
    const bool known = QStringList{"LDB", "GISMT", "ZEL", "TORVO", "DKKT", "CLIENT_SOFTWARE"}.contains(wire);
    check(known == (info.notificationModule != UNKNOWN), "unknown module text reads as UNKNOWN");
    check(!notificationModuleName(info.notificationModule).isEmpty(), "every module has a name");
}

void checkUpgrade(const QJsonObject& object)
{
    RequestCheckUpgradeTorvo request(nullptr);
    check(request.readJson(object).isEmpty(), "the upgrade check never fails on content");
    check(request.hasUpdate() == (!request.getPackage().isEmpty() && !request.getVersionName().isEmpty()),
          "an update exactly when package and version name are known");
}

void checkConnectionStatus(const QJsonObject& object)
{
    RequestConnectionStatus request(nullptr);
    check(request.readJson(object).isEmpty(), "the connection status never fails on content");
    const QList<QPair<QString, ModuleConnection>> modules = {
        {QStringLiteral("gismt"), request.getGismt()},
        {QStringLiteral("lm"), request.getLm()},
        {QStringLiteral("zel"), request.getZel()},
        {QStringLiteral("clientSoftware"), request.getSoftware()},
    };
    for (const auto& module : modules) {
        const ModuleConnection& connection = module.second;
        if (!object.contains(module.first)) {
            check(connection.error.isEmpty() && connection.lastConnection.isEmpty() &&
                      connection.status.isEmpty(),
                  "an absent module stays empty");
            continue;
        }
        const QString expected = !connection.error.isEmpty()            ? connection.error
                                 : !connection.lastConnection.isEmpty() ? QStringLiteral("Стабильно")
                                                                        : QStringLiteral("Неизвестно");
        check(connection.status == expected, "a module's status follows its error and last connection");
    }
    if (!object.contains(QStringLiteral("clientSoftware"))) {
        check(request.getSoftwareName().isEmpty() && request.getSoftwareVersion().isEmpty(),
              "no cash software, no name or version");
    }
}

void checkLists(const QJsonObject& object)
{
    RequestKKTList kkt(nullptr);
    const QString kktError = kkt.readJson(object);
    check(kktError.isEmpty() != kkt.getSerials().isEmpty(), "the register list fails exactly when empty");
    check(kktError.isEmpty() || kktError == QStringLiteral("Нет доступных ККТ"), "the register list's text");

    RequestTorvoList instances(nullptr);
    const QString instancesError = instances.readJson(object);
    check(instancesError.isEmpty() != instances.getIds().isEmpty(),
          "the instance list fails exactly when empty");
}

void checkKktStatus(const QJsonObject& object)
{
    // The serial asked for is the first element's, so that both a match and a miss are reachable.
    const QJsonArray elements = object.value(QStringLiteral("kkt")).toArray();
    const QString serial =
        elements.isEmpty() ? QString() : text(elements.first().toObject().value("kktSerial"));
    bool listed = false;
    for (const QJsonValue& element : elements) {
        const QJsonValue elementSerial = element.toObject().value(QStringLiteral("kktSerial"));
        listed = listed || (elementSerial.isString() && elementSerial.toString() == serial);
    }

    RequestKKTStatus request(nullptr);
    request.setSerial(serial);
    check(request.readJson(object).isEmpty(), "the register details never fail on content");
    check(request.getSerial() == serial, "reading keeps the serial asked for");
    const KktInfo info = request.getKktInfo();
    if (listed) {
        check(info.kktSerial == serial, "the details are those of the register asked for");
    } else {
        check(info.modelName.isEmpty() && info.kktSerial.isEmpty() && info.fnSerial.isEmpty() &&
                  info.kktRnm.isEmpty() && info.kktInn.isEmpty() && info.shiftState.isEmpty(),
              "an unlisted register has no details");
    }
}

void checkLmSettings(const QJsonObject& object)
{
    RequestLMSettings request(nullptr);
    const bool complete =
        object.contains(QStringLiteral("address")) && object.contains(QStringLiteral("port")) &&
        object.contains(QStringLiteral("login")) && object.contains(QStringLiteral("password"));
    check(request.readJson(object).isEmpty() == complete, "the settings fail exactly when a key is missing");
    if (complete) {
        bool decimal = false;
        const int port = request.getPort().toInt(&decimal);
        check(decimal && QString::number(port) == request.getPort(), "the port reads as a decimal number");
    } else {
        check(request.getAddress().isEmpty() && request.getPort().isEmpty() && request.getLogin().isEmpty() &&
                  request.getPassword().isEmpty(),
              "failed settings expose nothing");
    }

    const QString refusal = RequestLMSettingsUpdate::refusalText(object);
    check(refusal.isEmpty() || object.value(QStringLiteral("error")).isObject(),
          "a refusal's words come from its error object");
}

void checkLmStatus(const QJsonObject& object)
{
    RequestLMStatus request(nullptr);
    const bool present = object.contains(QStringLiteral("lmStatus"));
    check(request.readJson(object).isEmpty() == present, "the LM status fails exactly when it is absent");
    static const QStringList statuses = {
        QString(),
        QStringLiteral("Не отконфигурирован"),
        QStringLiteral("Инициализация"),
        QStringLiteral("Готов к работе"),
        QStringLiteral("Ошибка синхронизации"),
        QStringLiteral("Неизвестно"),
    };
    check(statuses.contains(request.getStatus()), "the LM status is one of the known texts");
    // "yyyy-MM-dd HH:mm:ss": other times are not shown.
    check(request.getLastSync().isEmpty() || request.getLastSync().size() == 19, "the sync time's form");
    if (!present) {
        check(request.getVersion().isEmpty() && request.getStatus().isEmpty() &&
                  request.getLastSync().isEmpty(),
              "a failed LM status exposes nothing");
    }
}

void checkNotifications(const QJsonObject& object)
{
    RequestNotificationsList list(nullptr);
    const bool present = object.contains(QStringLiteral("notifications"));
    check(list.readJson(object).isEmpty() == present, "the list fails exactly when it is absent");
    const QJsonArray elements = object.value(QStringLiteral("notifications")).toArray();
    QList<QJsonObject> objects;
    for (const QJsonValue& element : elements) {
        if (element.isObject()) {
            objects.append(element.toObject());
        }
    }
    const QList<NotificationInfo> notifications = list.getNotifications();
    check(notifications.size() == objects.size(), "one notification per object element");
    for (int i = 0; i < notifications.size(); ++i) {
        check(notifications.at(i) == notificationFromJson(objects.at(i)), "list order and reading kept");
        checkNotification(notifications.at(i), objects.at(i));
    }
    // The object itself as one element of a list.
    checkNotification(notificationFromJson(object), object);

    RequestNotificationsCount count(nullptr);
    check(count.readJson(object).isEmpty(), "the count never fails on content");
    RequestCriticalModule critical(nullptr);
    check(critical.readJson(object).isEmpty(), "the critical modules never fail on content");
}

void checkService(const QJsonObject& object)
{
    const bool running =
        object.contains(QStringLiteral("id")) &&
        object.value(QStringLiteral("serviceState")) == QJsonValue(QStringLiteral("Работает"));
    RequestSetupTorvo setup(nullptr);
    const QString setupError = setup.readJson(object);
    check(setupError.isEmpty() == running, "setup succeeds exactly when the service runs");
    RequestStartTorvo start(nullptr);
    check(start.readJson(object) == setupError, "start reads as setup does");
    check(start.getInstanceId() == setup.getInstanceId() &&
              start.getServiceState() == setup.getServiceState(),
          "start and setup expose the same members");

    RequestRegistration registration(nullptr);
    check(registration.readJson(object).isEmpty() == object.contains(QStringLiteral("velkorId")),
          "registration succeeds exactly when the reply names an identifier");

    RequestTorvoStatus status(nullptr);
    check(status.readJson(object).isEmpty(), "the service status never fails on content");
    check(status.isRegistered() == (status.getState() == QStringLiteral("Зарегистрирован")),
          "registered exactly in the registered state");

    RequestTorvoSettings settings(nullptr);
    check(settings.readJson(object).isEmpty(), "the service settings never fail on content");
}

// Requests whose reply body is never read accept any body.
void checkBodyless(const QJsonObject& object)
{
    RequestNotificationsDelete remove(nullptr);
    RequestNotificationsMarked marked(nullptr);
    RequestSaveLogs saveLogs(nullptr);
    RequestTorvoSettingsUpdate settingsUpdate(nullptr);
    RequestLMSettingsUpdate lmUpdate(nullptr);
    RequestUpgradeTorvo upgrade(nullptr);
    for (BaseReply* request : std::initializer_list<BaseReply*>{&remove, &marked, &saveLogs, &settingsUpdate,
                                                                &lmUpdate, &upgrade}) {
        check(request->readJson(object).isEmpty(), "a bodyless request accepts any body");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray body = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    const QJsonObject object = QJsonDocument::fromJson(body).object();
    checkUpgrade(object);
    checkConnectionStatus(object);
    checkLists(object);
    checkKktStatus(object);
    checkLmSettings(object);
    checkLmStatus(object);
    checkNotifications(object);
    checkService(object);
    checkBodyless(object);
    return 0;
}
