// The four module panels on a real information page, redrawn from the application state that
// a loopback server fills: rows, values, status dots, log lines, critical flags, the
// notification button and the ЛМ ЧЗ settings button.
#include "ServiceScript.h"
#include "TestEnvironment.h"
#include "TestServer.h"

#include "app/ApplicationState.h"
#include "ui/GISPanel.h"
#include "ui/InfoPage.h"
#include "ui/KKTPanel.h"
#include "ui/LMPanel.h"
#include "ui/LmSettingsDialog.h"
#include "ui/SoftwarePanel.h"
#include "ui/StatusIndicator.h"
#include "ui/StatusLine.h"
#include "ui/TorvoPanel.h"
#include "widgets/QtMaterialIconButton.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QAccessible>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QtTest>

#include <ctime>
#include <memory>

namespace {

const QString device = QStringLiteral("0128000000001");

ModulePanel* panelNamed(const InfoPage& page, const QString& name)
{
    if (name == QLatin1String("kkt")) {
        return page.findChild<KKTPanel*>();
    }
    if (name == QLatin1String("lm")) {
        return page.findChild<LMPanel*>();
    }
    if (name == QLatin1String("software")) {
        return page.findChild<SoftwarePanel*>();
    }
    if (name == QLatin1String("gis")) {
        return page.findChild<GISPanel*>();
    }
    return page.findChild<TorvoPanel*>();
}

// The value label of the row captioned `caption`.
QLabel* valueOf(ModulePanel* panel, const QString& caption)
{
    return panel->findChild<QLabel*>(ModulePanel::valueName(caption));
}

QStringList captionsOf(ModulePanel* panel)
{
    auto* grid = panel->findChild<QGridLayout*>();
    QStringList captions;
    for (int row = 0; grid && row < grid->rowCount(); ++row) {
        QLayoutItem* item = grid->itemAtPosition(row, 0);
        if (auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr) {
            captions << label->text();
        }
    }
    return captions;
}

QStringList valuesOf(ModulePanel* panel)
{
    QStringList values;
    for (const QString& caption : captionsOf(panel)) {
        values << valueOf(panel, caption)->text();
    }
    return values;
}

QList<QWidget*> visibleTopLevels()
{
    QList<QWidget*> result;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            result << widget;
        }
    }
    return result;
}

void apply(DeviceScript& script, const QString& field, const QString& value)
{
    if (field == QLatin1String("gismtError")) {
        script.gismtError = value;
    } else if (field == QLatin1String("gismtLast")) {
        script.gismtLastConnection = value;
    } else if (field == QLatin1String("gismtAbsent")) {
        script.hasGismt = false;
    } else if (field == QLatin1String("softwareError")) {
        script.softwareError = value;
    } else if (field == QLatin1String("softwareLast")) {
        script.softwareLastConnection = value;
    } else if (field == QLatin1String("lmCode")) {
        script.lmCode = value;
    } else if (field == QLatin1String("shiftState")) {
        script.shiftState = value;
    } else if (field == QLatin1String("notInList")) {
        script.inKktList = false;
    }
}

} // namespace

class ModulePanelsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void layoutBeforeFirstRedraw_data();
    void layoutBeforeFirstRedraw();
    void redrawShowsRecords();
    void statusDots_data();
    void statusDots();
    void unreadPartSaysWhy_data();
    void unreadPartSaysWhy();
    void serviceTimeInLocalTime_data();
    void serviceTimeInLocalTime();
    void criticalFlagLightsOwnPanelOnly_data();
    void criticalFlagLightsOwnPanelOnly();
    void notificationButtonAsksForOwnModule_data();
    void notificationButtonAsksForOwnModule();
    void lmSettingsButtonFollowsDevice();
    void lmSettingsOneDialogAtATime();

private:
    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    LogReader log;
};

void ModulePanelsTest::initTestCase()
{
    environment = std::make_unique<TestEnvironment>(server.port());
    registerNotificationMetaTypes();
    // Local time five hours ahead of UTC, without summer time, whatever the machine's zone.
    qputenv("TZ", "XYZ-5");
    tzset();
}

void ModulePanelsTest::init()
{
    server.clearReplies();
    server.clearRequests();
    log.mark();
}

void ModulePanelsTest::cleanup()
{
    QVERIFY(waitForNetworkIdle());
    QTRY_VERIFY(visibleTopLevels().isEmpty());
}

