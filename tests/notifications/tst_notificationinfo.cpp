// The notification records: conversions, equality, and their travel through signals.
#include "notifications/NotificationInfo.h"

#include <QJsonObject>
#include <QtTest>

#include <functional>

namespace {

// Emits one of each record type, so that connections of every kind can carry them.
class Emitter : public QObject
{
    Q_OBJECT

signals:
    void hashChanged(NotificationHash hash);
    void summaryChanged(CriticalNotificationType type);
    void modulesChanged(CriticalModuleNotification modules);
    void filterChanged(const QSet<NotificationModule>& filter);
    void pageLoaded(QList<NotificationInfo> page);
    void idsChosen(QList<int> ids);
    void moduleChosen(NotificationModule module);
    void typeChosen(NotificationType type);
};

using Mutation = std::function<void(NotificationInfo&)>;
using FlagMutation = std::function<void(CriticalModuleNotification&)>;

} // namespace

Q_DECLARE_METATYPE(Mutation)
Q_DECLARE_METATYPE(FlagMutation)

class NotificationInfoTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void moduleFromWire_data();
    void moduleFromWire();
    void moduleName_data();
    void moduleName();
    void typeFromWire_data();
    void typeFromWire();
    void defaults();
    void recordEquality_data();
    void recordEquality();
    void flagEquality_data();
    void flagEquality();
    void defaultFilterHoldsEveryModule();
    void travelsThroughSignals_data();
    void travelsThroughSignals();
};

void NotificationInfoTest::initTestCase()
{
    registerNotificationMetaTypes();
    registerNotificationMetaTypes(); // a second call changes nothing
}

void NotificationInfoTest::moduleFromWire_data()
{
    QTest::addColumn<QString>("wire");
    QTest::addColumn<int>("module");
    QTest::newRow("LDB") << "LDB" << int(LDB);
    QTest::newRow("GISMT") << "GISMT" << int(GISMT);
    QTest::newRow("ZEL") << "ZEL" << int(ZEL);
    QTest::newRow("TORVO") << "TORVO" << int(TORVO);
    QTest::newRow("DKKT") << "DKKT" << int(DKKT);
    QTest::newRow("CLIENT_SOFTWARE") << "CLIENT_SOFTWARE" << int(CLIENT_SOFTWARE);
    QTest::newRow("lower case") << "gismt" << int(UNKNOWN);
    QTest::newRow("padded") << " LDB" << int(UNKNOWN);
    QTest::newRow("empty") << "" << int(UNKNOWN);
    QTest::newRow("display name") << "Torvo" << int(UNKNOWN);
    QTest::newRow("UNKNOWN itself") << "UNKNOWN" << int(UNKNOWN);
}

void NotificationInfoTest::moduleFromWire()
{
    QFETCH(QString, wire);
    QFETCH(int, module);
    QCOMPARE(int(notificationModuleFromWire(wire)), module);
    QCOMPARE(int(notificationFromJson(QJsonObject{{"notificationModule", wire}}).notificationModule), module);
}

void NotificationInfoTest::moduleName_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("name");
    QTest::newRow("LDB") << int(LDB) << "ЛМ ЧЗ";
    QTest::newRow("GISMT") << int(GISMT) << "ГИС МТ";
    QTest::newRow("ZEL") << int(ZEL) << "ZEL";
    QTest::newRow("TORVO") << int(TORVO) << "Torvo";
    QTest::newRow("DKKT") << int(DKKT) << "ДККТ";
    QTest::newRow("CLIENT_SOFTWARE") << int(CLIENT_SOFTWARE) << "Кассовое ПО";
    QTest::newRow("UNKNOWN") << int(UNKNOWN) << "Неизвестный модуль";
    QTest::newRow("negative") << -1 << "Неизвестный модуль";
    QTest::newRow("past the end") << 7 << "Неизвестный модуль";
}

void NotificationInfoTest::moduleName()
{
    QFETCH(int, module);
    QFETCH(QString, name);
    QCOMPARE(notificationModuleName(module), name);
}

