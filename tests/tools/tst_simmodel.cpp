// The simulated service without sockets: its endpoints, its state changes and its faults.
#include "FaultTable.h"
#include "LogExport.h"
#include "Scenario.h"
#include "ServiceApi.h"
#include "ServiceModel.h"
#include "SimService.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QDateTime fixedNow(QDate(2026, 12, 8), QTime(10, 15), Qt::OffsetFromUTC, 3 * 3600);

QJsonObject object(const SimReply& reply)
{
    return QJsonDocument::fromJson(reply.body).object();
}

QString errorText(const SimReply& reply)
{
    return object(reply).value(QStringLiteral("error")).toObject().value(QStringLiteral("text")).toString();
}

QByteArray json(const QJsonObject& body)
{
    return QJsonDocument(body).toJson();
}

} // namespace

class SimModelTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void isoTimestamp_data();
    void isoTimestamp();
    void splitPath_data();
    void splitPath();
    void routing_data();
    void routing();

    void notRunningServiceReportsNoLinks();
    void upgradeOfAnotherPackageIsRefused();
    void lmSettingsUpdate_data();
    void lmSettingsUpdate();

    void notificationsCarryZoneOffsets();
    void criticalFlagsFollowUnreadErrors();

    void logExport_data();
    void logExport();
    void logExportNeverOverwrites();

    void faultMatching_data();
    void faultMatching();
    void faultRejected_data();
    void faultRejected();
    void scenarioRead_data();
    void scenarioRead();
    void controlPath();

private:
    SimReply call(const QString& method, const QString& target, const QJsonObject& body = {});
    QString deviceWithShift(const QString& shift) const;
    SimDevice device(const QString& id) const { return *model->device(id); }
    QList<QJsonObject> allNotifications(const QString& device, int pageSize);

    std::unique_ptr<ServiceModel> model;
};

void SimModelTest::init()
{
    model = std::make_unique<ServiceModel>(Scenario::standard(fixedNow), [] { return fixedNow; });
}

SimReply SimModelTest::call(const QString& method, const QString& target, const QJsonObject& body)
{
    return ServiceApi(*model).handle(method, target.toUtf8(), body.isEmpty() ? QByteArray() : json(body));
}

QString SimModelTest::deviceWithShift(const QString& shift) const
{
    for (const SimDevice& device : model->allDevices()) {
        if (device.hasRegister && device.shiftState == shift) {
            return device.id;
        }
    }
    return QString();
}

QList<QJsonObject> SimModelTest::allNotifications(const QString& device, int pageSize)
{
    QList<QJsonObject> result;
    for (int offset = 0;; offset += pageSize) {
        const QJsonArray page =
            object(call("POST", "/api/v1/notifications/" + device, {{"offset", offset}, {"count", pageSize}}))
                .value("notifications")
                .toArray();
        for (const QJsonValue& value : page) {
            result.append(value.toObject());
        }
        if (page.size() < pageSize) {
            return result;
        }
    }
}

void SimModelTest::isoTimestamp_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("moscow") << fixedNow << "2026-12-08T10:15:00+03:00";
    QTest::newRow("utc has +00:00, not Z")
        << QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC) << "2026-01-02T03:04:05+00:00";
    QTest::newRow("negative half hour")
        << QDateTime(QDate(2026, 6, 1), QTime(23, 59, 59), Qt::OffsetFromUTC, -(3 * 3600 + 1800))
        << "2026-06-01T23:59:59-03:30";
    QTest::newRow("invalid") << QDateTime() << "";
}

void SimModelTest::isoTimestamp()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, text);
    QCOMPARE(::isoTimestamp(time), text);
}

void SimModelTest::splitPath_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QStringList>("segments");
    QTest::newRow("plain") << QByteArray("/api/v1/dkktList") << QStringList{"api", "v1", "dkktList"};
    QTest::newRow("encoded slash stays in its segment")
        << QByteArray("/api/v1/status/a%2F..%2Fb") << QStringList{"api", "v1", "status", "a/../b"};
    QTest::newRow("query dropped") << QByteArray("/api/v1/status/x?y=1")
                                   << QStringList{"api", "v1", "status", "x"};
    QTest::newRow("empty device") << QByteArray("/api/v1/status/") << QStringList{"api", "v1", "status", ""};
    QTest::newRow("cyrillic") << QByteArray("/api/v1/status/%D0%BA%D0%BA%D1%82")
                              << QStringList{"api", "v1", "status", QStringLiteral("ккт")};
}

void SimModelTest::splitPath()
{
    QFETCH(QByteArray, target);
    QFETCH(QStringList, segments);
    QCOMPARE(ServiceApi::splitPath(target), segments);
}