void ModulePanelsTest::layoutBeforeFirstRedraw_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("hasDot");

    QTest::newRow("kkt") << "kkt" << QStringLiteral("Информация о кассе")
                         << QStringList{QStringLiteral("Модель:"), QStringLiteral("Заводской номер:"),
                                        QStringLiteral("ФН:"),     QStringLiteral("РНМ:"),
                                        QStringLiteral("ИНН:"),    QStringLiteral("Смена:")}
                         << true;
    QTest::newRow("lm") << "lm" << QStringLiteral("ЛМ ЧЗ")
                        << QStringList{QStringLiteral("Статус:"), QStringLiteral("Версия:"),
                                       QStringLiteral("IP:"), QStringLiteral("Последняя синхронизация:")}
                        << true;
    QTest::newRow("software") << "software" << QStringLiteral("Кассовое ПО")
                              << QStringList{QStringLiteral("Статус:"), QStringLiteral("Версия:"),
                                             QStringLiteral("Название:")}
                              << true;
    QTest::newRow("gis") << "gis" << QStringLiteral("ГИС МТ")
                         << QStringList{QStringLiteral("Статус:"), QStringLiteral("ID:"),
                                        QStringLiteral("Последняя синхронизация:")}
                         << true;
    QTest::newRow("torvo") << "torvo" << QStringLiteral("Torvo")
                           << QStringList{QStringLiteral("Состояние:"), QStringLiteral("ID:"),
                                          QStringLiteral("Версия:")}
                           << false;
}

void ModulePanelsTest::layoutBeforeFirstRedraw()
{
    QFETCH(QString, panel);
    QFETCH(QString, title);
    QFETCH(QStringList, captions);
    QFETCH(bool, hasDot);

    InfoPage page;
    ModulePanel* subject = panelNamed(page, panel);
    QCOMPARE(subject->property("panelClass").toString(), QStringLiteral("main-panel"));
    QCOMPARE(subject->getTitleLabel()->text(), title);
    QCOMPARE(subject->getTitleLabel()->property("labelClass").toString(), QStringLiteral("header"));
    QCOMPARE(captionsOf(subject), captions);
    for (const QString& caption : captions) {
        QVERIFY(valueOf(subject, caption)->text().isEmpty());
        // Service texts are shown as they are, never as markup.
        QCOMPARE(valueOf(subject, caption)->textFormat(), Qt::PlainText);
    }
    QVERIFY(subject->getNotificationButton()->isHidden());
    QCOMPARE(subject->getNotificationButton()->color(), QColor(Qt::red));
    if (hasDot) {
        QVERIFY(subject->getStatusIndicator()->isHidden());
        QCOMPARE(subject->getStatusIndicator()->getStatus(), StatusIndicator::Hidden);
        QCOMPARE(subject->getStatusIndicator()->size(), QSize(7, 7));
    } else {
        QVERIFY(!subject->getStatusIndicator());
    }
}

void ModulePanelsTest::redrawShowsRecords()
{
    DeviceScript script;
    script.device = device;
    scriptDevice(server, script);
    InfoPage page;
    QVERIFY(selectDevice(device));

    QCOMPARE(valuesOf(panelNamed(page, "kkt")),
             QStringList({script.modelName, device, script.fnSerial, script.kktRnm, script.kktInn,
                          script.shiftState}));
    QCOMPARE(valuesOf(panelNamed(page, "lm")),
             QStringList({QStringLiteral("Готов к работе"), script.lmVersion,
                          QStringLiteral("192.168.1.20:5995"), QString()}));
    QCOMPARE(valuesOf(panelNamed(page, "software")),
             QStringList({QStringLiteral("Стабильно"), script.softwareVersion, script.softwareName}));
    QCOMPARE(valuesOf(panelNamed(page, "gis")),
             QStringList({QStringLiteral("Стабильно"), script.gismtVelkorId, script.gismtLastConnection}));

    QVERIFY(
        log.contains(QStringLiteral("Обновление информации о ККТ: model=`АТОЛ 30Ф` serial=`0128000000001` "
                                    "fn=`9960440300000001` rnm=`0000000001012345` inn=`7700000000` "
                                    "shift=`Открыта`")));
    QVERIFY(log.contains(QStringLiteral("Обновление информации о ПО: version=`6.9` status=`Стабильно`")));
    QVERIFY(log.contains(QStringLiteral("Обновление информации о ГИС МТ: connectionStatus=`Стабильно` "
                                        "lastConnection=`2026-12-01 10:00:00`")));
    // The ЛМ panel redraws empty as the device is picked, then for its status and for its
    // settings; the last line holds both.
    const QStringList lmLines = log.messages().filter(QStringLiteral("Обновление информации о ЛМ: "));
    QCOMPARE(lmLines.size(), 3);
    QCOMPARE(lmLines.first(),
             QStringLiteral("Обновление информации о ЛМ: connectionStatus=`` version=`` ip=`` "
                            "lastConnection=``"));
    QCOMPARE(lmLines.last(), QStringLiteral("Обновление информации о ЛМ: connectionStatus=`Готов к работе` "
                                            "version=`0.9.1` ip=`192.168.1.20:5995` lastConnection=``"));
    for (const QString& line : log.lines().filter(QStringLiteral("Обновление информации о "))) {
        QVERIFY2(line.contains(QStringLiteral(" DEBUG [GUI] ")), qPrintable(line));
    }
}

