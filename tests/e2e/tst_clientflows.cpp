// The whole client in one process against the service simulator, on an X display with a real
// tray host: the main window as main() builds it, driven through its widgets.
#include "LocalSimulator.h"

#include "app/ApplicationState.h"
#include "network/BaseReply.h"
#include "notifications/NotificationListModel.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationTable.h"
#include "notifications/NotificationsPage.h"
#include "ui/ContentFrame.h"
#include "ui/HeaderFrame.h"
#include "ui/InfoPage.h"
#include "ui/KKTPanel.h"
#include "ui/LMPanel.h"
#include "ui/LmSettingsDialog.h"
#include "ui/MainWindow.h"
#include "ui/StatusLine.h"
#include "ui/SystemTrayIcon.h"
#include "ui/TorvoPanel.h"
#include "ui/TorvoSettingsDialog.h"
#include "widgets/QtMaterialIconButton.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTabs.h"
#include "widgets/QtMaterialTextField.h"

#include "ModalAnswerer.h"
#include "TestEnvironment.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString openKkt = QStringLiteral("00106709871234");   // shift open, service not set up
const QString closedKkt = QStringLiteral("00106709875678"); // shift closed, registered

// Every interface under `root`, depth first, as a screen reader walks the window.
QList<QAccessibleInterface*> accessibleTree(QAccessibleInterface* root)
{
    QList<QAccessibleInterface*> all{root};
    for (int i = 0; i < root->childCount(); ++i) {
        all += accessibleTree(root->child(i));
    }
    return all;
}

// What a screen reader says the control is: its label's name where it has one, else its own.
QString heardName(QAccessibleInterface* control)
{
    const auto labels = control->relations(QAccessible::Label);
    return labels.isEmpty() ? control->text(QAccessible::Name)
                            : labels.first().first->text(QAccessible::Name);
}

} // namespace

class ClientFlowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void startupAsksListsThenTheFirstDevice();
    void panelsShowTheServiceValues();
    void choosingAnotherDeviceRefreshesEverything();
    void serviceBackAfterListReload();
    void notificationsLoadAndPage();
    void panelButtonOpensItsModuleOnly();
    void markReadAndDeleteReachTheService();
    void registrationChain();
    void upgradeWithClosedShift();
    void torvoSettingsRoundTrip();
    void lmSettingsRoundTrip();
    void logExportWritesFiles();
    void trayFollowsUnreadAndCritical();
    void closeHidesToTrayAndQuitEnds();
    void screenReaderNamesEveryControl();

private:
    void selectDevice(const QString& device);
    void showPage(int index);
    bool waitForIdle();
    NotificationTable* table() const;
    QString kktValue(const QString& caption) const;
    template <typename Panel> Panel* panel() const { return window->findChild<Panel*>(); }
    QStringList tableHeaders() const;
    // Sends `method` ("PATCH" marks read, "DELETE" deletes) for every notification the service
    // holds for `device`, past the client.
    void onEveryNotification(const char* method, const QString& device);

    LocalSimulator simulator;
    std::unique_ptr<TestEnvironment> environment;
    MainWindow* window = nullptr;
    LogReader log;
};

// Every request object of the states and panels has been answered and released.
bool ClientFlowsTest::waitForIdle()
{
    auto pending = [this] {
        return ApplicationState::getInstance()->findChildren<BaseReply*>().size() +
               window->findChildren<BaseReply*>().size();
    };
    return QTest::qWaitFor([&] { return pending() == 0; }, 20000);
}

void ClientFlowsTest::selectDevice(const QString& device)
{
    QComboBox* selector = window->getHeaderFrame()->getDeviceSelector();
    const int index = selector->findText(device);
    QVERIFY(index >= 0);
    selector->setCurrentIndex(index);
    QTRY_COMPARE(ApplicationState::getInstance()->getCurrentDevice(), device);
    QVERIFY(waitForIdle());
    QTRY_COMPARE(ApplicationState::getInstance()->getKktInfo().kktSerial, device);
}

