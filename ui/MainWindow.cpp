#include "ui/MainWindow.h"

#include "app/ApplicationState.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationsPage.h"
#include "ui/ApplicationStyleSheet.h"
#include "ui/ContentFrame.h"
#include "ui/HeaderFrame.h"
#include "ui/IconCache.h"
#include "ui/SystemTrayIcon.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTabs.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QIcon>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWindow>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setupUI();
    setupSystemTray();
    setupCallbacks();
    applyStyles();
}

void MainWindow::setupUI()
{
    setWindowTitle(QStringLiteral("Torvo"));
    setWindowIcon(IconCache::icon(QStringLiteral(":/images/gui_velkor.ico")));

    centralWidget = new QWidget(this);
    setCentralWidget(centralWidget);

    headerFrame = new HeaderFrame(this);
    headerFrame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    contentFrame = new ContentFrame(this);
    contentFrame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto* layout = new QVBoxLayout(centralWidget);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(5);
    layout->addWidget(headerFrame);
    layout->addWidget(contentFrame);

    resize(800, 750);
    fitScreen();
}

void MainWindow::fitScreen()
{
    // A till's screen may be lower than the window (1024 × 600, or 1366 × 768 at 150 %): there the
    // window is at most the screen's free area, frame included, and the pages scroll.
    const QRect available = screen()->availableGeometry();
    QSize room = available.size();
    if (const QWindow* window = windowHandle()) {
        const QMargins frame = window->frameMargins();
        fittedFrame = frame;
        room -= QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    }
    setMinimumSize(QSize(800, 750).boundedTo(room));
    resize(size().boundedTo(room));
    if (isVisible() && !available.contains(frameGeometry())) {
        move(available.topLeft());
    }
}

void MainWindow::showEvent(QShowEvent* event)
{
    // The frame's size is known once the window exists.
    fitScreen();
    QMainWindow::showEvent(event);
}

bool MainWindow::event(QEvent* event)
{
    // An X11 window manager puts its frame round the window only after it is shown, and says how
    // thick it is later still: the window then moves, and is fitted again.
    const QEvent::Type type = event->type();
    if ((type == QEvent::Move || type == QEvent::Resize) && isVisible() && windowHandle() &&
        windowHandle()->frameMargins() != fittedFrame) {
        fitScreen();
    }
    return QMainWindow::event(event);
}

void MainWindow::setupSystemTray()
{
    systemTray = new SystemTrayIcon(this);
    systemTray->showTray();
}

void MainWindow::setupCallbacks()
{
    ApplicationState* state = ApplicationState::getInstance();
    connect(headerFrame->getTabs(), &QtMaterialTabs::currentChanged, contentFrame->getStack(),
            &QStackedWidget::setCurrentIndex);
    connect(contentFrame, &ContentFrame::pageChanged, headerFrame, &HeaderFrame::setCurrentIndex);
    connect(headerFrame->getRefreshButton(), &QtMaterialRaisedButton::clicked, state,
            &ApplicationState::refreshDeviceList);
    connect(headerFrame->getDeviceSelector(), &QComboBox::currentTextChanged, state,
            &ApplicationState::setCurrentDevice);
    connect(contentFrame->getNotificationsPage()->getState(), &NotificationState::hasCriticalNotification,
            systemTray, &SystemTrayIcon::updateCriticalNotification);
    connect(contentFrame->getNotificationsPage()->getState(), &NotificationState::summaryRestored, systemTray,
            &SystemTrayIcon::showSummary);
    // A click on the balloon of unread or critical notifications leads to them.
    connect(systemTray, &SystemTrayIcon::notificationsAsked, this, [this] {
        systemTray->showWindow();
        contentFrame->showNotifications(defaultModuleFilter());
    });
    connect(systemTray, &SystemTrayIcon::windowRestored, state, &ApplicationState::refreshInfo);
    // The no-tray box runs an event loop before these connections exist: a device list that
    // arrived meanwhile filled the selector unseen, and its first entry must still be selected.
    state->setCurrentDevice(headerFrame->getDeviceSelector()->currentText());
}

void MainWindow::applyStyles()
{
    setStyleSheet(applicationStyleSheet());
    centralWidget->setObjectName(QStringLiteral("centralWidget"));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (systemTray && systemTray->isVisible()) {
        hide();
        systemTray->showMessage(QStringLiteral("Torvo"),
                                QStringLiteral("Приложение свернуто в системный трей.\n"
                                               "Для полного выхода используйте контекстное меню."),
                                QSystemTrayIcon::Information, 2000);
        event->ignore();
        return;
    }
    event->accept();
    // With no tray icon there would be no way back to the window and none to end the process.
    QCoreApplication::quit();
}