void SimModelTest::routing_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    const QByteArray open = "00106709871234";
    QTest::newRow("kkt list") << "GET"
                              << "/api/v1/dkktList" << QByteArray() << 200;
    QTest::newRow("unknown path") << "GET"
                                  << "/api/v1/nothing" << QByteArray() << 404;
    QTest::newRow("wrong method") << "DELETE"
                                  << "/api/v1/dkktList" << QByteArray() << 405;
    QTest::newRow("unknown device") << "GET"
                                    << "/api/v1/status/0000" << QByteArray() << 404;
    QTest::newRow("empty device") << "GET"
                                  << "/api/v1/status/" << QByteArray() << 404;
    QTest::newRow("device with a slash is not a path")
        << "GET" << QString("/api/v1/settings/lm%2F" + open) << QByteArray() << 404;
    QTest::newRow("lm settings beside settings")
        << "GET" << QString("/api/v1/settings/lm/" + open) << QByteArray() << 200;
    QTest::newRow("body not json") << "POST" << QString("/api/v1/notifications/" + open)
                                   << QByteArray("offset=0") << 400;
    QTest::newRow("body an array") << "PATCH" << QString("/api/v1/notifications/" + open)
                                   << QByteArray("[1,2]") << 400;
    QTest::newRow("negative offset") << "POST" << QString("/api/v1/notifications/" + open)
                                     << QByteArray(R"({"offset": -1, "count": 20})") << 400;
    QTest::newRow("set-up without id") << "POST"
                                       << "/api/v1/velkor" << QByteArray("{}") << 400;
    QTest::newRow("settings with a text flag")
        << "PUT" << QString("/api/v1/settings/" + open)
        << QByteArray(R"({"compatibilityMode": "yes", "allowRemoteConnection": false, "gismtAddress": ""})")
        << 400;
    QTest::newRow("lm port as text")
        << "PUT" << QString("/api/v1/settings/lm/" + open)
        << QByteArray(R"({"address": "a", "port": "80", "login": "l", "password": "admin"})") << 400;
}

void SimModelTest::routing()
{
    QFETCH(QString, method);
    QFETCH(QString, target);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    const SimReply reply = ServiceApi(*model).handle(method, target.toUtf8(), body);
    QCOMPARE(reply.status, status);
    if (status != 200) {
        QVERIFY2(!errorText(reply).isEmpty(), reply.body.constData());
    }
}

void SimModelTest::notRunningServiceReportsNoLinks()
{
    const QString id = deviceWithShift("Открыта");
    QJsonObject status = object(call("GET", "/api/v1/status/" + id));
    for (const char* module : {"gismt", "lm", "zel", "clientSoftware"}) {
        QCOMPARE(status.value(module).toObject().value("error").toString(), QString());
        QCOMPARE(status.value(module).toObject().value("lastConnection").toString(), QString());
    }
    QCOMPARE(object(call("GET", "/api/v1/instances/lm/" + id))
                 .value("lmStatus")
                 .toObject()
                 .value("status")
                 .toString(),
             QString("not_configured"));

    call("POST", "/api/v1/velkor", {{"id", id}});
    status = object(call("GET", "/api/v1/status/" + id));
    // Links that work were reached at set-up; the failing one keeps its error.
    QCOMPARE(status.value("gismt").toObject().value("lastConnection").toString(),
             QString("2026-12-08T10:15:00+03:00"));
    QVERIFY(!status.value("zel").toObject().value("error").toString().isEmpty());
    QCOMPARE(status.value("clientSoftware").toObject().value("name").toString(), device(id).softwareName);
    const QJsonObject lm = object(call("GET", "/api/v1/instances/lm/" + id)).value("lmStatus").toObject();
    QCOMPARE(qint64(lm.value("lastSync").toDouble()), fixedNow.toSecsSinceEpoch());
}

void SimModelTest::upgradeOfAnotherPackageIsRefused()
{
    const QString id = deviceWithShift("Закрыта");
    const QString version = device(id).version;
    const SimReply reply =
        call("POST", "/api/v1/update/" + id, {{"package", "other.msi"}, {"versionName", "9.9"}});
    QCOMPARE(reply.status, 404);
    QCOMPARE(device(id).version, version);
}