void ModulePanelsTest::statusDots_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shownText");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("toolTip");

    const QString ok = QStringLiteral("Успешно");
    const QString bad = QStringLiteral("Ошибка");
    const QString unknown = QStringLiteral("Неизвестно");
    QTest::newRow("gis stable") << "gis"
                                << "gismtLast" << QStringLiteral("2026-12-01") << QStringLiteral("Стабильно")
                                << int(StatusIndicator::Success) << ok;
    QTest::newRow("gis unknown") << "gis"
                                 << "gismtLast" << QString() << unknown << int(StatusIndicator::Unknown)
                                 << unknown;
    QTest::newRow("gis lower-case stable")
        << "gis"
        << "gismtError" << QStringLiteral("стабильно") << QStringLiteral("стабильно")
        << int(StatusIndicator::Failure) << bad;
    QTest::newRow("gis error") << "gis"
                               << "gismtError" << QStringLiteral("Нет связи с ГИС МТ")
                               << QStringLiteral("Нет связи с ГИС МТ") << int(StatusIndicator::Failure)
                               << bad;
    QTest::newRow("gis absent") << "gis"
                                << "gismtAbsent" << QString() << QString() << int(StatusIndicator::Hidden)
                                << unknown;
    QTest::newRow("software stable") << "software"
                                     << "softwareLast" << QStringLiteral("2026-12-01")
                                     << QStringLiteral("Стабильно") << int(StatusIndicator::Success) << ok;
    QTest::newRow("software error") << "software"
                                    << "softwareError" << QStringLiteral("Касса не отвечает")
                                    << QStringLiteral("Касса не отвечает") << int(StatusIndicator::Failure)
                                    << bad;
    QTest::newRow("lm ready") << "lm"
                              << "lmCode" << QStringLiteral("ready") << QStringLiteral("Готов к работе")
                              << int(StatusIndicator::Success) << ok;
    QTest::newRow("lm sync error") << "lm"
                                   << "lmCode" << QStringLiteral("sync_error")
                                   << QStringLiteral("Ошибка синхронизации") << int(StatusIndicator::Failure)
                                   << bad;
    QTest::newRow("lm upper-case code")
        << "lm"
        << "lmCode" << QStringLiteral("READY") << unknown << int(StatusIndicator::Unknown) << unknown;
    // An identifier-like text with no space in it wraps within its half of the page.
    const QString unbroken = QStringLiteral("token=8f3a2c917be04d1a9c55e1f0a7b3d2c6e9f81234abcdef0123456789");
    QTest::newRow("software long error")
        << "software"
        << "softwareError" << unbroken << unbroken << int(StatusIndicator::Failure) << bad;
    QTest::newRow("shift open") << "kkt"
                                << "shiftState" << QStringLiteral("Открыта") << QStringLiteral("Открыта")
                                << int(StatusIndicator::Success) << ok;
    QTest::newRow("shift closed") << "kkt"
                                  << "shiftState" << QStringLiteral("Закрыта") << QStringLiteral("Закрыта")
                                  << int(StatusIndicator::Failure) << bad;
    QTest::newRow("no register") << "kkt"
                                 << "notInList" << QString() << QString() << int(StatusIndicator::Hidden)
                                 << unknown;
}

