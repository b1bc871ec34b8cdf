// How the device and status requests read the service's replies (no socket needed).
#include "network/RequestConnectionStatus.h"
#include "network/RequestCriticalModule.h"
#include "network/RequestKKTList.h"
#include "network/RequestKKTStatus.h"
#include "network/RequestLMStatus.h"
#include "network/RequestTorvoList.h"
#include "network/RequestTorvoStatus.h"

#include <QJsonDocument>
#include <QtTest>

namespace {

QJsonObject object(const QByteArray& json)
{
    return QJsonDocument::fromJson(json).object();
}

QString describe(const ModuleConnection& module)
{
    return module.error + '|' + module.lastConnection + '|' + module.status;
}

} // namespace

class StatusRepliesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lists_data();
    void lists();
    void connectionStatus_data();
    void connectionStatus();
    void lmStatus_data();
    void lmStatus();
    void torvoStatus_data();
    void torvoStatus();
    void kktStatus_data();
    void kktStatus();
    void criticalModule_data();
    void criticalModule();
};

void StatusRepliesTest::initTestCase()
{
    // A fixed zone, so that local synchronisation times are known texts.
    qputenv("TZ", "MSK-3");
}

void StatusRepliesTest::lists_data()
{
    QTest::addColumn<bool>("instances"); // RequestTorvoList instead of RequestKKTList
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");
    const QString noKkt = QStringLiteral("Нет доступных ККТ");
    const QString noTorvo = QStringLiteral("Нет зарегистрированных Torvo");
    QTest::newRow("three in order, duplicates kept")
        << false << QByteArray(R"({"kkt": [{"kktSerial": "2"}, {"kktSerial": "1"}, {"kktSerial": "2"}]})")
        << QStringList({"2", "1", "2"}) << QString();
    QTest::newRow("only non-objects")
        << false << QByteArray(R"({"kkt": ["1", 2, null, ["3"]]})") << QStringList() << noKkt;
    QTest::newRow("numeric serials") << false << QByteArray(R"({"kkt": [{"kktSerial": 123}]})")
                                     << QStringList() << noKkt;
    QTest::newRow("mixed elements")
        << false << QByteArray(R"({"kkt": [7, {"kktSerial": "X"}, {"serial": "Y"}, {"kktSerial": ""}]})")
        << QStringList({"X", ""}) << QString();
    QTest::newRow("kkt is an object")
        << false << QByteArray(R"({"kkt": {"kktSerial": "X"}})") << QStringList() << noKkt;
    QTest::newRow("kkt missing") << false << QByteArray("{}") << QStringList() << noKkt;
    QTest::newRow("instances") << true
                               << QByteArray(R"({"instances": [{"id": "a"}, {"id": 5}, {"id": "b"}]})")
                               << QStringList({"a", "b"}) << QString();
    QTest::newRow("instances empty") << true << QByteArray(R"({"instances": []})") << QStringList()
                                     << noTorvo;
    QTest::newRow("instances of the wrong key")
        << true << QByteArray(R"({"kkt": [{"id": "a"}]})") << QStringList() << noTorvo;
}

void StatusRepliesTest::lists()
{
    QFETCH(bool, instances);
    QFETCH(QByteArray, json);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);
    RequestKKTList kkt(nullptr);
    RequestTorvoList torvo(nullptr);
    // An earlier reading must not survive into the next one.
    QVERIFY(kkt.readJson(object(R"({"kkt": [{"kktSerial": "old"}]})")).isEmpty());
    QVERIFY(torvo.readJson(object(R"({"instances": [{"id": "old"}]})")).isEmpty());
    if (instances) {
        QCOMPARE(torvo.readJson(object(json)), error);
        QCOMPARE(torvo.getIds(), expected);
    } else {
        QCOMPARE(kkt.readJson(object(json)), error);
        QCOMPARE(kkt.getSerials(), expected);
    }
}