void SimModelTest::lmSettingsUpdate_data()
{
    QTest::addColumn<QJsonObject>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("passwordAfter");
    const QJsonObject good{
        {"address", "192.168.1.20"}, {"port", 5996}, {"login", "operator"}, {"password", "admin"}};
    QJsonObject withNew = good;
    withNew.insert("newPassword", "s3cret");
    QJsonObject wrong = good;
    wrong.insert("password", "admin1");
    QJsonObject portZero = good;
    portZero.insert("port", 0);
    QJsonObject noAddress = good;
    noAddress.insert("address", "  ");
    QTest::newRow("kept password") << good << 200 << ""
                                   << "admin";
    QTest::newRow("new password") << withNew << 200 << ""
                                  << "s3cret";
    QTest::newRow("wrong password") << wrong << 400 << "Неверный пароль ЛМ ЧЗ"
                                    << "admin";
    QTest::newRow("port 0") << portZero << 400 << "Некорректный порт ЛМ ЧЗ: 0"
                            << "admin";
    QTest::newRow("no address") << noAddress << 400 << "Не указан адрес ЛМ ЧЗ"
                                << "admin";
}

void SimModelTest::lmSettingsUpdate()
{
    QFETCH(QJsonObject, body);
    QFETCH(int, status);
    QFETCH(QString, error);
    QFETCH(QString, passwordAfter);
    const QString id = deviceWithShift("Открыта");
    const QJsonObject before = object(call("GET", "/api/v1/settings/lm/" + id));
    const SimReply reply = call("PUT", "/api/v1/settings/lm/" + id, body);
    QCOMPARE(reply.status, status);
    QCOMPARE(errorText(reply), error);
    const QJsonObject after = object(call("GET", "/api/v1/settings/lm/" + id));
    QCOMPARE(after.value("password").toString(), passwordAfter);
    if (status == 200) {
        QCOMPARE(after.value("address").toString(), body.value("address").toString());
        QCOMPARE(after.value("port").toInt(), body.value("port").toInt());
        QCOMPARE(after.value("login").toString(), body.value("login").toString());
    } else {
        QCOMPARE(after, before);
    }
}

void SimModelTest::notificationsCarryZoneOffsets()
{
    const QRegularExpression iso(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d$"));
    QSet<QString> modules;
    QSet<QString> types;
    for (const QString& id : model->deviceIds()) {
        const QList<QJsonObject> all = allNotifications(id, 100);
        QVERIFY(all.size() >= 100);
        for (const QJsonObject& n : all) {
            QVERIFY2(iso.match(n.value("dateTime").toString()).hasMatch(),
                     qPrintable(n.value("dateTime").toString()));
            QVERIFY(QDateTime::fromString(n.value("dateTime").toString(), Qt::ISODate) <= fixedNow);
            QVERIFY(!n.value("header").toString().isEmpty());
            modules.insert(n.value("notificationModule").toString());
            types.insert(n.value("notificationType").toString());
        }
    }
    QCOMPARE(modules.size(), 6);
    QCOMPARE(types, (QSet<QString>{"INFO", "WARN", "ERR"}));
}

void SimModelTest::criticalFlagsFollowUnreadErrors()
{
    const QString id = deviceWithShift("Открыта");
    const QString path = "/api/v1/notifications/" + id;
    const QMap<QString, QString> flagOf{{"LDB", "hasCriticalLdb"},
                                        {"GISMT", "hasCriticalGismt"},
                                        {"TORVO", "hasCriticalTorvo"},
                                        {"DKKT", "hasCriticalDkkt"},
                                        {"CLIENT_SOFTWARE", "hasCriticalSoftware"}};
    for (const QString& module : flagOf.keys()) {
        QJsonArray errors;
        for (const QJsonObject& n : allNotifications(id, 100)) {
            if (n.value("notificationModule") == module && n.value("notificationType") == "ERR" &&
                !n.value("isRead").toBool()) {
                errors.append(n.value("id"));
            }
        }
        errors.append(model->notifications().add(id, module, "ERR", fixedNow).id);
        QVERIFY(object(call("GET", "/api/v1/critical/" + id)).value(flagOf[module]).toBool());
        call("PATCH", path, {{"id", errors}});
        QVERIFY2(!object(call("GET", "/api/v1/critical/" + id)).value(flagOf[module]).toBool(),
                 qPrintable(module));
    }
    const QJsonObject count = object(call("GET", path));
    bool anyError = false;
    for (const QJsonObject& n : allNotifications(id, 100)) {
        anyError = anyError || (n.value("notificationType") == "ERR" && !n.value("isRead").toBool());
    }
    QCOMPARE(count.value("hasCriticalNotifications").toBool(), anyError);
}

void SimModelTest::logExport_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("folder"); // "@" stands for a fresh temporary folder
    QTest::addColumn<int>("status");
    QTest::newRow("service log") << "service"
                                 << "@" << 200;
    QTest::newRow("business log") << "business"
                                  << "@" << 200;
    QTest::newRow("missing folder") << "service"
                                    << "@/missing" << 404;
    QTest::newRow("a file, not a folder") << "service"
                                          << "@/file.txt" << 400;
    QTest::newRow("relative") << "service"
                              << "logs" << 400;
    QTest::newRow("empty") << "business"
                           << "" << 400;
}