void NotificationInfoTest::typeFromWire_data()
{
    QTest::addColumn<bool>("isRead");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("expected");
    QTest::newRow("read ERR") << true << "ERR" << int(Read);
    QTest::newRow("read other") << true << "INFO" << int(Read);
    QTest::newRow("unread ERR") << false << "ERR" << int(Error);
    QTest::newRow("unread err") << false << "err" << int(Unread);
    QTest::newRow("unread ERROR") << false << "ERROR" << int(Unread);
    QTest::newRow("unread none") << false << "" << int(Unread);
}

void NotificationInfoTest::typeFromWire()
{
    QFETCH(bool, isRead);
    QFETCH(QString, type);
    QFETCH(int, expected);
    QCOMPARE(int(notificationTypeFromWire(isRead, type)), expected);
}

void NotificationInfoTest::defaults()
{
    const NotificationInfo info;
    QCOMPARE(info.id, 0);
    QCOMPARE(info.notificationModule, LDB);
    QCOMPARE(info.notificationType, Unread);
    QVERIFY(!info.isRead);
    QVERIFY(info.header.isEmpty() && info.message.isEmpty() && info.dateTime.isEmpty());
    const CriticalModuleNotification flags;
    QVERIFY(!flags.hasCriticalLdb && !flags.hasCriticalGismt && !flags.hasCriticalTorvo &&
            !flags.hasCriticalDkkt && !flags.hasCriticalSoftware);
}

void NotificationInfoTest::recordEquality_data()
{
    QTest::addColumn<Mutation>("change");
    QTest::addColumn<bool>("equal");
    QTest::newRow("same") << Mutation([](NotificationInfo&) {}) << true;
    QTest::newRow("id") << Mutation([](NotificationInfo& n) { n.id = 8; }) << false;
    QTest::newRow("header") << Mutation([](NotificationInfo& n) { n.header += 'x'; }) << false;
    QTest::newRow("message") << Mutation([](NotificationInfo& n) { n.message.clear(); }) << false;
    QTest::newRow("type") << Mutation([](NotificationInfo& n) { n.notificationType = Error; }) << false;
    QTest::newRow("module") << Mutation([](NotificationInfo& n) { n.notificationModule = ZEL; }) << false;
    QTest::newRow("dateTime") << Mutation([](NotificationInfo& n) { n.dateTime = "2024"; }) << false;
    QTest::newRow("isRead only") << Mutation([](NotificationInfo& n) { n.isRead = true; }) << false;
}

void NotificationInfoTest::recordEquality()
{
    QFETCH(Mutation, change);
    QFETCH(bool, equal);
    NotificationInfo base;
    base.id = 7;
    base.header = "h";
    base.message = "m";
    base.dateTime = "2023-01-01T00:00:00";
    NotificationInfo other = base;
    change(other);
    QCOMPARE(base == other, equal);
    QCOMPARE(base != other, !equal);
}

void NotificationInfoTest::flagEquality_data()
{
    QTest::addColumn<FlagMutation>("change");
    QTest::newRow("Ldb") << FlagMutation([](CriticalModuleNotification& c) { c.hasCriticalLdb = true; });
    QTest::newRow("Gismt") << FlagMutation([](CriticalModuleNotification& c) { c.hasCriticalGismt = true; });
    QTest::newRow("Torvo") << FlagMutation([](CriticalModuleNotification& c) { c.hasCriticalTorvo = true; });
    QTest::newRow("Dkkt") << FlagMutation([](CriticalModuleNotification& c) { c.hasCriticalDkkt = true; });
    QTest::newRow("Software") << FlagMutation(
        [](CriticalModuleNotification& c) { c.hasCriticalSoftware = true; });
}

void NotificationInfoTest::flagEquality()
{
    QFETCH(FlagMutation, change);
    CriticalModuleNotification changed;
    change(changed);
    QVERIFY(changed != CriticalModuleNotification());
    QVERIFY(!(changed == CriticalModuleNotification()));
    CriticalModuleNotification same;
    change(same);
    QVERIFY(changed == same);
}