void ModulePanelsTest::statusDots()
{
    QFETCH(QString, panel);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, shownText);
    QFETCH(int, status);
    QFETCH(QString, toolTip);

    InfoPage page;
    page.resize(780, 700);
    page.show();
    // Light every dot first, so that a hidden outcome is a redraw's doing.
    DeviceScript lit;
    lit.device = device;
    lit.gismtError = lit.softwareError = QStringLiteral("x");
    lit.lmCode = QStringLiteral("sync_error");
    scriptDevice(server, lit);
    QVERIFY(selectDevice(device));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QString statusRow =
        panel == QLatin1String("kkt") ? QStringLiteral("Смена:") : QStringLiteral("Статус:");
    const int valueX = valueOf(panelNamed(page, panel), statusRow)->x();

    DeviceScript script;
    script.device = device;
    apply(script, field, value);
    scriptDevice(server, script);
    QVERIFY(selectDevice(device));

    ModulePanel* subject = panelNamed(page, panel);
    QCOMPARE(valueOf(subject, statusRow)->text(), shownText);
    // A dot that goes does not pull the values left, and no value widens its column.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(valueOf(subject, statusRow)->x(), valueX);
    QVERIFY(valueOf(subject, statusRow)->minimumSizeHint().width() <= subject->width() / 2);
    StatusIndicator* dot = subject->getStatusIndicator();
    QCOMPARE(int(dot->getStatus()), status);
    QCOMPARE(dot->toolTip(), toolTip);
    // A screen reader hears the row's status text, and what the colour means.
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(dot);
    QCOMPARE(heard->text(QAccessible::Name), shownText.isEmpty() ? toolTip : shownText);
    QCOMPARE(heard->text(QAccessible::Description), toolTip);
    QCOMPARE(heard->state().invisible, status == StatusIndicator::Hidden);
    QCOMPARE(dot->isVisible(), status != StatusIndicator::Hidden);
    QCOMPARE(dot->styleSheet().section(QLatin1Char(';'), 0, 0),
             QStringLiteral("background-color: ") +
                 StatusIndicator::colorOf(StatusIndicator::Status(status)));
}

void ModulePanelsTest::unreadPartSaysWhy_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("path");     // the read that fails
    QTest::addColumn<int>("read");         // its state in the application state
    QTest::addColumn<QString>("knownRow"); // the caption of a row the panel's other read fills
    QTest::addColumn<QString>("known");    // its value

    const QString none;
    QTest::newRow("kkt") << "kkt" << ServicePaths::kktList() << int(StatusRead::Kkt) << none << none;
    QTest::newRow("software") << "software" << ServicePaths::status(device) << int(StatusRead::Connection)
                              << none << none;
    QTest::newRow("lm status") << "lm" << ServicePaths::lmStatus(device) << int(StatusRead::Lm)
                               << QStringLiteral("IP:") << QStringLiteral("192.168.1.20:5995");
    QTest::newRow("lm address") << "lm" << ServicePaths::lmSettings(device) << int(StatusRead::LmSettings)
                                << QStringLiteral("Статус:") << QStringLiteral("Готов к работе");
    QTest::newRow("gis status") << "gis" << ServicePaths::status(device) << int(StatusRead::Connection)
                                << QStringLiteral("ID:") << QStringLiteral("GM-0001");
    QTest::newRow("gis id") << "gis" << ServicePaths::torvoStatus(device) << int(StatusRead::Torvo)
                            << QStringLiteral("Статус:") << QStringLiteral("Стабильно");
    QTest::newRow("torvo update") << "torvo" << ServicePaths::update(device) << int(StatusRead::UpgradeCheck)
                                  << QStringLiteral("ID:") << QStringLiteral("VK-0001");
}

void ModulePanelsTest::unreadPartSaysWhy()
{
    QFETCH(QString, panel);
    QFETCH(QString, path);
    QFETCH(int, read);
    QFETCH(QString, knownRow);
    QFETCH(QString, known);

    DeviceScript script;
    script.device = device;
    scriptDevice(server, script);
    server.setJson(QStringLiteral("GET"), path, "<html/>");
    InfoPage page;
    ModulePanel* subject = panelNamed(page, panel);
    QtMaterialRaisedButton* registration = page.findChild<TorvoPanel*>()->getRegisterButton();
    ApplicationState::getInstance()->setCurrentDevice(QString());
    ApplicationState::getInstance()->setCurrentDevice(device);
    // The first read for the register is on its way; nothing is offered on what is not known.
    QVERIFY(!subject->getReadLine()->isHidden());
    QVERIFY(registration->isHidden());
    QVERIFY(waitForNetworkIdle());
    QCOMPARE(registration->isHidden(), StatusRead(read) == StatusRead::Torvo);

    // What failed says why; what the other read brought stays.
    const QString error = ApplicationState::getInstance()->getReadState(StatusRead(read)).error;
    QVERIFY(error.startsWith(QStringLiteral("Ошибка парсинга ответа: ")));
    // In words for the operator, the request's own text for support.
    QVERIFY2(subject->getReadLine()->text().contains(
                 QStringLiteral(": ответ службы Torvo не удалось прочитать (в ")),
             qPrintable(subject->getReadLine()->text()));
    QVERIFY(subject->getReadLine()->toolTip().endsWith(error));
    if (!knownRow.isEmpty()) {
        QCOMPARE(valueOf(subject, knownRow)->text(), known);
    }

    // Until the same read succeeds.
    scriptDevice(server, script);
    QVERIFY(selectDevice(device));
    QVERIFY(subject->getReadLine()->isHidden());
    QVERIFY(!registration->isHidden());
}

