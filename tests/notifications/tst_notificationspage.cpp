// NotificationsPage against the loopback server: its layout, the full reload, the table's
// commands and paging reaching the service, and the module filter asked for by a panel.
#include "network/BaseReply.h"
#include "notifications/NotificationRoles.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationTable.h"
#include "notifications/NotificationsPage.h"
#include "widgets/QtMaterialRaisedButton.h"

#include "ModalAnswerer.h"
#include "TestEnvironment.h"
#include "TestServer.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

const QString path = QStringLiteral("/api/v1/notifications/");

QJsonObject wire(int id, const QString& module = QStringLiteral("DKKT"), bool isRead = false)
{
    return QJsonObject{{QStringLiteral("id"), id},
                       {QStringLiteral("header"), QStringLiteral("Заголовок %1").arg(id)},
                       {QStringLiteral("message"), QStringLiteral("Сообщение %1").arg(id)},
                       {QStringLiteral("dateTime"),
                        QStringLiteral("2026-12-08T10:%1:00+03:00").arg(id % 60, 2, 10, QLatin1Char('0'))},
                       {QStringLiteral("isRead"), isRead},
                       {QStringLiteral("notificationType"), QStringLiteral("INFO")},
                       {QStringLiteral("notificationModule"), module}};
}

QByteArray listReply(int first, int last, const QString& module = QStringLiteral("DKKT"))
{
    QJsonArray array;
    for (int id = first; id <= last; ++id) {
        array.append(wire(id, module));
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("notifications"), array}}).toJson();
}

// Late enough for the test to act while the list request is still pending.
TestServer::Reply slowReply(const QByteArray& body)
{
    TestServer::Reply reply;
    reply.body = body;
    reply.delayMs = 300;
    return reply;
}

QJsonObject bodyOf(const TestServer::Request& request)
{
    return QJsonDocument::fromJson(request.body).object();
}

QList<TestServer::Request> requestsWith(const TestServer& server, const QString& method)
{
    QList<TestServer::Request> found;
    for (const TestServer::Request& request : server.requests()) {
        if (request.method == method) {
            found.append(request);
        }
    }
    return found;
}

// The page's lines that the operator sees.
QStringList visibleTexts(const QWidget& page)
{
    QStringList texts;
    for (const QLabel* label : page.findChildren<QLabel*>()) {
        if (label->isVisible()) {
            texts.append(label->text());
        }
    }
    return texts;
}

} // namespace

class NotificationsPageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void layout();
    void reload();
    void reloadTwiceQuickly();
    void failedReloadLeavesTableEmpty();
    void commandsReachService();
    void scrollingLoadsNextPage();
    void showNotificationsFiltersWithoutReload();

private:
    void load(int first, int last);
    QAbstractItemModel* rows() const { return table->QTableView::model(); }

    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    LogReader log;
    std::unique_ptr<NotificationsPage> page;
    NotificationTable* table = nullptr;
    QtMaterialRaisedButton* button = nullptr;
};

void NotificationsPageTest::initTestCase()
{
    registerNotificationMetaTypes();
    environment = std::make_unique<TestEnvironment>(server.port());
}

void NotificationsPageTest::init()
{
    server.clearReplies();
    server.clearRequests();
    server.setJson(QStringLiteral("GET"), path,
                   R"({"unreadNotificationsCount":3,"hasCriticalNotifications":false})");
    page = std::make_unique<NotificationsPage>();
    table = page->findChild<NotificationTable*>();
    button = page->findChild<QtMaterialRaisedButton*>();
    QVERIFY(table && button);
    page->resize(700, 500);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    log.mark();
}