void ClientFlowsTest::showPage(int index)
{
    QtMaterialTabs* tabs = window->getHeaderFrame()->getTabs();
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* button : tabs->findChildren<QAbstractButton*>()) {
        buttons << button;
    }
    std::sort(buttons.begin(), buttons.end(),
              [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
    QVERIFY(buttons.size() >= 2);
    QTest::mouseClick(buttons.at(index), Qt::LeftButton);
    QTRY_COMPARE(window->getContentFrame()->getStack()->currentIndex(), index);
}

NotificationTable* ClientFlowsTest::table() const
{
    return window->getContentFrame()->getNotificationsPage()->findChild<NotificationTable*>();
}

QStringList ClientFlowsTest::tableHeaders() const
{
    QStringList headers;
    const QAbstractItemModel* model = table()->QAbstractItemView::model();
    for (int row = 0; row < model->rowCount(); ++row) {
        headers << model->index(row, 2).data(Qt::UserRole + 4).toString();
    }
    return headers;
}

void ClientFlowsTest::onEveryNotification(const char* method, const QString& device)
{
    const QString path = QStringLiteral("/api/v1/notifications/") + device;
    const QJsonObject all =
        simulator.control("POST", path, {{QStringLiteral("offset"), 0}, {QStringLiteral("count"), 100000}});
    QJsonArray ids;
    for (const QJsonValue& item : all.value(QStringLiteral("notifications")).toArray()) {
        ids.append(item.toObject().value(QStringLiteral("id")).toInt());
    }
    simulator.control(method, path, {{QStringLiteral("id"), ids}});
}

QString ClientFlowsTest::kktValue(const QString& caption) const
{
    return panel<KKTPanel>()->findChild<QLabel*>(ModulePanel::valueName(caption))->text();
}

void ClientFlowsTest::initTestCase()
{
    QVERIFY(simulator.start());
    environment = std::make_unique<TestEnvironment>(simulator.port());
    QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 20000);
    log.mark();
    window = new MainWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void ClientFlowsTest::cleanupTestCase()
{
    delete window;
    simulator.stop();
}

void ClientFlowsTest::startupAsksListsThenTheFirstDevice()
{
    // Each list adds its devices as it arrives; the selector follows the list, first entry current.
    QTRY_VERIFY(!ApplicationState::getInstance()->getCurrentDevice().isEmpty());
    QVERIFY(waitForIdle());
    const QStringList devices = ApplicationState::getInstance()->getDevices();
    QCOMPARE(QSet<QString>(devices.cbegin(), devices.cend()),
             QSet<QString>({openKkt, closedKkt, QStringLiteral("torvo-7f3a2c91")}));
    const QString first = devices.first();
    QCOMPARE(ApplicationState::getInstance()->getCurrentDevice(), first);
    QCOMPARE(window->getHeaderFrame()->getDeviceSelector()->currentText(), first);
    QCOMPARE(window->getHeaderFrame()->getDeviceSelector()->count(), 3);

    const QStringList seen = simulator.linesSince(0);
    QVERIFY2(seen.size() >= 8, qPrintable(seen.join('\n')));
    QStringList lists = seen.mid(0, 2);
    std::sort(lists.begin(), lists.end());
    QCOMPARE(lists, QStringList({QStringLiteral("GET /api/v1/dkktList 200"),
                                 QStringLiteral("GET /api/v1/instances/info 200")}));
    const QStringList expected{QStringLiteral("GET /api/v1/status/") + first,
                               QStringLiteral("GET /api/v1/instances/lm/") + first,
                               QStringLiteral("GET /api/v1/instances/info/") + first,
                               QStringLiteral("GET /api/v1/dkktList"),
                               QStringLiteral("GET /api/v1/settings/lm/") + first,
                               QStringLiteral("GET /api/v1/update/") + first};
    for (const QString& request : expected) {
        QVERIFY2(seen.mid(2).contains(request + QStringLiteral(" 200")), qPrintable(request));
    }
}

void ClientFlowsTest::panelsShowTheServiceValues()
{
    selectDevice(openKkt);
    const KktInfo kkt = ApplicationState::getInstance()->getKktInfo();
    QCOMPARE(kkt.kktSerial, openKkt);
    QVERIFY(!kkt.modelName.isEmpty());
    QCOMPARE(kktValue(QStringLiteral("Модель:")), kkt.modelName);
    QCOMPARE(kktValue(QStringLiteral("Заводской номер:")), openKkt);
    QCOMPARE(kktValue(QStringLiteral("ФН:")), kkt.fnSerial);
    QCOMPARE(kktValue(QStringLiteral("ИНН:")), kkt.kktInn);
    QCOMPARE(kktValue(QStringLiteral("Смена:")), QStringLiteral("Открыта"));
    TorvoPanel* torvo = panel<TorvoPanel>();
    QVERIFY(torvo->getRegisterButton()->isVisible()); // not set up yet
    const QString address = ApplicationState::getInstance()->getLmInfo().address;
    QVERIFY(address.contains(QLatin1Char(':')));
    QCOMPARE(panel<LMPanel>()->findChild<QLabel*>(QStringLiteral("IP"))->text(), address);
}

void ClientFlowsTest::choosingAnotherDeviceRefreshesEverything()
{
    // One notification each register alone has, the open one's already in the table.
    auto notify = [this](const QString& device, const QString& header) {
        simulator.control("POST", QStringLiteral("/sim/notify"),
                          {{QStringLiteral("device"), device}, {QStringLiteral("header"), header}});
    };
    notify(openKkt, QStringLiteral("Только открытой кассы"));
    notify(closedKkt, QStringLiteral("Только закрытой кассы"));
    window->getContentFrame()->getNotificationsPage()->getState()->reloadNotifications();
    QTRY_VERIFY(tableHeaders().contains(QStringLiteral("Только открытой кассы")));

    const int from = simulator.lineCount();
    selectDevice(closedKkt);
    const QStringList seen = simulator.linesSince(from);
    for (const QString& path : {QStringLiteral("/api/v1/status/"), QStringLiteral("/api/v1/instances/lm/"),
                                QStringLiteral("/api/v1/instances/info/"),
                                QStringLiteral("/api/v1/settings/lm/"), QStringLiteral("/api/v1/update/")}) {
        QVERIFY2(seen.contains(QStringLiteral("GET ") + path + closedKkt + QStringLiteral(" 200")),
                 qPrintable(path));
    }
    QCOMPARE(kktValue(QStringLiteral("Заводской номер:")), closedKkt);
    QCOMPARE(kktValue(QStringLiteral("Смена:")), QStringLiteral("Закрыта"));
    QVERIFY(!panel<TorvoPanel>()->getRegisterButton()->isVisible());
    // Its notifications replace the other register's without a press of the page's button.
    QVERIFY(
        seen.contains(QStringLiteral("POST /api/v1/notifications/") + closedKkt + QStringLiteral(" 200")));
    QTRY_COMPARE(table()->QAbstractItemView::model()->rowCount(), 20);
}

void ClientFlowsTest::serviceBackAfterListReload()
{
    selectDevice(closedKkt); // not the first one, so that the reload's start over shows
    StatusLine* line = window->getHeaderFrame()->getServiceLine();
    QSystemTrayIcon* icon = window->getSystemTray()->getTrayIcon();
    const QString summaryTip = icon->toolTip();
    InfoPage* info = window->getContentFrame()->getInfoPage();
    QVERIFY(!line->isVisible());

    simulator.control(
        "POST", QStringLiteral("/sim/fault"),
        {{QStringLiteral("path"), QStringLiteral("/api/v1/")}, {QStringLiteral("status"), 500}});
    const int contentTop = window->getContentFrame()->y();
    QTest::mouseClick(info->getUpdateButton(), Qt::LeftButton);
    QVERIFY(waitForIdle());
    QTRY_VERIFY(line->isVisible());
    // It answers, if only with errors: not out of reach, and the line says so in words.
    QVERIFY2(line->text().startsWith(QStringLiteral(
                 "Служба Torvo ответила не на все запросы: служба Torvo ответила ошибкой 500")),
             qPrintable(line->text()));
    QVERIFY2(line->toolTip().contains(QStringLiteral("/api/v1/")), qPrintable(line->toolTip()));
    // The line has its room whether shown or not: the page does not move; the tray keeps telling
    // of notifications.
    QCOMPARE(window->getContentFrame()->y(), contentTop);
    QCOMPARE(icon->toolTip(), summaryTip);
    QVERIFY(panel<KKTPanel>()->getReadLine()->text().startsWith(QStringLiteral("Нет данных: ")));
    QVERIFY(panel<TorvoPanel>()->getRegisterButton()->isHidden());

    // The service is back: the reloaded list reads its first register afresh, through the empty
    // selection, and nothing of the failure stays on screen.
    simulator.control("DELETE", QStringLiteral("/sim/fault"));
    QSignalSpy changed(ApplicationState::getInstance(), &ApplicationState::deviceChanged);
    QTest::mouseClick(window->getHeaderFrame()->getRefreshButton(), Qt::LeftButton);
    QTRY_VERIFY(ApplicationState::getInstance()->getDevices().size() == 3);
    QVERIFY(waitForIdle());
    QCOMPARE(ApplicationState::getInstance()->getCurrentDevice(),
             ApplicationState::getInstance()->getDevices().first());
    QVERIFY(!changed.isEmpty() && changed.first().first().toString().isEmpty());
    QTRY_VERIFY(!line->isVisible());
    for (ModulePanel* shown : window->findChildren<ModulePanel*>()) {
        QVERIFY2(shown->getReadLine()->isHidden(), qPrintable(shown->getReadLine()->text()));
    }
    selectDevice(closedKkt);
}

void ClientFlowsTest::notificationsLoadAndPage()
{
    showPage(ContentFrame::notificationsPageIndex);
    auto* page = window->getContentFrame()->getNotificationsPage();
    auto* reload = page->findChild<QtMaterialRaisedButton*>();
    QVERIFY(reload);
    QTest::mouseClick(reload, Qt::LeftButton);
    QTRY_COMPARE(table()->QAbstractItemView::model()->rowCount(), 20);
    QVERIFY(waitForIdle());

    const int from = simulator.lineCount();
    QScrollBar* bar = table()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    QTRY_COMPARE(table()->QAbstractItemView::model()->rowCount(), 120);
    QVERIFY(simulator.linesSince(from).contains(QStringLiteral("POST /api/v1/notifications/") + closedKkt +
                                                QStringLiteral(" 200")));
    showPage(ContentFrame::infoPageIndex);
    showPage(ContentFrame::notificationsPageIndex);
    showPage(ContentFrame::infoPageIndex);
}

void ClientFlowsTest::panelButtonOpensItsModuleOnly()
{
    // Nothing unread, then a critical notification: the tray changes with the bell, not at the
    // next poll.
    onEveryNotification("PATCH", closedKkt);
    window->getContentFrame()->getNotificationsPage()->getState()->updateAvailableNotificationCount();
    QTRY_COMPARE(window->getSystemTray()->getTrayIcon()->toolTip(), QStringLiteral("Torvo"));
    simulator.control("POST", QStringLiteral("/sim/notify"),
                      {{QStringLiteral("device"), closedKkt},
                       {QStringLiteral("module"), QStringLiteral("DKKT")},
                       {QStringLiteral("type"), QStringLiteral("ERR")},
                       {QStringLiteral("header"), QStringLiteral("Сбой ККТ")}});
    InfoPage* info = window->getContentFrame()->getInfoPage();
    QTest::mouseClick(info->getUpdateButton(), Qt::LeftButton);
    QtMaterialIconButton* bell = panel<KKTPanel>()->getNotificationButton();
    QTRY_VERIFY(bell->isVisible());
    QTRY_COMPARE(window->getSystemTray()->getTrayIcon()->toolTip(),
                 QStringLiteral("Torvo (Критические уведомления)"));
    QVERIFY(waitForIdle());
    QTest::mouseClick(bell, Qt::LeftButton);
    QTRY_COMPARE(window->getContentFrame()->getStack()->currentIndex(), ContentFrame::notificationsPageIndex);
    // What lit the bell is in the list, however many pages were loaded before it came.
    QTRY_VERIFY(tableHeaders().contains(QStringLiteral("Сбой ККТ")));
    QCOMPARE(window->getHeaderFrame()->getTabs()->currentIndex(), ContentFrame::notificationsPageIndex);
    // The view shows the rows the filter lets through; the table holds them all.
    const int visible = table()->QAbstractItemView::model()->rowCount();
    for (int row = 0; row < visible; ++row) {
        QCOMPARE(table()->QAbstractItemView::model()->index(row, 1).data(Qt::UserRole + 2).toInt(),
                 int(DKKT));
    }
    QVERIFY(visible > 0);
    QVERIFY(visible < table()->rowModel()->rowCount());
}

void ClientFlowsTest::markReadAndDeleteReachTheService()
{
    auto* page = window->getContentFrame()->getNotificationsPage();
    page->showNotifications(defaultModuleFilter());
    NotificationTable* view = table();
    int unreadRow = -1;
    for (int row = 0; row < view->QAbstractItemView::model()->rowCount() && unreadRow < 0; ++row) {
        if (view->QAbstractItemView::model()->index(row, 2).data(Qt::UserRole + 3).toInt() != int(Read)) {
            unreadRow = row;
        }
    }
    QVERIFY(unreadRow >= 0);
    const int id = view->QAbstractItemView::model()->index(unreadRow, 2).data(Qt::UserRole).toInt();

    int from = simulator.lineCount();
    view->scrollTo(view->QAbstractItemView::model()->index(unreadRow, 2));
    const QPoint cell = view->visualRect(view->QAbstractItemView::model()->index(unreadRow, 2)).center();
    // A double click is a press and a release followed by the double-click event.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    QTRY_VERIFY(simulator.linesSince(from).contains(QStringLiteral("PATCH /api/v1/notifications/") +
                                                    closedKkt + QStringLiteral(" 200")));
    auto typeOf = [&](int notificationId) {
        for (int row = 0; row < view->QAbstractItemView::model()->rowCount(); ++row) {
            if (view->QAbstractItemView::model()->index(row, 2).data(Qt::UserRole).toInt() ==
                notificationId) {
                return view->QAbstractItemView::model()->index(row, 2).data(Qt::UserRole + 3).toInt();
            }
        }
        return -1;
    };
    QTRY_COMPARE(typeOf(id), int(Read));

    const int rowsBefore = view->QAbstractItemView::model()->rowCount();
    from = simulator.lineCount();
    view->selectRow(0);
    const int deletedId = view->QAbstractItemView::model()->index(0, 2).data(Qt::UserRole).toInt();
    {
        ModalAnswerer answerer(QMessageBox::Yes);
        view->deleteSelectedRows();
        QCOMPARE(answerer.count(), 1);
        QCOMPARE(answerer.last().title, QStringLiteral("Подтверждение"));
    }
    QTRY_VERIFY(simulator.linesSince(from).contains(QStringLiteral("DELETE /api/v1/notifications/") +
                                                    closedKkt + QStringLiteral(" 200")));
    QTRY_COMPARE(view->QAbstractItemView::model()->rowCount(), rowsBefore - 1);
    QCOMPARE(typeOf(deletedId), -1);
    QVERIFY(waitForIdle());
}