void ModulePanelsTest::serviceTimeInLocalTime_data()
{
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("shown");
    QTest::newRow("utc offset") << QStringLiteral("2026-12-07T06:09:42+00:00")
                                << QStringLiteral("2026-12-07 11:09:42");
    QTest::newRow("zulu, next day") << QStringLiteral("2026-12-07T21:30:00Z")
                                    << QStringLiteral("2026-12-08 02:30:00");
    QTest::newRow("moscow") << QStringLiteral("2026-12-07T06:09:42+03:00")
                            << QStringLiteral("2026-12-07 08:09:42");
    QTest::newRow("milliseconds") << QStringLiteral("2026-12-07T06:09:42.250Z")
                                  << QStringLiteral("2026-12-07 11:09:42");
    // Without a zone the service's meaning is unknown; shown as sent, like anything unparsed.
    QTest::newRow("no zone") << QStringLiteral("2026-12-07T06:09:42")
                             << QStringLiteral("2026-12-07T06:09:42");
    QTest::newRow("not a time") << QStringLiteral("вчера") << QStringLiteral("вчера");
    QTest::newRow("out of range") << QStringLiteral("2026-13-40T06:09:42Z")
                                  << QStringLiteral("2026-13-40T06:09:42Z");
}

void ModulePanelsTest::serviceTimeInLocalTime()
{
    QFETCH(QString, sent);
    QFETCH(QString, shown);

    DeviceScript script;
    script.device = device;
    script.gismtLastConnection = sent;
    scriptDevice(server, script);
    InfoPage page;
    QVERIFY(selectDevice(device));

    QCOMPARE(valueOf(panelNamed(page, "gis"), QStringLiteral("Последняя синхронизация:"))->text(), shown);
    // Only the display changes: the record and the log keep the service's text.
    QCOMPARE(ApplicationState::getInstance()->getGismtInfo().lastConnection, sent);
    QVERIFY(log.contains(QStringLiteral("lastConnection=`") + sent + QLatin1Char('`')));
}

void ModulePanelsTest::criticalFlagLightsOwnPanelOnly_data()
{
    QTest::addColumn<int>("flag"); // index into the record's five flags
    QTest::addColumn<QString>("panel");
    QTest::newRow("ldb") << 0 << "lm";
    QTest::newRow("gismt") << 1 << "gis";
    QTest::newRow("torvo") << 2 << "torvo";
    QTest::newRow("dkkt") << 3 << "kkt";
    QTest::newRow("software") << 4 << "software";
}

void ModulePanelsTest::criticalFlagLightsOwnPanelOnly()
{
    QFETCH(int, flag);
    QFETCH(QString, panel);

    InfoPage page;
    CriticalModuleNotification record;
    bool* flags[] = {&record.hasCriticalLdb, &record.hasCriticalGismt, &record.hasCriticalTorvo,
                     &record.hasCriticalDkkt, &record.hasCriticalSoftware};
    *flags[flag] = true;

    ModulePanel* lit = panelNamed(page, panel);
    lit->getNotificationButton()->setColor(Qt::blue);
    for (ModulePanel* each : page.getPanels()) {
        each->updateCriticalModuleNotification(record);
    }
    for (ModulePanel* each : page.getPanels()) {
        QCOMPARE(!each->getNotificationButton()->isHidden(), each == lit);
    }
    QCOMPARE(lit->getNotificationButton()->color(), QColor(Qt::red));

    // Every other flag set and this one clear: the lit button goes dark, all others light up.
    for (bool* each : flags) {
        *each = !*each;
    }
    for (ModulePanel* each : page.getPanels()) {
        each->updateCriticalModuleNotification(record);
    }
    for (ModulePanel* each : page.getPanels()) {
        QCOMPARE(each->getNotificationButton()->isHidden(), each == lit);
    }
}

