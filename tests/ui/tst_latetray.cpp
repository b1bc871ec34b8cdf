// A tray host that comes up after the client (run on a display without one; the test starts
// trayer itself): the icon and its menu appear as if the tray had been there from the start,
// with the notification summary that arrived while there was none.
#include "ModalAnswerer.h"

#include "ui/SystemTrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QProcess>
#include <QtTest>

namespace {

bool balloonSays(const QString& text)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->inherits("QBalloonTip")) {
            for (QLabel* label : widget->findChildren<QLabel*>()) {
                if (label->text() == text) {
                    return true;
                }
            }
        }
    }
    return false;
}

} // namespace

class LateTrayTest : public QObject
{
    Q_OBJECT

private slots:
    void trayComesUpLater();
    void cleanup();

private:
    QProcess trayHost;
};

void LateTrayTest::cleanup()
{
    trayHost.kill();
    trayHost.waitForFinished();
}

void LateTrayTest::trayComesUpLater()
{
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    QMainWindow window;
    ModalAnswerer answerer;
    auto* tray = new SystemTrayIcon(&window);
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("Системный трей"));
    QVERIFY(!tray->isAvailable());
    tray->showTray();
    tray->updateCriticalNotification(HasCritical);
    QVERIFY(!tray->isVisible());

    trayHost.start(QStringLiteral("trayer"), {QStringLiteral("--widthtype"), QStringLiteral("request"),
                                              QStringLiteral("--height"), QStringLiteral("24")});
    QVERIFY(trayHost.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(tray->isVisible(), 30000);
    QTRY_VERIFY(
        balloonSays(QStringLiteral("Приложение доступно в системном трее.\nДважды кликните для открытия.")));
    QCOMPARE(tray->getTrayIcon()->toolTip(), QStringLiteral("Torvo (Критические уведомления)"));
    QCOMPARE(tray->getTrayIcon()->icon().pixmap(32, 32).toImage(),
             SystemTrayIcon::createTrayIcon(HasCritical).pixmap(32, 32).toImage());
    QStringList entries;
    for (QAction* action : tray->getTrayMenu()->actions()) {
        entries << action->text();
    }
    QCOMPARE(entries, QStringList({QStringLiteral("Восстановить"), QString(), QStringLiteral("Выход")}));
    QCOMPARE(tray->getTrayIcon()->contextMenu(), tray->getTrayMenu());
    // Later changes of the summary reach the icon as they would have from the start.
    tray->updateCriticalNotification(NoUnread);
    QCOMPARE(tray->getTrayIcon()->toolTip(), QStringLiteral("Torvo"));
    QCOMPARE(answerer.count(), 1);
}

QTEST_MAIN(LateTrayTest)
#include "tst_latetray.moc"