void ClientFlowsTest::registrationChain()
{
    showPage(ContentFrame::infoPageIndex);
    selectDevice(openKkt);
    TorvoPanel* torvo = panel<TorvoPanel>();
    QVERIFY(torvo->getRegisterButton()->isVisible());
    const int from = simulator.lineCount();
    ModalAnswerer answerer(QMessageBox::Ok);
    QTest::mouseClick(torvo->getRegisterButton(), Qt::LeftButton);
    QTRY_COMPARE(ApplicationState::getInstance()->getTorvoInfo().state, QStringLiteral("Зарегистрирован"));
    QVERIFY(waitForIdle());
    const QStringList seen = simulator.linesSince(from);
    QVERIFY2(seen.contains(QStringLiteral("POST /api/v1/velkor 200")), qPrintable(seen.join('\n')));
    QVERIFY(seen.contains(QStringLiteral("PUT /api/v1/velkor 200")));
    QCOMPARE(answerer.count(), 0);
    QTRY_VERIFY(!torvo->getRegisterButton()->isVisible());
    QVERIFY(torvo->getRegisterButton()->isEnabled());
    QVERIFY(!ApplicationState::getInstance()->getTorvoInfo().velkorId.isEmpty());
}

void ClientFlowsTest::upgradeWithClosedShift()
{
    selectDevice(closedKkt);
    TorvoPanel* torvo = panel<TorvoPanel>();
    QTRY_VERIFY(torvo->getUpgradeButton()->isVisible());
    const int from = simulator.lineCount();
    ModalAnswerer answerer(QMessageBox::Ok);
    QTest::mouseClick(torvo->getUpgradeButton(), Qt::LeftButton);
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("Обновление Torvo"));
    QCOMPARE(answerer.last().text,
             QStringLiteral("Обновление Torvo успешно поставлено в очередь\nКасса: ") + closedKkt);
    QVERIFY(simulator.linesSince(from).contains(QStringLiteral("POST /api/v1/update/") + closedKkt +
                                                QStringLiteral(" 200")));
}

