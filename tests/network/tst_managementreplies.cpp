// How the service management requests read their replies and build their bodies (no socket needed).
#include "network/RequestCheckUpgradeTorvo.h"
#include "network/RequestLMSettings.h"
#include "network/RequestLMSettingsUpdate.h"
#include "network/RequestRegistration.h"
#include "network/RequestSetupTorvo.h"
#include "network/RequestStartTorvo.h"
#include "network/RequestTorvoSettings.h"

#include <QJsonDocument>
#include <QtTest>

namespace {

QJsonObject object(const QByteArray& json)
{
    return QJsonDocument::fromJson(json).object();
}

} // namespace

class ManagementRepliesTest : public QObject
{
    Q_OBJECT

private slots:
    void registration_data();
    void registration();
    void serviceStart_data();
    void serviceStart();
    void upgradeCheck_data();
    void upgradeCheck();
    void torvoSettings_data();
    void torvoSettings();
    void lmSettings_data();
    void lmSettings();
    void lmSettingsUpdateBody_data();
    void lmSettingsUpdateBody();
};

void ManagementRepliesTest::registration_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("velkorId");
    const QString failed = QStringLiteral("Не удалось зарегистрировать Torvo");
    QTest::newRow("velkorId") << QByteArray(R"({"velkorId": "V-77", "state": "x"})") << QString()
                              << QStringLiteral("V-77");
    QTest::newRow("velkorId not a string") << QByteArray(R"({"velkorId": 77})") << QString() << QString();
    QTest::newRow("no velkorId") << QByteArray(R"({"id": "V-77"})") << failed << QString();
    QTest::newRow("nested velkorId") << QByteArray(R"({"regData": {"velkorId": "V"}})") << failed
                                     << QString();
}

void ManagementRepliesTest::registration()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    QFETCH(QString, velkorId);
    RequestRegistration request(nullptr);
    QCOMPARE(request.readJson(object(json)), error);
    QCOMPARE(request.getVelkorId(), velkorId);
}

void ManagementRepliesTest::serviceStart_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("instanceId");
    QTest::addColumn<QString>("serviceState");
    QTest::newRow("running") << QByteArray(R"({"id": "i-1", "serviceState": "Работает"})") << true
                             << QStringLiteral("i-1") << QStringLiteral("Работает");
    QTest::newRow("other state keeps both") << QByteArray(R"({"id": "i-1", "serviceState": "Остановлен"})")
                                            << false << QStringLiteral("i-1") << QStringLiteral("Остановлен");
    QTest::newRow("lower case state") << QByteArray(R"({"id": "i-1", "serviceState": "работает"})") << false
                                      << QStringLiteral("i-1") << QStringLiteral("работает");
    QTest::newRow("state without id")
        << QByteArray(R"({"serviceState": "Работает"})") << false << QString() << QString();
    QTest::newRow("id without state") << QByteArray(R"({"id": "i-1"})") << false << QString() << QString();
    QTest::newRow("id not a string") << QByteArray(R"({"id": 5, "serviceState": "Работает"})") << true
                                     << QString() << QStringLiteral("Работает");
    QTest::newRow("state not a string")
        << QByteArray(R"({"id": "i", "serviceState": 1})") << false << QStringLiteral("i") << QString();
}

void ManagementRepliesTest::serviceStart()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, succeeds);
    QFETCH(QString, instanceId);
    QFETCH(QString, serviceState);
    const QString error = succeeds ? QString() : QStringLiteral("Не удалось запустить Torvo");

    RequestSetupTorvo setup(nullptr);
    QCOMPARE(setup.readJson(object(json)), error);
    QCOMPARE(setup.getInstanceId(), instanceId);
    QCOMPARE(setup.getServiceState(), serviceState);

    RequestStartTorvo start(nullptr);
    QCOMPARE(start.readJson(object(json)), error);
    QCOMPARE(start.getInstanceId(), instanceId);
    QCOMPARE(start.getServiceState(), serviceState);
}

void ManagementRepliesTest::upgradeCheck_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("update");
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("versionName");
    QTest::newRow("one entry") << QByteArray(R"({"updates": [{"package": "t.deb", "versionName": "2.0"}]})")
                               << true << QStringLiteral("t.deb") << QStringLiteral("2.0");
    QTest::newRow("halves in two entries")
        << QByteArray(R"({"updates": [{"package": "t.deb"}, {"versionName": "2.0"}]})") << true
        << QStringLiteral("t.deb") << QStringLiteral("2.0");
    QTest::newRow("last writer wins")
        << QByteArray(
               R"({"updates": [{"package": "a", "versionName": "1"}, {"package": "b", "versionName": "2"}]})")
        << true << QStringLiteral("b") << QStringLiteral("2");
    QTest::newRow("non-strings skipped")
        << QByteArray(
               R"({"updates": [{"package": "a", "versionName": "1"}, {"package": 5, "versionName": null}]})")
        << true << QStringLiteral("a") << QStringLiteral("1");
    QTest::newRow("non-objects skipped")
        << QByteArray(R"({"updates": ["x", {"package": "a", "versionName": "1"}, 3]})") << true
        << QStringLiteral("a") << QStringLiteral("1");
    QTest::newRow("later empty text overwrites")
        << QByteArray(R"({"updates": [{"package": "a", "versionName": "1"}, {"versionName": ""}]})") << false
        << QStringLiteral("a") << QString();
    QTest::newRow("package only") << QByteArray(R"({"updates": [{"package": "a"}]})") << false
                                  << QStringLiteral("a") << QString();
    QTest::newRow("updates is an object")
        << QByteArray(R"({"updates": {"package": "a", "versionName": "1"}})") << false << QString()
        << QString();
    QTest::newRow("empty updates") << QByteArray(R"({"updates": []})") << false << QString() << QString();
    QTest::newRow("no updates") << QByteArray("{}") << false << QString() << QString();
}