void StatusRepliesTest::connectionStatus_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("expected"); // gismt, lm, zel, software, name, version
    QTest::newRow("only gismt, connected")
        << QByteArray(R"({"gismt": {"lastConnection": "2024-05-01T10:00:00"}})")
        << QStringList({"|2024-05-01T10:00:00|Стабильно", "||", "||", "||", "", ""});
    QTest::newRow("empty module") << QByteArray(R"({"lm": {}})")
                                  << QStringList({"||", "||Неизвестно", "||", "||", "", ""});
    QTest::newRow("error wins over last connection")
        << QByteArray(R"({"zel": {"error": "Таймаут", "lastConnection": "вчера"}})")
        << QStringList({"||", "||", "Таймаут|вчера|Таймаут", "||", "", ""});
    QTest::newRow("empty error string") << QByteArray(R"({"gismt": {"error": "", "lastConnection": "t"}})")
                                        << QStringList({"|t|Стабильно", "||", "||", "||", "", ""});
    QTest::newRow("error not a string") << QByteArray(R"({"gismt": {"error": 500}})")
                                        << QStringList({"||Неизвестно", "||", "||", "||", "", ""});
    QTest::newRow("module not an object")
        << QByteArray(R"({"gismt": "down"})") << QStringList({"||Неизвестно", "||", "||", "||", "", ""});
    QTest::newRow("cash software")
        << QByteArray(R"({"clientSoftware": {"error": "Нет ответа", "name": "Касса+", "version": "3.2"}})")
        << QStringList({"||", "||", "||", "Нет ответа||Нет ответа", "Касса+", "3.2"});
    QTest::newRow("name outside clientSoftware") << QByteArray(R"({"name": "X", "gismt": {"name": "Y"}})")
                                                 << QStringList({"||Неизвестно", "||", "||", "||", "", ""});
    QTest::newRow("nothing") << QByteArray("{}") << QStringList({"||", "||", "||", "||", "", ""});
}

void StatusRepliesTest::connectionStatus()
{
    QFETCH(QByteArray, json);
    QFETCH(QStringList, expected);
    RequestConnectionStatus request(nullptr);
    QCOMPARE(request.readJson(object(json)), QString());
    const QStringList seen = {describe(request.getGismt()), describe(request.getLm()),
                              describe(request.getZel()),   describe(request.getSoftware()),
                              request.getSoftwareName(),    request.getSoftwareVersion()};
    QCOMPARE(seen, expected);
}

void StatusRepliesTest::lmStatus_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("expected"); // version, status, last sync
    const QString failed = QStringLiteral("Не удалось получить статус LM");
    QTest::newRow("no lmStatus") << QByteArray(R"({"version": "1", "status": "ready"})") << failed
                                 << QStringList({"", "", ""});
    QTest::newRow("empty lmStatus") << QByteArray(R"({"lmStatus": {}})") << QString()
                                    << QStringList({"", "", ""});
    QTest::newRow("lmStatus not an object")
        << QByteArray(R"({"lmStatus": 1})") << QString() << QStringList({"", "", ""});
    QTest::newRow("full")
        << QByteArray(R"({"lmStatus": {"version": "1.4", "status": "ready", "lastSync": 1700000000}})")
        << QString() << QStringList({"1.4", "Готов к работе", "2023-11-15 01:13:20"});
    QTest::newRow("not configured") << QByteArray(R"({"lmStatus": {"status": "not_configured"}})")
                                    << QString() << QStringList({"", "Не отконфигурирован", ""});
    QTest::newRow("initialization") << QByteArray(R"({"lmStatus": {"status": "initialization"}})")
                                    << QString() << QStringList({"", "Инициализация", ""});
    QTest::newRow("sync error") << QByteArray(R"({"lmStatus": {"status": "sync_error"}})") << QString()
                                << QStringList({"", "Ошибка синхронизации", ""});
    QTest::newRow("code in capitals") << QByteArray(R"({"lmStatus": {"status": "READY"}})") << QString()
                                      << QStringList({"", "Неизвестно", ""});
    QTest::newRow("empty code") << QByteArray(R"({"lmStatus": {"status": ""}})") << QString()
                                << QStringList({"", "Неизвестно", ""});
    QTest::newRow("never synchronised")
        << QByteArray(R"({"lmStatus": {"lastSync": 0}})") << QString() << QStringList({"", "", ""});
    QTest::newRow("sync time as text") << QByteArray(R"({"lmStatus": {"lastSync": "1700000000"}})")
                                       << QString() << QStringList({"", "", ""});
    QTest::newRow("epoch plus one") << QByteArray(R"({"lmStatus": {"lastSync": 1}})") << QString()
                                    << QStringList({"", "", "1970-01-01 03:00:01"});
    // Seconds past 2^31 are a time like any other, not "never".
    QTest::newRow("after 2038") << QByteArray(R"({"lmStatus": {"lastSync": 2200000000}})") << QString()
                                << QStringList({"", "", "2039-09-19 02:06:40"});
    QTest::newRow("past year 9999") << QByteArray(R"({"lmStatus": {"lastSync": 9007199254740992}})")
                                    << QString() << QStringList({"", "", ""});
    QTest::newRow("not whole seconds")
        << QByteArray(R"({"lmStatus": {"lastSync": 1.5}})") << QString() << QStringList({"", "", ""});
    QTest::newRow("version not a string")
        << QByteArray(R"({"lmStatus": {"version": 2}})") << QString() << QStringList({"", "", ""});
}