void ClientFlowsTest::torvoSettingsRoundTrip()
{
    InfoPage* info = window->getContentFrame()->getInfoPage();
    auto open = [&]() -> TorvoSettingsDialog* {
        QTest::mouseClick(info->getSettingsButton(), Qt::LeftButton);
        TorvoSettingsDialog* dialog = nullptr;
        if (!QTest::qWaitFor([&] {
                return (dialog = window->findChild<TorvoSettingsDialog*>()) && dialog->isVisible();
            }) ||
            !waitForIdle()) {
            return nullptr;
        }
        return dialog;
    };
    TorvoSettingsDialog* dialog = open();
    QVERIFY(dialog);
    auto* address = dialog->findChild<QtMaterialTextField*>();
    QVERIFY(address);
    QTRY_VERIFY(!address->text().isEmpty());
    const QString newAddress =
        QStringLiteral("https://gismt.example/api/") + QString::number(QDateTime::currentSecsSinceEpoch());
    address->setText(newAddress);
    const QList<QCheckBox*> boxes = dialog->findChildren<QCheckBox*>();
    QCOMPARE(boxes.size(), 2);
    const bool compatibility = !boxes.at(0)->isChecked();
    boxes.at(0)->setChecked(compatibility);
    QPointer<TorvoSettingsDialog> guard(dialog);
    QTest::mouseClick(dialog->findChild<QtMaterialRaisedButton*>(), Qt::LeftButton);
    QTRY_VERIFY(!guard || !guard->isVisible());
    QTRY_VERIFY(info->getSettingsButton()->isEnabled());

    dialog = open();
    QVERIFY(dialog);
    address = dialog->findChild<QtMaterialTextField*>();
    QTRY_COMPARE(address->text(), newAddress);
    QCOMPARE(dialog->findChildren<QCheckBox*>().at(0)->isChecked(), compatibility);
    dialog->close();
    QTRY_VERIFY(info->getSettingsButton()->isEnabled());
}