void NotificationInfoTest::defaultFilterHoldsEveryModule()
{
    const QSet<NotificationModule> filter = defaultModuleFilter();
    QCOMPARE(filter.size(), 7);
    for (int module = LDB; module <= UNKNOWN; ++module) {
        QVERIFY(filter.contains(NotificationModule(module)));
    }
}

void NotificationInfoTest::travelsThroughSignals_data()
{
    QTest::addColumn<int>("connection");
    QTest::newRow("direct") << int(Qt::DirectConnection);
    QTest::newRow("queued") << int(Qt::QueuedConnection);
}

void NotificationInfoTest::travelsThroughSignals()
{
    QFETCH(int, connection);
    const auto type = Qt::ConnectionType(connection);

    NotificationInfo info;
    info.id = 3;
    info.header = "Заголовок";
    info.notificationModule = DKKT;
    const NotificationHash hash{{3, info}};
    CriticalModuleNotification flags;
    flags.hasCriticalTorvo = true;
    const QSet<NotificationModule> filter{GISMT, UNKNOWN};
    const QList<NotificationInfo> page{info, NotificationInfo()};
    const QList<int> ids{3, 3, 7};

    Emitter emitter;
    QObject receiver;
    QVariantList seen;
    connect(
        &emitter, &Emitter::hashChanged, &receiver,
        [&](NotificationHash h) { seen << QVariant::fromValue(h); }, type);
    connect(
        &emitter, &Emitter::summaryChanged, &receiver,
        [&](CriticalNotificationType t) { seen << QVariant::fromValue(t); }, type);
    connect(
        &emitter, &Emitter::modulesChanged, &receiver,
        [&](CriticalModuleNotification c) { seen << QVariant::fromValue(c); }, type);
    connect(
        &emitter, &Emitter::filterChanged, &receiver,
        [&](const QSet<NotificationModule>& f) { seen << QVariant::fromValue(f); }, type);
    connect(
        &emitter, &Emitter::pageLoaded, &receiver,
        [&](QList<NotificationInfo> p) { seen << QVariant::fromValue(p); }, type);
    connect(
        &emitter, &Emitter::idsChosen, &receiver, [&](QList<int> i) { seen << QVariant::fromValue(i); },
        type);
    connect(
        &emitter, &Emitter::moduleChosen, &receiver,
        [&](NotificationModule m) { seen << QVariant::fromValue(m); }, type);
    connect(
        &emitter, &Emitter::typeChosen, &receiver,
        [&](NotificationType t) { seen << QVariant::fromValue(t); }, type);
    QSignalSpy spy(&emitter, &Emitter::hashChanged);
    QVERIFY(spy.isValid());

    emit emitter.hashChanged(hash);
    emit emitter.summaryChanged(HasCritical);
    emit emitter.modulesChanged(flags);
    emit emitter.filterChanged(filter);
    emit emitter.pageLoaded(page);
    emit emitter.idsChosen(ids);
    emit emitter.moduleChosen(CLIENT_SOFTWARE);
    emit emitter.typeChosen(Error);

    QTRY_COMPARE(seen.size(), 8);
    QCOMPARE(seen.at(0).value<NotificationHash>(), hash);
    QCOMPARE(seen.at(1).value<CriticalNotificationType>(), HasCritical);
    QVERIFY(seen.at(2).value<CriticalModuleNotification>() == flags);
    QCOMPARE(seen.at(3).value<QSet<NotificationModule>>(), filter);
    QCOMPARE(seen.at(4).value<QList<NotificationInfo>>(), page);
    QCOMPARE(seen.at(5).value<QList<int>>(), ids);
    QCOMPARE(seen.at(6).value<NotificationModule>(), CLIENT_SOFTWARE);
    QCOMPARE(seen.at(7).value<NotificationType>(), Error);
    QCOMPARE(spy.first().first().value<NotificationHash>(), hash);
}

QTEST_GUILESS_MAIN(NotificationInfoTest)
#include "tst_notificationinfo.moc"