void StatusRepliesTest::lmStatus()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    QFETCH(QStringList, expected);
    RequestLMStatus request(nullptr);
    QCOMPARE(request.readJson(object(json)), error);
    QCOMPARE(QStringList({request.getVersion(), request.getStatus(), request.getLastSync()}), expected);
}

void StatusRepliesTest::torvoStatus_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("registered");
    QTest::addColumn<QStringList>("expected"); // state, version, velkor id, gismt velkor id
    QTest::newRow("registered")
        << QByteArray(
               R"({"state": "Зарегистрирован", "version": "5.1", "regData": {"velkorId": "V", "gismtVelkorId": "G"}})")
        << true << QStringList({"Зарегистрирован", "5.1", "V", "G"});
    QTest::newRow("lower-case first letter") << QByteArray(R"({"state": "зарегистрирован"})") << false
                                             << QStringList({"зарегистрирован", "", "", ""});
    QTest::newRow("trailing space") << QByteArray(R"({"state": "Зарегистрирован "})") << false
                                    << QStringList({"Зарегистрирован ", "", "", ""});
    QTest::newRow("other state") << QByteArray(R"({"state": "Не зарегистрирован", "version": "5"})") << false
                                 << QStringList({"Не зарегистрирован", "5", "", ""});
    QTest::newRow("regData not an object")
        << QByteArray(R"({"regData": "V", "velkorId": "W"})") << false << QStringList({"", "", "", ""});
    QTest::newRow("state not a string")
        << QByteArray(R"({"state": true})") << false << QStringList({"", "", "", ""});
}

void StatusRepliesTest::torvoStatus()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, registered);
    QFETCH(QStringList, expected);
    RequestTorvoStatus request(nullptr);
    QCOMPARE(request.readJson(object(json)), QString());
    QCOMPARE(request.isRegistered(), registered);
    QCOMPARE(QStringList({request.getState(), request.getVersion(), request.getVelkorId(),
                          request.getGismtVelkorId()}),
             expected);
}

