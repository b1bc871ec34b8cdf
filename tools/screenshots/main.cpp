// Takes the screenshots of the documentation: starts the client as main() does (its settings must
// name a running service, e.g. the simulator) and photographs the whole X screen at each step:
// the information page, the notifications page with each of its menus and with a command the
// service refused, both settings dialogs, the panels when some reads fail, and the window while
// the simulator refuses every connection. With "small", only the information page on a screen
// lower than the window.
// Usage: torvo-screenshots OUTPUT_FOLDER [small]   (run by scripts/screenshots under Xvfb)
#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "app/QtTranslation.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "network/BaseReply.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationTable.h"
#include "notifications/NotificationsPage.h"
#include "ui/ContentFrame.h"
#include "ui/HeaderFrame.h"
#include "ui/InfoPage.h"
#include "ui/LMPanel.h"
#include "ui/LmSettingsDialog.h"
#include "ui/MainWindow.h"
#include "ui/StatusLine.h"
#include "ui/TorvoSettingsDialog.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

QString folder;
MainWindow* window = nullptr;

bool waitFor(const std::function<bool()>& condition, int timeoutMs = 20000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

// Lets animations (ink bar, ripples) settle and everything repaint before a photograph.
void settle()
{
    QDeadlineTimer pause(900);
    while (!pause.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

bool idle()
{
    return ApplicationState::getInstance()->findChildren<BaseReply*>().isEmpty() &&
           window->findChildren<BaseReply*>().isEmpty();
}

void shoot(const QString& name, const QRect& area = QRect())
{
    settle();
    QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    if (area.isValid()) {
        screen = screen.copy(area);
    }
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    std::printf("%s %s\n", screen.save(path) ? "saved" : "FAILED", qPrintable(path));
}

// The window and what opens over it.
QRect windowArea()
{
    return window->frameGeometry()
        .adjusted(-4, -4, 4, 4)
        .intersected(QGuiApplication::primaryScreen()->geometry());
}

// Photographs a popup menu that `open` runs modally, then closes it.
void shootMenu(const QString& name, const std::function<void()>& open)
{
    QTimer::singleShot(600, window, [name]() {
        QWidget* popup = QApplication::activePopupWidget();
        shoot(name, windowArea().united(popup ? popup->geometry() : QRect()));
        if (popup) {
            popup->close();
        }
    });
    open();
}

template <typename Dialog> void shootDialog(const QString& name, const std::function<void()>& open)
{
    open();
    Dialog* dialog = nullptr;
    waitFor([&] { return (dialog = window->findChild<Dialog*>()) && dialog->isVisible() && idle(); });
    if (dialog) {
        shoot(name, windowArea());
        dialog->close();
        waitFor([&] { return !window->findChild<Dialog*>(); });
    }
}

// Switches on a fault of the simulator that the client's settings name.
bool simulatorFault(const QJsonObject& fault)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(
        QUrl(QStringLiteral("http://127.0.0.1:%1/sim/fault").arg(Settings::getInstance()->getPort())));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    QNetworkReply* reply = manager.post(request, QJsonDocument(fault).toJson(QJsonDocument::Compact));
    const bool answered = waitFor([reply] { return reply->isFinished(); });
    const bool ok = answered && reply->error() == QNetworkReply::NoError;
    delete reply;
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool small = argc == 3 && std::strcmp(argv[2], "small") == 0;
    if (argc != 2 && !small) {
        std::fprintf(stderr, "usage: torvo-screenshots OUTPUT_FOLDER [small]\n");
        return 2;
    }
    // The client's own start-up, so that the pictures show what a till starts with.
    const StartupOutcome outcome = prepareStartup();
    if (!outcome.failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(outcome.failure));
        return 1;
    }
    QApplication app(argc, argv);
    installQtTranslation();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    MainWindow mainWindow;
    window = &mainWindow;
    mainWindow.move(0, 0);
    mainWindow.show();
    if (!waitFor([] { return !ApplicationState::getInstance()->getCurrentDevice().isEmpty() && idle(); })) {
        std::fprintf(stderr, "torvo-screenshots: the service did not answer\n");
        return 1;
    }
    // A cash register shows the most (a service instance has no register details).
    HeaderFrame* header = mainWindow.getHeaderFrame();
    for (int index = 0; index < header->getDeviceSelector()->count(); ++index) {
        header->getDeviceSelector()->setCurrentIndex(index);
        waitFor(idle);
        if (!ApplicationState::getInstance()->getKktInfo().kktSerial.isEmpty()) {
            break;
        }
    }
    if (small) {
        shoot(QStringLiteral("small-screen"));
        return 0;
    }
    shoot(QStringLiteral("information"), windowArea());

    header->setCurrentIndex(ContentFrame::notificationsPageIndex);
    NotificationsPage* page = mainWindow.getContentFrame()->getNotificationsPage();
    page->updateButtonClicked();
    auto* table = page->findChild<NotificationTable*>();
    waitFor([&] { return table->QAbstractItemView::model()->rowCount() > 0 && idle(); });
    table->selectRow(1);
    shoot(QStringLiteral("notifications"), windowArea());

    shootMenu(QStringLiteral("notifications-filter-menu"), [&] {
        QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(table->horizontalHeader()->sectionViewportPosition(1) + 20, 10));
    });
    shootMenu(QStringLiteral("notifications-action-menu"), [&] {
        const QPoint at = table->visualRect(table->QAbstractItemView::model()->index(1, 2)).center();
        emit table->customContextMenuRequested(at);
    });

    // A command the service refused, under a module filter: the page says both.
    simulatorFault({{QStringLiteral("path"), QStringLiteral("/api/v1/notifications/")},
                    {QStringLiteral("method"), QStringLiteral("PATCH")},
                    {QStringLiteral("status"), 503}});
    page->showNotifications({GISMT, TORVO});
    table->markAllAsRead();
    waitFor([&] { return idle() && page->getState()->markRead().isFailed(); });
    shoot(QStringLiteral("notifications-failed"), windowArea());
    page->showNotifications(defaultModuleFilter());

    header->setCurrentIndex(ContentFrame::infoPageIndex);
    InfoPage* info = mainWindow.getContentFrame()->getInfoPage();
    shootDialog<TorvoSettingsDialog>(QStringLiteral("torvo-settings"),
                                     [&] { QTest::mouseClick(info->getSettingsButton(), Qt::LeftButton); });
    shootDialog<LmSettingsDialog>(QStringLiteral("lm-settings"), [&] {
        QTest::mouseClick(info->findChild<LMPanel*>()->getSettingsButton(), Qt::LeftButton);
    });

    // Two reads answer with something that is not JSON: the panels say what they lack, and why.
    for (const char* path : {"/api/v1/settings/lm/", "/api/v1/update/"}) {
        if (!simulatorFault(
                {{QStringLiteral("path"), QString::fromLatin1(path)}, {QStringLiteral("notJson"), true}})) {
            std::fprintf(stderr, "torvo-screenshots: the simulator took no fault\n");
            return 1;
        }
    }
    QTest::mouseClick(info->getUpdateButton(), Qt::LeftButton);
    waitFor(idle);
    shoot(QStringLiteral("read-failures"), windowArea());

    if (!simulatorFault({{QStringLiteral("refuse"), true}, {QStringLiteral("seconds"), 60}})) {
        std::fprintf(stderr, "torvo-screenshots: the simulator took no fault\n");
        return 1;
    }
    QTest::mouseClick(info->getUpdateButton(), Qt::LeftButton);
    waitFor([&] { return header->getServiceLine()->isVisible() && idle(); });
    shoot(QStringLiteral("service-down"), windowArea());
    return 0;
}