void SimModelTest::logExport()
{
    QFETCH(QString, kind);
    QFETCH(QString, folder);
    QFETCH(int, status);
    QTemporaryDir dir;
    QFile file(dir.filePath("file.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    folder.replace("@", dir.path());
    const QString id = deviceWithShift("Открыта");
    call("POST", "/api/v1/velkor", {{"id", id}}); // something for the service log to tell

    const SimReply reply = call("POST", QString("/api/v1/log/%1/%2").arg(kind, id), {{"path", folder}});
    QCOMPARE(reply.status, status);
    const QStringList written = QDir(dir.path()).entryList({"torvo-*.log"}, QDir::Files);
    if (status != 200) {
        QVERIFY(!errorText(reply).isEmpty());
        QVERIFY(written.isEmpty());
        return;
    }
    QCOMPARE(written.size(), 1);
    QVERIFY(written[0].startsWith("torvo-" + kind + "_" + id + "_20261208-101500"));
    QFile log(dir.filePath(written[0]));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(log.readAll());
    QVERIFY(content.count('\n') >= 2);
    QVERIFY(content.contains(kind == "service" ? "[service]" : "[business]"));
    QCOMPARE(object(reply).value("file").toString(), QDir::toNativeSeparators(log.fileName()));
}

void SimModelTest::logExportNeverOverwrites()
{
    QTemporaryDir dir;
    const QString name = LogExport::fileName(LogExport::Kind::Service, "a/../b c", fixedNow);
    QCOMPARE(name, QString("torvo-service_a_.._b_c_20261208-101500.log"));
    QFile existing(dir.filePath(name));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();

    const SimReply reply = LogExport::write(dir.path(), name, {"line"});
    QCOMPARE(reply.status, 200);
    QVERIFY(object(reply).value("file").toString().endsWith("_20261208-101500 (2).log"));
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), QByteArray("kept"));
}

void SimModelTest::faultMatching_data()
{
    QTest::addColumn<QJsonArray>("faults");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("latency");
    QTest::addColumn<bool>("hang");
    QTest::addColumn<bool>("notJson");
    const QJsonObject status500{{"path", "/api/v1/status/"}, {"status", 500}};
    QTest::newRow("prefix") << QJsonArray{status500} << "GET"
                            << "/api/v1/status/123" << 500 << 0 << false << false;
    QTest::newRow("other path") << QJsonArray{status500} << "GET"
                                << "/api/v1/dkktList" << 0 << 0 << false << false;
    QTest::newRow("control path untouched") << QJsonArray{QJsonObject{{"hang", true}}} << "GET"
                                            << "/sim/state" << 0 << 0 << false << false;
    QTest::newRow("method filter") << QJsonArray{QJsonObject{{"path", "/api/v1/notifications/"},
                                                             {"method", "patch"},
                                                             {"status", 503}}}
                                   << "GET"
                                   << "/api/v1/notifications/1" << 0 << 0 << false << false;
    QTest::newRow("same path replaced")
        << QJsonArray{status500, QJsonObject{{"path", "/api/v1/status/"}, {"latency", 300}}} << "GET"
        << "/api/v1/status/1" << 0 << 300 << false << false;
    QTest::newRow("combined") << QJsonArray{QJsonObject{{"latency", 100}}, status500,
                                            QJsonObject{{"path", "/api/v1/"}, {"notJson", true}}}
                              << "GET"
                              << "/api/v1/status/1" << 500 << 100 << false << true;
}

void SimModelTest::faultMatching()
{
    QFETCH(QJsonArray, faults);
    QFETCH(QString, method);
    QFETCH(QString, path);
    FaultTable table;
    for (const QJsonValue& fault : faults) {
        QCOMPARE(table.add(fault.toObject()), QString());
    }
    const Fault fault = table.match(method, path);
    QTEST(fault.status, "status");
    QTEST(fault.latencyMs, "latency");
    QTEST(fault.hang, "hang");
    QTEST(fault.notJson, "notJson");
}