void ModulePanelsTest::notificationButtonAsksForOwnModule_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("name");
    QTest::newRow("kkt") << "kkt" << int(DKKT) << QStringLiteral("Уведомления: ДККТ");
    QTest::newRow("lm") << "lm" << int(LDB) << QStringLiteral("Уведомления: ЛМ ЧЗ");
    QTest::newRow("software") << "software" << int(CLIENT_SOFTWARE)
                              << QStringLiteral("Уведомления: Кассовое ПО");
    QTest::newRow("gis") << "gis" << int(GISMT) << QStringLiteral("Уведомления: ГИС МТ");
    QTest::newRow("torvo") << "torvo" << int(TORVO) << QStringLiteral("Уведомления: Torvo");
}

void ModulePanelsTest::notificationButtonAsksForOwnModule()
{
    QFETCH(QString, panel);
    QFETCH(int, module);
    QFETCH(QString, name);

    InfoPage page;
    page.show();
    CriticalModuleNotification all;
    all.hasCriticalLdb = all.hasCriticalGismt = all.hasCriticalTorvo = all.hasCriticalDkkt =
        all.hasCriticalSoftware = true;
    QList<QSignalSpy*> spies;
    for (ModulePanel* each : page.getPanels()) {
        each->updateCriticalModuleNotification(all);
        spies << new QSignalSpy(each, &ModulePanel::showNotifications);
    }
    ModulePanel* subject = panelNamed(page, panel);
    // The bell has no text: a screen reader names it by its module.
    QAccessibleInterface* bell = QAccessible::queryAccessibleInterface(subject->getNotificationButton());
    QCOMPARE(bell->role(), QAccessible::Button);
    QCOMPARE(bell->text(QAccessible::Name), name);
    QTest::mouseClick(subject->getNotificationButton(), Qt::LeftButton);

    for (int i = 0; i < spies.size(); ++i) {
        const bool isSubject = page.getPanels().at(i) == subject;
        QCOMPARE(spies.at(i)->count(), isSubject ? 1 : 0);
        if (isSubject) {
            const auto modules = spies.at(i)->first().first().value<QSet<NotificationModule>>();
            QCOMPARE(modules, QSet<NotificationModule>{NotificationModule(module)});
        }
    }
    qDeleteAll(spies);
}

void ModulePanelsTest::lmSettingsButtonFollowsDevice()
{
    DeviceScript script;
    script.device = device;
    scriptDevice(server, script);
    QVERIFY(selectDevice(device));

    {
        InfoPage page;
        QtMaterialRaisedButton* button = page.findChild<LMPanel*>()->getSettingsButton();
        QCOMPARE(button->text(), QStringLiteral("Настроить адрес"));
        QVERIFY(!button->isHaloVisible());
        QVERIFY(button->isHidden());
        page.findChild<LMPanel*>()->updateInfo();
        QVERIFY(!button->isHidden());
        // Without a device there are no settings to edit: the redraw of the emptied record hides it.
        ApplicationState::getInstance()->setCurrentDevice(QString());
        QVERIFY(button->isHidden());
    }
}

void ModulePanelsTest::lmSettingsOneDialogAtATime()
{
    DeviceScript script;
    script.device = device;
    scriptDevice(server, script);
    InfoPage page;
    page.show();
    QVERIFY(selectDevice(device));
    server.clearRequests();
    LMPanel* panel = page.findChild<LMPanel*>();
    QtMaterialRaisedButton* button = panel->getSettingsButton();
    QTRY_VERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->isEnabled());
    QCOMPARE(panel->findChildren<LmSettingsDialog*>().size(), 1);
    QPointer<LmSettingsDialog> dialog = panel->findChild<LmSettingsDialog*>();
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QVERIFY(waitForNetworkIdle());
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(server.lastRequest().path, ServicePaths::lmSettings(device));

    dialog->close();
    QVERIFY(button->isEnabled());
    QTRY_VERIFY(dialog.isNull());

    // The button works again after the dialog has gone.
    QTest::mouseClick(button, Qt::LeftButton);
    QPointer<LmSettingsDialog> second = panel->findChild<LmSettingsDialog*>();
    QVERIFY(second);
    QVERIFY(waitForNetworkIdle());
    second->reject();
    QVERIFY(button->isEnabled());
    QTRY_VERIFY(second.isNull());
}

QTEST_MAIN(ModulePanelsTest)
#include "tst_modulepanels.moc"
