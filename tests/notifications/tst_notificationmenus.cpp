// The action and filter menus: their exact items, the signals they send, and the filter's
// check marks against its set of visible modules.
#include "notifications/NotificationActionMenu.h"
#include "notifications/NotificationFilterMenu.h"

#include <QApplication>
#include <QtTest>

namespace {

QList<QAction*> moduleActions(const NotificationFilterMenu& menu)
{
    return menu.actions().mid(3);
}

QStringList checkedNames(const NotificationFilterMenu& menu)
{
    QStringList names;
    for (QAction* action : moduleActions(menu)) {
        if (action->isChecked()) {
            names.append(action->text());
        }
    }
    return names;
}

QAction* moduleAction(const NotificationFilterMenu& menu, const QString& name)
{
    for (QAction* action : moduleActions(menu)) {
        if (action->text() == name) {
            return action;
        }
    }
    return nullptr;
}

const QString menuStyle = QStringLiteral(
    "QMenu {    background-color: #FFFFFF;    border: 1px solid #E0E0E0;    border-radius: 6px;    padding: "
    "3px;}QMenu::item {    background-color: transparent;    padding: 5px 12px 5px 20px;    margin: 1px;    "
    "border-radius: 3px;    color: #424242;    font-size: 12px;}QMenu::item:selected {    background-color: "
    "#E3F2FD;    color: #1976D2;}QMenu::item:pressed {    background-color: #BBDEFB;}QMenu::separator {    "
    "height: 1px;    background-color: #E0E0E0;    margin: 3px 8px;}");

} // namespace

class NotificationMenusTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void actionMenuItems();
    void actionMenuSignals_data();
    void actionMenuSignals();
    void filterMenuItems();
    void clearThenOneModule();
    void selectAll();
    void setVisibleModules();
    void headerClickWithoutTableOpensNothing();
};

void NotificationMenusTest::initTestCase()
{
    registerNotificationMetaTypes();
}

void NotificationMenusTest::actionMenuItems()
{
    NotificationActionMenu menu;
    const QList<QAction*> actions = menu.actions();
    QCOMPARE(actions.size(), 5);
    QVERIFY(actions.at(2)->isSeparator());
    const QStringList texts{
        QString::fromUtf8("\u2713  Пометить как прочитанные"), QString::fromUtf8("\u2705  Прочитать все"),
        QString(), QStringLiteral("\U0001F5D1  Удалить выбранные"), QString::fromUtf8("\u274C  Удалить все")};
    const QStringList tips{QStringLiteral("Пометить выбранные уведомления как прочитанные"),
                           QStringLiteral("Пометить все уведомления как прочитанные"), QString(),
                           QStringLiteral("Удалить выбранные уведомления навсегда"),
                           QStringLiteral("Удалить все уведомления навсегда")};
    for (int i = 0; i < actions.size(); ++i) {
        if (i == 2) {
            continue;
        }
        QCOMPARE(actions.at(i)->text(), texts.at(i));
        QCOMPARE(actions.at(i)->toolTip(), tips.at(i));
        QVERIFY(actions.at(i)->isEnabled());
        QVERIFY(!actions.at(i)->isCheckable());
    }
    QCOMPARE(menu.styleSheet(), menuStyle);
}

void NotificationMenusTest::actionMenuSignals_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("signal"); // 0 mark, 1 mark all, 2 delete selected, 3 delete all
    QTest::newRow("mark selected") << 0 << 0;
    QTest::newRow("read all") << 1 << 1;
    QTest::newRow("delete selected") << 3 << 2;
    QTest::newRow("delete all") << 4 << 3;
}

void NotificationMenusTest::actionMenuSignals()
{
    QFETCH(int, action);
    QFETCH(int, signal);
    NotificationActionMenu menu;
    QSignalSpy mark(&menu, &NotificationActionMenu::markAsReadRequested);
    QSignalSpy markAll(&menu, &NotificationActionMenu::markAllAsReadRequested);
    QSignalSpy deleteSelected(&menu, &NotificationActionMenu::deleteSelectedRequested);
    QSignalSpy deleteAll(&menu, &NotificationActionMenu::deleteAllRequested);
    menu.actions().at(action)->trigger();
    const QList<QSignalSpy*> spies{&mark, &markAll, &deleteSelected, &deleteAll};
    for (int i = 0; i < spies.size(); ++i) {
        QCOMPARE(spies.at(i)->count(), i == signal ? 1 : 0);
    }
}