void NotificationsPageTest::cleanup()
{
    server.releaseHanging();
    QTRY_VERIFY(page->getState()->findChildren<BaseReply*>().isEmpty());
    page.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void NotificationsPageTest::load(int first, int last)
{
    server.setJson(QStringLiteral("POST"), path, listReply(first, last));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(rows()->rowCount(), last - first + 1);
}

void NotificationsPageTest::layout()
{
    QCOMPARE(page->getState()->parent(), page.get());
    QCOMPARE(button->text(), QStringLiteral("Обновить информацию"));
    QVERIFY(!button->isHaloVisible());
    auto* box = qobject_cast<QVBoxLayout*>(page->layout());
    QVERIFY(box);
    QCOMPARE(box->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(box->count(), 6);
    QCOMPARE(box->itemAt(0)->widget(), static_cast<QWidget*>(table));
    QCOMPARE(box->stretch(0), 1);
    QVERIFY(box->itemAt(1)->widget()->isHidden() && box->itemAt(2)->widget()->isHidden());
    QCOMPARE(box->itemAt(3)->spacerItem()->sizeHint().height(), 10);
    QCOMPARE(box->itemAt(4)->widget(), static_cast<QWidget*>(button));
    QCOMPARE(box->itemAt(4)->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    QCOMPARE(box->itemAt(5)->spacerItem()->sizeHint().height(), 10);
    // Showing the page asks nothing of the service.
    QCOMPARE(server.requestCount(), 0);
    QCOMPARE(rows()->rowCount(), 0);
}

void NotificationsPageTest::reload()
{
    load(1, 20);
    QVERIFY(log.messages().contains(QStringLiteral("Выполняем запрос на получение уведомлений...")));
    QCOMPARE(requestsWith(server, QStringLiteral("GET")).size(), 1);
    const QList<TestServer::Request> lists = requestsWith(server, QStringLiteral("POST"));
    QCOMPARE(lists.size(), 1);
    QCOMPARE(bodyOf(lists.first()),
             (QJsonObject{{QStringLiteral("offset"), 0}, {QStringLiteral("count"), 20}}));
    QTRY_COMPARE(page->getState()->getAvailableNotificationCount(), 3);
    QCOMPARE(rows()->index(0, 2).data(IdRole).toInt(), 20); // newest first

    // The reload empties the table at once; the reply fills it again.
    server.setReply(QStringLiteral("POST"), path, slowReply(listReply(1, 5)));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(rows()->rowCount(), 0);
    QTRY_COMPARE(rows()->rowCount(), 5);
}

void NotificationsPageTest::reloadTwiceQuickly()
{
    load(1, 3);
    const QString handled = QStringLiteral("Обработка ответа на запрос обновления списка уведомлений");
    const int handledBefore = log.count(handled);
    server.clearRequests();
    server.setReply(QStringLiteral("POST"), path, slowReply(listReply(1, 8)));
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(rows()->rowCount(), 0);
    QTRY_COMPARE(rows()->rowCount(), 8);
    // The first page may reach the service before it is given up; only the second is handled.
    QTRY_COMPARE(BaseReply::liveCount(), 0);
    QCOMPARE(log.count(handled), handledBefore + 1);
    QCOMPARE(log.count(QStringLiteral("Выполняем запрос на получение уведомлений...")), 3);
}

void NotificationsPageTest::failedReloadLeavesTableEmpty()
{
    load(1, 4);
    server.setJson(QStringLiteral("POST"), path, "{}", 500);
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(
        log.contains(QStringLiteral("Обработка ответа на запрос обновления списка уведомлений: error: `")));
    QCOMPARE(rows()->rowCount(), 0);
    // The page says why, and its empty table does not claim that there is nothing.
    QTRY_COMPARE(visibleTexts(*page).size(), 1);
    QVERIFY(visibleTexts(*page).first().startsWith(QStringLiteral("Не удалось загрузить уведомления: ")));
    QCOMPARE(table->placeholderText(), QString());

    server.setReply(QStringLiteral("POST"), path, slowReply(listReply(1, 0)));
    QTest::mouseClick(button, Qt::LeftButton);
    const QString loading = table->placeholderText();
    QVERIFY(!loading.isEmpty());
    QTRY_VERIFY(table->placeholderText() != loading);
    QVERIFY(!table->placeholderText().isEmpty()); // the empty page says so
    QCOMPARE(visibleTexts(*page), QStringList());
}

void NotificationsPageTest::commandsReachService()
{
    load(1, 4);
    server.setJson(QStringLiteral("PATCH"), path, "{}");
    server.setJson(QStringLiteral("DELETE"), path, "{}");

    const QRect cell = table->visualRect(rows()->index(0, 2));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTRY_COMPARE(requestsWith(server, QStringLiteral("PATCH")).size(), 1);
    QCOMPARE(bodyOf(requestsWith(server, QStringLiteral("PATCH")).first()),
             (QJsonObject{{QStringLiteral("id"), QJsonArray{4}}}));
    // The row turns read when the state confirms, not before.
    QTRY_COMPARE(rows()->index(0, 2).data(TypeRole).toInt(), int(Read));

    ModalAnswerer answerer(QMessageBox::Yes);
    table->deleteAllRows();
    QVERIFY(answerer.last().text.startsWith(
        QStringLiteral("Вы уверены, что хотите удалить все 4 уведомлений?\n")));
    QTRY_COMPARE(requestsWith(server, QStringLiteral("DELETE")).size(), 1);
    QJsonArray ids =
        bodyOf(requestsWith(server, QStringLiteral("DELETE")).first()).value(QStringLiteral("id")).toArray();
    QCOMPARE(ids.size(), 4);
    QTRY_COMPARE(rows()->rowCount(), 0);
}

void NotificationsPageTest::scrollingLoadsNextPage()
{
    load(1, 20);
    QScrollBar* bar = table->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    server.clearRequests();
    server.setJson(QStringLiteral("POST"), path, listReply(21, 120));
    bar->setValue(bar->maximum());
    QTRY_COMPARE(rows()->rowCount(), 120);
    const QList<TestServer::Request> lists = requestsWith(server, QStringLiteral("POST"));
    QCOMPARE(lists.size(), 1);
    QCOMPARE(bodyOf(lists.first()),
             (QJsonObject{{QStringLiteral("offset"), 20}, {QStringLiteral("count"), 100}}));
}

void NotificationsPageTest::showNotificationsFiltersWithoutReload()
{
    QJsonArray mixed;
    for (int id = 1; id <= 6; ++id) {
        mixed.append(wire(id, id % 2 ? QStringLiteral("TORVO") : QStringLiteral("LDB")));
    }
    server.setJson(QStringLiteral("POST"), path,
                   QJsonDocument(QJsonObject{{QStringLiteral("notifications"), mixed}}).toJson());
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(rows()->rowCount(), 6);
    server.clearRequests();

    page->showNotifications({TORVO});
    QCOMPARE(rows()->rowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(rows()->index(row, 2).data(ModuleRole).toInt(), int(TORVO));
    }
    QCOMPARE(server.requestCount(), 0);

    // The page says which modules it shows, and offers the way back to all.
    QVERIFY(visibleTexts(*page).join('|').contains(QStringLiteral("Torvo")));
    auto* showAll = page->findChildren<QtMaterialRaisedButton*>().last();
    QVERIFY(showAll != button && showAll->isVisible());
    QTest::mouseClick(showAll, Qt::LeftButton);
    QCOMPARE(rows()->rowCount(), 6);
    QCOMPARE(visibleTexts(*page), QStringList());
}

QTEST_MAIN(NotificationsPageTest)
#include "tst_notificationspage.moc"