void ClientFlowsTest::lmSettingsRoundTrip()
{
    LMPanel* lm = panel<LMPanel>();
    auto open = [&]() -> LmSettingsDialog* {
        QTest::mouseClick(lm->getSettingsButton(), Qt::LeftButton);
        LmSettingsDialog* dialog = nullptr;
        if (!QTest::qWaitFor(
                [&] { return (dialog = window->findChild<LmSettingsDialog*>()) && dialog->isVisible(); }) ||
            !waitForIdle()) {
            return nullptr;
        }
        return dialog;
    };
    LmSettingsDialog* dialog = open();
    QVERIFY(dialog);
    QList<QtMaterialTextField*> fields = dialog->findChildren<QtMaterialTextField*>();
    QCOMPARE(fields.size(), 5);
    QTRY_VERIFY(!fields.at(0)->text().isEmpty());
    fields.at(0)->setText(QStringLiteral("10.0.0.7"));
    fields.at(1)->setText(QStringLiteral("6001"));
    QPointer<LmSettingsDialog> guard(dialog);
    QTest::mouseClick(dialog->findChild<QtMaterialRaisedButton*>(), Qt::LeftButton);
    QTRY_VERIFY(!guard || !guard->isVisible());
    QTRY_VERIFY(lm->getSettingsButton()->isEnabled());

    dialog = open();
    QVERIFY(dialog);
    fields = dialog->findChildren<QtMaterialTextField*>();
    QTRY_COMPARE(fields.at(0)->text(), QStringLiteral("10.0.0.7"));
    QCOMPARE(fields.at(1)->text(), QStringLiteral("6001"));
    dialog->close();
    QTRY_VERIFY(lm->getSettingsButton()->isEnabled());
    QTest::mouseClick(window->getContentFrame()->getInfoPage()->getUpdateButton(), Qt::LeftButton);
    QTRY_COMPARE(lm->findChild<QLabel*>(QStringLiteral("IP"))->text(), QStringLiteral("10.0.0.7:6001"));
}