void ManagementRepliesTest::upgradeCheck()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, update);
    QFETCH(QString, package);
    QFETCH(QString, versionName);
    RequestCheckUpgradeTorvo request(nullptr);
    QCOMPARE(request.readJson(object(json)), QString());
    QCOMPARE(request.hasUpdate(), update);
    QCOMPARE(request.getPackage(), package);
    QCOMPARE(request.getVersionName(), versionName);
}

void ManagementRepliesTest::torvoSettings_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("compatibilityMode");
    QTest::addColumn<bool>("allowRemoteConnection");
    QTest::addColumn<QString>("gismtAddress");
    QTest::newRow("all") << QByteArray(R"({"compatibilityMode": true, "allowRemoteConnection": true,
                                           "gismtAddress": "https://gis"})")
                         << true << true << QStringLiteral("https://gis");
    QTest::newRow("one flag") << QByteArray(R"({"allowRemoteConnection": true})") << false << true
                              << QString();
    QTest::newRow("wrong types") << QByteArray(R"({"compatibilityMode": "true", "allowRemoteConnection": 1,
                                                   "gismtAddress": 8080})")
                                 << false << false << QString();
    QTest::newRow("nothing") << QByteArray("{}") << false << false << QString();
}

void ManagementRepliesTest::torvoSettings()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, compatibilityMode);
    QFETCH(bool, allowRemoteConnection);
    QFETCH(QString, gismtAddress);
    RequestTorvoSettings request(nullptr);
    QCOMPARE(request.readJson(object(json)), QString());
    QCOMPARE(request.getCompatibilityMode(), compatibilityMode);
    QCOMPARE(request.getAllowRemoteConnection(), allowRemoteConnection);
    QCOMPARE(request.getGismtAddress(), gismtAddress);
}

void ManagementRepliesTest::lmSettings_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("expected"); // address, port, login, password
    const QString failed = QStringLiteral("Не удалось получить настройки ЛМ");
    QTest::newRow("all four")
        << QByteArray(R"({"address": "10.0.0.5", "port": 8080, "login": "op", "password": "pw"})")
        << QString() << QStringList({"10.0.0.5", "8080", "op", "pw"});
    QTest::newRow("no password") << QByteArray(R"({"address": "10.0.0.5", "port": 8080, "login": "op"})")
                                 << failed << QStringList({"", "", "", ""});
    QTest::newRow("no address") << QByteArray(R"({"port": 8080, "login": "op", "password": "pw"})") << failed
                                << QStringList({"", "", "", ""});
    QTest::newRow("port as text") << QByteArray(
                                         R"({"address": "a", "port": "8080", "login": "l", "password": "p"})")
                                  << QString() << QStringList({"a", "0", "l", "p"});
    QTest::newRow("fractional port")
        << QByteArray(R"({"address": "a", "port": 80.5, "login": "l", "password": "p"})") << QString()
        << QStringList({"a", "0", "l", "p"});
    QTest::newRow("null values") << QByteArray(
                                        R"({"address": null, "port": null, "login": null, "password": null})")
                                 << QString() << QStringList({"", "0", "", ""});
}

void ManagementRepliesTest::lmSettings()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    QFETCH(QStringList, expected);
    RequestLMSettings request(nullptr);
    QCOMPARE(request.readJson(object(json)), error);
    QCOMPARE(
        QStringList({request.getAddress(), request.getPort(), request.getLogin(), request.getPassword()}),
        expected);
}

void ManagementRepliesTest::lmSettingsUpdateBody_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<int>("sentPort");
    QTest::newRow("port and new password") << QStringLiteral("8080") << QStringLiteral("n3w") << 8080;
    QTest::newRow("empty new password") << QStringLiteral("8080") << QString() << 8080;
    QTest::newRow("letters after digits") << QStringLiteral("12ab") << QString() << 0;
    QTest::newRow("letters") << QStringLiteral("port") << QString() << 0;
    QTest::newRow("empty port") << QString() << QString() << 0;
    QTest::newRow("beyond int") << QStringLiteral("99999999999") << QString() << 0;
}

void ManagementRepliesTest::lmSettingsUpdateBody()
{
    QFETCH(QString, port);
    QFETCH(QString, newPassword);
    QFETCH(int, sentPort);
    RequestLMSettingsUpdate request(nullptr);
    request.setAddress(QStringLiteral("lm.local"));
    request.setPort(port);
    request.setLogin(QStringLiteral("op"));
    request.setPassword(QStringLiteral("old"));
    request.setNewPassword(newPassword);

    QJsonObject expected{{"address", "lm.local"}, {"port", sentPort}, {"login", "op"}, {"password", "old"}};
    if (!newPassword.isEmpty()) {
        expected.insert("newPassword", newPassword);
    }
    const QByteArray body = request.createRequestData();
    QCOMPARE(body, QJsonDocument(expected).toJson(QJsonDocument::Indented));
    const QJsonObject sent = QJsonDocument::fromJson(body).object();
    QVERIFY(sent.value("port").isDouble());
    QCOMPARE(sent.contains("newPassword"), !newPassword.isEmpty());
}

QTEST_GUILESS_MAIN(ManagementRepliesTest)
#include "tst_managementreplies.moc"