void StatusRepliesTest::kktStatus_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("expected"); // model, serial, fn, rnm, inn, shift
    const QByteArray three = R"({"kkt": [
        {"kktSerial": "A", "modelName": "M-A", "fnSerial": "F-A", "kktRnm": "R-A", "kktInn": "I-A", "shiftState": "S-A"},
        {"kktSerial": "B", "modelName": "M-B", "fnSerial": "F-B"},
        {"kktSerial": "C", "modelName": "M-C", "kktRnm": "R-C", "kktInn": "I-C", "shiftState": "S-C"}]})";
    QTest::newRow("second of three") << QStringLiteral("B") << three
                                     << QStringList({"M-B", "B", "F-B", "", "", ""});
    QTest::newRow("no match") << QStringLiteral("D") << three << QStringList({"", "", "", "", "", ""});
    QTest::newRow("case differs") << QStringLiteral("a") << three << QStringList({"", "", "", "", "", ""});
    QTest::newRow("later match overwrites key by key")
        << QStringLiteral("A")
        << QByteArray(R"({"kkt": [{"kktSerial": "A", "modelName": "old", "kktInn": "1"},
                                   {"kktSerial": "B", "modelName": "other"},
                                   {"kktSerial": "A", "modelName": "new", "kktInn": 2}]})")
        << QStringList({"new", "A", "", "", "1", ""});
    QTest::newRow("numeric serial never matches")
        << QStringLiteral("123") << QByteArray(R"({"kkt": [{"kktSerial": 123, "modelName": "M"}]})")
        << QStringList({"", "", "", "", "", ""});
    QTest::newRow("non-object elements skipped")
        << QStringLiteral("A")
        << QByteArray(R"({"kkt": ["A", null, {"kktSerial": "A", "shiftState": "Открыта"}]})")
        << QStringList({"", "A", "", "", "", "Открыта"});
    QTest::newRow("kkt not an array") << QStringLiteral("A") << QByteArray(R"({"kkt": {"kktSerial": "A"}})")
                                      << QStringList({"", "", "", "", "", ""});
}

void StatusRepliesTest::kktStatus()
{
    QFETCH(QString, wanted);
    QFETCH(QByteArray, json);
    QFETCH(QStringList, expected);
    RequestKKTStatus request(nullptr);
    request.setSerial(wanted);
    QCOMPARE(request.getSerial(), wanted);
    QCOMPARE(request.readJson(object(json)), QString());
    const KktInfo info = request.getKktInfo();
    QCOMPARE(QStringList(
                 {info.modelName, info.kktSerial, info.fnSerial, info.kktRnm, info.kktInn, info.shiftState}),
             expected);
}

void StatusRepliesTest::criticalModule_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("flags"); // Ldb, Gismt, Torvo, Dkkt, Software
    QTest::newRow("all")
        << QByteArray(R"({"hasCriticalLdb": true, "hasCriticalGismt": true, "hasCriticalTorvo": true,
                                           "hasCriticalDkkt": true, "hasCriticalSoftware": true})")
        << QStringLiteral("11111");
    QTest::newRow("without Dkkt") << QByteArray(R"({"hasCriticalLdb": true, "hasCriticalGismt": true,
                                                   "hasCriticalTorvo": true, "hasCriticalSoftware": true})")
                                  << QStringLiteral("11101");
    QTest::newRow("one each") << QByteArray(R"({"hasCriticalGismt": true, "hasCriticalSoftware": false})")
                              << QStringLiteral("01000");
    QTest::newRow("not booleans") << QByteArray(R"({"hasCriticalLdb": 1, "hasCriticalTorvo": "true"})")
                                  << QStringLiteral("00000");
    QTest::newRow("nothing") << QByteArray("{}") << QStringLiteral("00000");
}

void StatusRepliesTest::criticalModule()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, flags);
    RequestCriticalModule request(nullptr);
    QCOMPARE(request.readJson(object(json)), QString());
    QString seen;
    for (bool flag : {request.hasCriticalLdb(), request.hasCriticalGismt(), request.hasCriticalTorvo(),
                      request.hasCriticalDkkt(), request.hasCriticalSoftware()}) {
        seen += flag ? '1' : '0';
    }
    QCOMPARE(seen, flags);
}

QTEST_GUILESS_MAIN(StatusRepliesTest)
#include "tst_statusreplies.moc"