void NotificationMenusTest::filterMenuItems()
{
    NotificationFilterMenu menu;
    const QList<QAction*> actions = menu.actions();
    QCOMPARE(actions.size(), 10);
    QCOMPARE(actions.at(0)->text(), QStringLiteral("Выбрать все"));
    QCOMPARE(actions.at(0)->toolTip(), QStringLiteral("Выбрать все модули"));
    QCOMPARE(actions.at(1)->text(), QStringLiteral("Очистить все"));
    QCOMPARE(actions.at(1)->toolTip(), QStringLiteral("Очистить все модули"));
    QVERIFY(actions.at(2)->isSeparator());
    const QStringList all{QStringLiteral("ЛМ ЧЗ"),
                          QStringLiteral("ГИС МТ"),
                          QStringLiteral("ZEL"),
                          QStringLiteral("Torvo"),
                          QStringLiteral("ДККТ"),
                          QStringLiteral("Кассовое ПО"),
                          QStringLiteral("Неизвестный модуль")};
    QCOMPARE(checkedNames(menu), all);
    for (QAction* action : moduleActions(menu)) {
        QVERIFY(action->isCheckable());
    }
    QCOMPARE(menu.getVisibleModules(), NotificationFilterMenu::getDefaultFilter());
    QCOMPARE(NotificationFilterMenu::getDefaultFilter().size(), 7);
    QCOMPARE(menu.styleSheet(), menuStyle);
}

void NotificationMenusTest::clearThenOneModule()
{
    NotificationFilterMenu menu;
    QSignalSpy changed(&menu, &NotificationFilterMenu::filterChanged);
    menu.actions().at(1)->trigger();
    QCOMPARE(checkedNames(menu), QStringList());
    QCOMPARE(changed.count(), 1);
    QVERIFY(changed.last().first().value<QSet<NotificationModule>>().isEmpty());

    moduleAction(menu, QStringLiteral("ГИС МТ"))->trigger();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().first().value<QSet<NotificationModule>>(), QSet<NotificationModule>{GISMT});
    QCOMPARE(menu.getVisibleModules(), QSet<NotificationModule>{GISMT});
    QCOMPARE(checkedNames(menu), QStringList{QStringLiteral("ГИС МТ")});

    // Unchecking it again by the user's toggle.
    moduleAction(menu, QStringLiteral("ГИС МТ"))->trigger();
    QVERIFY(menu.getVisibleModules().isEmpty());
}

void NotificationMenusTest::selectAll()
{
    NotificationFilterMenu menu;
    menu.setVisibleModules({TORVO});
    QSignalSpy changed(&menu, &NotificationFilterMenu::filterChanged);
    menu.actions().at(0)->trigger();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().first().value<QSet<NotificationModule>>(),
             NotificationFilterMenu::getDefaultFilter());
    QCOMPARE(checkedNames(menu).size(), 7);
}

void NotificationMenusTest::setVisibleModules()
{
    NotificationFilterMenu menu;
    QSignalSpy changed(&menu, &NotificationFilterMenu::filterChanged);
    menu.setVisibleModules({DKKT});
    QCOMPARE(checkedNames(menu), QStringList{QStringLiteral("ДККТ")});
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().first().value<QSet<NotificationModule>>(), QSet<NotificationModule>{DKKT});

    menu.setVisibleModules({LDB, UNKNOWN});
    QCOMPARE(checkedNames(menu),
             (QStringList{QStringLiteral("ЛМ ЧЗ"), QStringLiteral("Неизвестный модуль")}));
}

void NotificationMenusTest::headerClickWithoutTableOpensNothing()
{
    QWidget parent;
    auto* menu = new NotificationFilterMenu(&parent);
    bool opened = false;
    QTimer::singleShot(0, &parent, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            opened = true;
            popup->close();
        }
    });
    menu->onHeaderClicked(1);
    QCoreApplication::processEvents();
    QVERIFY(!opened);
}

QTEST_MAIN(NotificationMenusTest)
#include "tst_notificationmenus.moc"
