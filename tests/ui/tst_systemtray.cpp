// The tray icon on a real X11 tray (Xvfb with a tray host): icons, tooltips, balloons, the menu
// and the window toggling.
#include "ui/SystemTrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QtTest>

namespace {

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(32, 32).toImage();
}

// Qt draws tray balloons itself on X11 when no notification service runs: a top-level widget.
QString balloonText()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && QByteArray(widget->metaObject()->className()) == "QBalloonTip") {
            QStringList texts;
            for (QLabel* label : widget->findChildren<QLabel*>()) {
                texts << label->text();
            }
            return texts.join(QLatin1Char('|'));
        }
    }
    return QString();
}

} // namespace

class SystemTrayTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startShowsIconAndBalloon();
    void summaryChangesIconTooltipBalloon_data();
    void summaryChangesIconTooltipBalloon();
    void doubleClickToggles();
    void singleClickIsIgnored();
    void menuRestoresAndQuits();

private:
    QMainWindow* window = nullptr;
    SystemTrayIcon* tray = nullptr;
};

void SystemTrayTest::initTestCase()
{
    QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 20000);
}

void SystemTrayTest::init()
{
    window = new QMainWindow();
    window->resize(300, 200);
    tray = new SystemTrayIcon(window);
    QVERIFY(tray->isAvailable());
}

void SystemTrayTest::cleanup()
{
    delete window;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        widget->close();
    }
}

void SystemTrayTest::startShowsIconAndBalloon()
{
    QVERIFY(!tray->isVisible());
    QCOMPARE(tray->getTrayIcon()->toolTip(), QStringLiteral("Torvo"));
    tray->showTray();
    QVERIFY(tray->isVisible());
    // The balloon follows once the event loop turns; on a loaded machine that may take a while.
    QTRY_VERIFY2_WITH_TIMEOUT(balloonText().contains(QStringLiteral(
                                  "Приложение доступно в системном трее.\nДважды кликните для открытия.")),
                              qPrintable(balloonText()), 20000);
    QVERIFY(balloonText().contains(QStringLiteral("Torvo")));
    QCOMPARE(iconImage(tray->getTrayIcon()->icon()),
             iconImage(QIcon(QStringLiteral(":/images/gui_velkor.ico"))));
}

void SystemTrayTest::summaryChangesIconTooltipBalloon_data()
{
    QTest::addColumn<int>("summary");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QString>("balloon");
    QTest::newRow("unread") << int(HasUnread) << QStringLiteral(":/images/gui_velkor_unread.ico")
                            << QStringLiteral("Torvo (Непрочитанные уведомления)")
                            << QStringLiteral("Есть непрочитанные уведомления.");
    QTest::newRow("critical") << int(HasCritical) << QStringLiteral(":/images/gui_velkor_critical.ico")
                              << QStringLiteral("Torvo (Критические уведомления)")
                              << QStringLiteral("Есть критические уведомления.");
    QTest::newRow("nothing") << int(NoUnread) << QStringLiteral(":/images/gui_velkor.ico")
                             << QStringLiteral("Torvo") << QString();
}

void SystemTrayTest::summaryChangesIconTooltipBalloon()
{
    QFETCH(int, summary);
    QFETCH(QString, icon);
    QFETCH(QString, tooltip);
    QFETCH(QString, balloon);
    tray->showTray();
    tray->showSummary(HasCritical == summary ? HasUnread : HasCritical);
    // A summary that is no news (a return to a register already announced) changes the icon and
    // the tooltip alone.
    tray->showSummary(CriticalNotificationType(summary));
    QCOMPARE(tray->getTrayIcon()->toolTip(), tooltip);
    QCOMPARE(iconImage(tray->getTrayIcon()->icon()), iconImage(QIcon(icon)));
    QCOMPARE(balloonText(), QString());
    tray->updateCriticalNotification(CriticalNotificationType(summary));
    QCOMPARE(tray->getTrayIcon()->toolTip(), tooltip);
    if (balloon.isEmpty()) {
        QCOMPARE(balloonText(), QString());
    } else {
        QTRY_VERIFY2_WITH_TIMEOUT(balloonText().contains(balloon), qPrintable(balloonText()), 20000);
    }
}

void SystemTrayTest::doubleClickToggles()
{
    tray->showTray();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    emit tray->getTrayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(!window->isVisible());
    emit tray->getTrayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(window->isVisible());
    QVERIFY(!window->isMinimized());
}

void SystemTrayTest::singleClickIsIgnored()
{
    tray->showTray();
    window->show();
    emit tray->getTrayIcon()->activated(QSystemTrayIcon::Trigger);
    emit tray->getTrayIcon()->activated(QSystemTrayIcon::MiddleClick);
    emit tray->getTrayIcon()->activated(QSystemTrayIcon::Context);
    QVERIFY(window->isVisible());
    window->hide();
    emit tray->getTrayIcon()->activated(QSystemTrayIcon::Trigger);
    QVERIFY(!window->isVisible());
}

void SystemTrayTest::menuRestoresAndQuits()
{
    tray->showTray();
    QMenu* menu = tray->getTrayMenu();
    QVERIFY(menu);
    QCOMPARE(tray->getTrayIcon()->contextMenu(), menu);
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions.at(0)->text(), QStringLiteral("Восстановить"));
    QVERIFY(actions.at(1)->isSeparator());
    QCOMPARE(actions.at(2)->text(), QStringLiteral("Выход"));

    actions.at(0)->trigger(); // restores also when already shown
    QVERIFY(window->isVisible());
    actions.at(0)->trigger();
    QVERIFY(window->isVisible());
    window->hide();
    actions.at(0)->trigger();
    QVERIFY(window->isVisible());

    actions.at(2)->trigger();
    QVERIFY(!tray->isVisible());
}

QTEST_MAIN(SystemTrayTest)
#include "tst_systemtray.moc"