void ClientFlowsTest::logExportWritesFiles()
{
    QTemporaryDir folder;
    InfoPage* info = window->getContentFrame()->getInfoPage();
    info->setFolderChooser([&](const QString&, const QString&) { return folder.path(); });
    ModalAnswerer answerer(QMessageBox::Ok);
    QTest::mouseClick(info->getSaveLogsButton(), Qt::LeftButton);
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().icon, QMessageBox::Information);
    QVERIFY(!QDir(folder.path()).entryList(QDir::Files).isEmpty());
    QTRY_VERIFY(info->getSaveLogsButton()->isEnabled());
}

void ClientFlowsTest::trayFollowsUnreadAndCritical()
{
    SystemTrayIcon* tray = window->getSystemTray();
    QVERIFY(tray->isVisible());
    NotificationState* state = window->getContentFrame()->getNotificationsPage()->getState();

    // Start from nothing unread for this device: the service deletes everything it holds.
    onEveryNotification("DELETE", closedKkt);

    auto askCount = [&] {
        state->updateAvailableNotificationCount();
        QVERIFY(waitForIdle());
    };
    askCount();
    QCOMPARE(state->getAvailableNotificationCount(), 0);
    QCOMPARE(state->getCriticalNotificationType(), NoUnread);
    QCOMPARE(tray->getTrayIcon()->toolTip(), QStringLiteral("Torvo"));

    simulator.control(
        "POST", QStringLiteral("/sim/notify"),
        {{QStringLiteral("device"), closedKkt}, {QStringLiteral("type"), QStringLiteral("INFO")}});
    askCount();
    QTRY_COMPARE(tray->getTrayIcon()->toolTip(), QStringLiteral("Torvo (Непрочитанные уведомления)"));
    QCOMPARE(tray->getTrayIcon()->icon().pixmap(32).toImage(),
             QIcon(QStringLiteral(":/images/gui_velkor_unread.ico")).pixmap(32).toImage());

    simulator.control(
        "POST", QStringLiteral("/sim/notify"),
        {{QStringLiteral("device"), closedKkt}, {QStringLiteral("type"), QStringLiteral("ERR")}});
    askCount();
    QTRY_COMPARE(tray->getTrayIcon()->toolTip(), QStringLiteral("Torvo (Критические уведомления)"));
    QCOMPARE(tray->getTrayIcon()->icon().pixmap(32).toImage(),
             QIcon(QStringLiteral(":/images/gui_velkor_critical.ico")).pixmap(32).toImage());
}