void SimModelTest::faultRejected_data()
{
    QTest::addColumn<QJsonObject>("fault");
    QTest::newRow("nothing to do") << QJsonObject{{"path", "/api/v1/"}};
    QTest::newRow("status not an error") << QJsonObject{{"status", 200}};
    QTest::newRow("negative latency") << QJsonObject{{"latency", -5}};
    QTest::newRow("path not text") << QJsonObject{{"path", 5}, {"hang", true}};
    QTest::newRow("refuse for 0 s") << QJsonObject{{"refuse", true}, {"seconds", 0}};
}

void SimModelTest::faultRejected()
{
    QFETCH(QJsonObject, fault);
    FaultTable table;
    QVERIFY(!table.add(fault).isEmpty());
    QCOMPARE(table.toJson().size(), 0);
    QCOMPARE(table.takeRefusal(), 0);
}

void SimModelTest::scenarioRead_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("empty object keeps the standard")
        << QByteArray("{}") << true << QStringList{"00106709871234", "00106709875678", "torvo-7f3a2c91"};
    QTest::newRow("own devices")
        << QByteArray(
               R"({"devices": [{"id": "K1", "shiftState": "Открыта"}, {"id": "I1", "register": false}]})")
        << true << QStringList{"K1", "I1"};
    QTest::newRow("duplicate id") << QByteArray(R"({"devices": [{"id": "K1"}, {"id": "K1"}]})") << false
                                  << QStringList();
    QTest::newRow("missing id") << QByteArray(R"({"devices": [{"modelName": "X"}]})") << false
                                << QStringList();
    QTest::newRow("wrong type") << QByteArray(R"({"devices": [{"id": "K1", "lmPort": "80"}]})") << false
                                << QStringList();
    QTest::newRow("unknown state") << QByteArray(R"({"devices": [{"id": "K1", "serviceState": "Спит"}]})")
                                   << false << QStringList();
    QTest::newRow("negative count") << QByteArray(R"({"notifications": -1})") << false << QStringList();
    QTest::newRow("not json") << QByteArray("devices:") << false << QStringList();
}

void SimModelTest::scenarioRead()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, ok);
    QFETCH(QStringList, ids);
    Scenario scenario;
    scenario.notificationsPerDevice = 7;
    const QString error = Scenario::read(json, fixedNow, scenario);
    QCOMPARE(error.isEmpty(), ok);
    if (!ok) {
        QCOMPARE(scenario.notificationsPerDevice, 7); // untouched on error
        return;
    }
    QStringList read;
    for (const SimDevice& device : scenario.devices) {
        read.append(device.id);
    }
    QCOMPARE(read, ids);
}

void SimModelTest::controlPath()
{
    Scenario scenario = Scenario::standard(fixedNow);
    scenario.notificationsPerDevice = 5;
    SimService service(scenario, [] { return fixedNow; });
    const QString id = scenario.devices[0].id;
    const auto unread = [&] {
        return object(service.handle("GET", ("/api/v1/notifications/" + id).toUtf8(), {}))
            .value("unreadNotificationsCount")
            .toInt();
    };
    const int before = unread();

    SimReply reply = service.handle("POST", "/sim/notify",
                                    R"({"module": "GISMT", "type": "ERR", "header": "H", "message": "M"})");
    QCOMPARE(object(reply).value("notifications").toArray().size(), scenario.devices.size());
    QCOMPARE(unread(), before + 1);
    const QJsonObject newest = object(service.handle("POST", ("/api/v1/notifications/" + id).toUtf8(),
                                                     R"({"offset": 0, "count": 1})"))
                                   .value("notifications")
                                   .toArray()
                                   .at(0)
                                   .toObject();
    QCOMPARE(newest.value("header").toString(), QString("H"));
    QCOMPARE(newest.value("dateTime").toString(), QString("2026-12-08T10:15:00+03:00"));

    reply = service.handle("POST", "/sim/device", json({{"device", id}, {"lmPort", "x"}}));
    QCOMPARE(reply.status, 400);
    reply = service.handle("POST", "/sim/device", json({{"device", id}, {"shiftState", "Закрыта"}}));
    QCOMPARE(reply.status, 200);
    QCOMPARE(object(reply).value("devices").toArray().at(0).toObject().value("shiftState").toString(),
             QString("Закрыта"));

    QCOMPARE(service.handle("POST", "/sim/fault", R"({"refuse": true, "seconds": 3})").status, 200);
    QCOMPARE(service.takeRefusal(), 3);
    QCOMPARE(service.takeRefusal(), 0);

    QCOMPARE(service.handle("POST", "/sim/reset", {}).status, 200);
    QCOMPARE(unread(), before);
    QCOMPARE(service.handle("GET", "/sim/nothing", {}).status, 404);
}

QTEST_GUILESS_MAIN(SimModelTest)
#include "tst_simmodel.moc"