void ClientFlowsTest::screenReaderNamesEveryControl()
{
    window->show();
    selectDevice(openKkt);
    const QSet<QAccessible::Role> controls{QAccessible::Button,   QAccessible::CheckBox,
                                           QAccessible::ComboBox, QAccessible::PageTab,
                                           QAccessible::Table,    QAccessible::Indicator};
    QStringList unnamed;
    QMultiHash<QAccessible::Role, QString> named;
    for (QAccessibleInterface* each : accessibleTree(QAccessible::queryAccessibleInterface(window))) {
        if (!controls.contains(each->role())) {
            continue;
        }
        const QString name = heardName(each);
        if (name.isEmpty()) {
            unnamed << QString::fromLatin1(each->object()->metaObject()->className());
        }
        named.insert(each->role(), name);
    }
    QCOMPARE(unnamed, QStringList());
    QStringList tabs = named.values(QAccessible::PageTab);
    std::sort(tabs.begin(), tabs.end());
    QCOMPARE(tabs, QStringList({QStringLiteral("Информация"), QStringLiteral("Уведомления")}));
    QVERIFY(!named.values(QAccessible::Button).contains(QStringLiteral("Информация")));
    QCOMPARE(named.values(QAccessible::ComboBox), QStringList{QStringLiteral("Касса")});
    QCOMPARE(named.values(QAccessible::Table), QStringList{QStringLiteral("Уведомления")});
    QCOMPARE(named.values(QAccessible::Button).filter(QStringLiteral("Уведомления: ")).size(), 5);
    // The four dots, each named by its row's status text.
    QCOMPARE(named.values(QAccessible::Indicator).size(), 4);
    QVERIFY(named.values(QAccessible::Indicator).contains(QStringLiteral("Открыта")));
}

void ClientFlowsTest::closeHidesToTrayAndQuitEnds()
{
    QSignalSpy aboutToQuit(qApp, &QCoreApplication::aboutToQuit);
    QVERIFY(window->close() == false || !window->isVisible());
    QVERIFY(!window->isVisible());
    QVERIFY(window->getSystemTray()->isVisible());

    QMenu* menu = window->getSystemTray()->getTrayMenu();
    QAction* restore = menu->actions().first();
    // Back from the tray it reads the register again, once: what it showed may be hours old.
    log.mark();
    restore->trigger();
    QVERIFY(window->isVisible());
    restore->trigger();
    QCOMPARE(log.count(QStringLiteral("Запрос обновления полной информации ...")), 1);
    QVERIFY(waitForIdle());
    window->close();
    QVERIFY(!window->isVisible());

    // "Выход" ends the event loop with status 0, the window hidden or not.
    QAction* quit = menu->actions().last();
    QCOMPARE(quit->text(), QStringLiteral("Выход"));
    QTimer::singleShot(0, quit, &QAction::trigger);
    QCOMPARE(qApp->exec(), 0);
    QVERIFY(!window->getSystemTray()->isVisible());
}

QTEST_MAIN(ClientFlowsTest)
#include "tst_clientflows.moc"
