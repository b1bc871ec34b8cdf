// NotificationTable as a real widget: the collection sync and its log lines, the rows it shows
// against Qt's own sorting of the same rows, paging by scrolling, the module filter, the menus
// and the commands.
#include "notifications/NotificationFilterMenu.h"
#include "notifications/NotificationListModel.h"
#include "notifications/NotificationRoles.h"
#include "notifications/NotificationTable.h"

#include "ModalAnswerer.h"
#include "NotificationTestData.h"
#include "TestEnvironment.h"
#include "TestServer.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QtTest>

#include <memory>

namespace {

// The rows the view shows, in its order; the filter leaves out the rest.
QAbstractItemModel* modelOf(NotificationTable& table)
{
    return table.QTableView::model();
}

int idAt(NotificationTable& table, int row)
{
    return modelOf(table)->index(row, 2).data(IdRole).toInt();
}

QList<int> rowIds(NotificationTable& table)
{
    QList<int> ids;
    for (int row = 0; row < modelOf(table)->rowCount(); ++row) {
        ids.append(idAt(table, row));
    }
    return ids;
}

int rowOfId(NotificationTable& table, int id)
{
    return rowIds(table).indexOf(id);
}

QList<int> sortedIds(QList<int> ids)
{
    std::sort(ids.begin(), ids.end());
    return ids;
}

// What the row of `id` holds, as the table's items held it, against the record.
void compareRow(QAbstractItemModel* model, int row, const NotificationInfo& info)
{
    const auto at = [&](int column, int role) {
        return model->index(row, column).data(role);
    };
    QCOMPARE(at(0, Qt::DisplayRole), NotificationListModel::timeDisplay(info.dateTime));
    QCOMPARE(at(0, DateTimeRole).toString(), info.dateTime);
    QCOMPARE(at(1, Qt::DisplayRole).toString(), notificationModuleName(info.notificationModule));
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(at(column, ModuleRole).toInt(), int(info.notificationModule));
    }
    QCOMPARE(at(2, Qt::DisplayRole).toString(), info.header);
    QCOMPARE(at(2, HeaderRole).toString(), info.header);
    QCOMPARE(at(2, MessageRole).toString(), info.message);
    QCOMPARE(at(2, TypeRole).toInt(), int(info.notificationType));
    QCOMPARE(at(2, DateTimeRole).toString(), info.dateTime);
}

QList<int> idsOf(const QSignalSpy& spy, int at = -1)
{
    const QList<QVariant> arguments = at < 0 ? spy.last() : spy.at(at);
    QList<int> ids = arguments.first().value<QList<int>>();
    std::sort(ids.begin(), ids.end());
    return ids;
}

QList<int> range(int first, int last)
{
    QList<int> ids;
    for (int id = first; id <= last; ++id) {
        ids.append(id);
    }
    return ids;
}

QMenu* activeMenu()
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

} // namespace

class NotificationTableTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void syncAddsRefreshesAndRemoves();
    void rowItems();
    void eventColumnSortsByHeader();
    void refreshLogsChangedRowsOnly();
    void rowsMatchCollection_data();
    void rowsMatchCollection();
    void paging_data();
    void paging();
    void pagingWhenRowsDoNotFill_data();
    void pagingWhenRowsDoNotFill();
    void contextMenu();
    void commands_data();
    void commands();
    void markAllHiddenDeleteAllVisible();
    void rowsReplacedDuringQuestion_data();
    void rowsReplacedDuringQuestion();
    void hiddenSelectionIsNotActedOn();
    void doubleClick();
    void tabLeavesTheTable();
    void filterMenuFromHeader();
    void filterFromPanel();
    void rowsOfHiddenModuleStayHiddenOnArrival();

private:
    void showTable(int height = 400);

    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    LogReader log;
    std::unique_ptr<NotificationTable> table;
};

void NotificationTableTest::initTestCase()
{
    registerNotificationMetaTypes();
    qRegisterMetaType<QList<int>>();
    environment = std::make_unique<TestEnvironment>(server.port());
}

void NotificationTableTest::init()
{
    table = std::make_unique<NotificationTable>();
    log.mark();
}

void NotificationTableTest::cleanup()
{
    table.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void NotificationTableTest::showTable(int height)
{
    table->resize(600, height);
    table->show();
    QVERIFY(QTest::qWaitForWindowExposed(table.get()));
}

void NotificationTableTest::syncAddsRefreshesAndRemoves()
{
    table->updateFromState(notificationRange(1, 20));
    QCOMPARE(modelOf(*table)->rowCount(), 20);
    QList<int> newestFirst = range(1, 20);
    std::reverse(newestFirst.begin(), newestFirst.end());
    QCOMPARE(rowIds(*table), newestFirst);
    QCOMPARE(log.count(QStringLiteral("Добавление нового уведомления ID ")), 20);
    QStringList messages = log.messages();
    for (int id = 1; id <= 20; ++id) {
        QCOMPARE(messages.count(QStringLiteral("Добавление нового уведомления ID %1").arg(id)), 1);
    }
    QCOMPARE(messages.first(), QStringLiteral("Обновление таблицы уведомлений 20"));
    QCOMPARE(messages.at(messages.size() - 2),
             QStringLiteral("Применен фильтр модулей: показываем 7 типов модулей"));
    QCOMPARE(messages.last(), QStringLiteral("Таблица обновлена 20 уведомлений"));

    log.mark();
    table->updateFromState(notificationRange(1, 20));
    QCOMPARE(rowIds(*table), newestFirst);
    QCOMPARE(log.count(QStringLiteral("Добавление нового уведомления")), 0);
    QCOMPARE(log.count(QStringLiteral("Обновление существующего уведомления")), 0);
    QCOMPARE(log.count(QStringLiteral("Удаление уведомлений")), 0);

    log.mark();
    NotificationHash without7 = notificationRange(1, 20);
    without7.remove(7);
    table->updateFromState(without7);
    QCOMPARE(modelOf(*table)->rowCount(), 19);
    QCOMPARE(rowOfId(*table, 7), -1);
    newestFirst.removeOne(7);
    QCOMPARE(rowIds(*table), newestFirst);
    QVERIFY(log.messages().contains(QStringLiteral("Удаление уведомлений 1")));

    log.mark();
    table->updateFromState({});
    QCOMPARE(modelOf(*table)->rowCount(), 0);
    messages = log.messages();
    QVERIFY(messages.contains(QStringLiteral("Удаление уведомлений 19")));
    QCOMPARE(messages.last(), QStringLiteral("Таблица обновлена 0 уведомлений"));
}

void NotificationTableTest::rowItems()
{
    NotificationInfo odd = notificationRecord(5, GISMT, Error);
    odd.dateTime = QStringLiteral("вчера");
    table->updateFromState({{5, odd}, {6, notificationRecord(6)}});
    QAbstractItemModel* model = modelOf(*table);
    const int row = rowOfId(*table, 5);
    QCOMPARE(model->index(row, 0).data().toString(), QStringLiteral("вчера"));
    QCOMPARE(model->index(rowOfId(*table, 6), 0).data().userType(), int(QMetaType::QDateTime));
    QCOMPARE(model->index(row, 1).data().toString(), QStringLiteral("ГИС МТ"));
    QCOMPARE(model->index(row, 1).data(Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignHCenter | Qt::AlignVCenter));
    QCOMPARE(model->index(row, 2).data().toString(), odd.header);
    QCOMPARE(model->index(row, 2).data(TypeRole).toInt(), int(Error));
    QCOMPARE(model->index(row, 2).data(ModuleRole).toInt(), int(GISMT));
    QCOMPARE(model->index(row, 2).data(MessageRole).toString(), odd.message);
    // The cells cut what does not fit; the tooltips hold it whole.
    QCOMPARE(model->index(row, 1).data(Qt::ToolTipRole).toString(), QStringLiteral("ГИС МТ"));
    const QString tip = model->index(row, 2).data(Qt::ToolTipRole).toString();
    QVERIFY2(tip.contains(odd.header) && tip.contains(odd.message), qPrintable(tip));
    for (int column = 0; column < 3; ++column) {
        QVERIFY(!(model->flags(model->index(row, column)) & Qt::ItemIsEditable));
    }

    odd.message = QStringLiteral("другое");
    odd.notificationType = Read;
    odd.dateTime = QStringLiteral("2026-12-08T09:00:00Z");
    NotificationInfo later = notificationRecord(6);
    later.dateTime = QStringLiteral("сегодня");
    table->updateFromState({{5, odd}, {6, later}});
    const int refreshed = rowOfId(*table, 5);
    QCOMPARE(model->index(refreshed, 2).data().toString(), odd.header);
    QCOMPARE(model->index(refreshed, 2).data(MessageRole).toString(), QStringLiteral("другое"));
    QCOMPARE(model->index(refreshed, 2).data(TypeRole).toInt(), int(Read));
    QCOMPARE(model->index(refreshed, 0).data().toDateTime(),
             QDateTime(QDate(2026, 12, 8), QTime(9, 0), Qt::UTC));
    QCOMPARE(model->index(rowOfId(*table, 6), 0).data().toString(), QStringLiteral("сегодня"));
}

// Sorted by "Событие", a row added by this sync and a row refreshed by it compare by header.
void NotificationTableTest::eventColumnSortsByHeader()
{
    NotificationInfo second = notificationRecord(1);
    second.header = QStringLiteral("Б");
    table->updateFromState({{1, second}});
    NotificationInfo first = notificationRecord(2, DKKT, Read);
    first.header = QStringLiteral("А");
    NotificationInfo third = notificationRecord(3, DKKT, Error);
    third.header = QStringLiteral("В");
    table->sortByColumn(2, Qt::AscendingOrder);
    table->updateFromState({{1, second}, {2, first}, {3, third}});
    QCOMPARE(rowIds(*table), (QList<int>{2, 1, 3}));
}

// Every held row used to be refreshed and logged on every sync, changed or not: a scroll through
// 10,000 notifications wrote half a million lines. Only a record that changed is logged now.
void NotificationTableTest::refreshLogsChangedRowsOnly()
{
    NotificationHash hash = notificationRange(1, 30);
    table->updateFromState(hash);
    hash[12].notificationType = Read;
    hash[12].isRead = true;
    hash[17].isRead = true; // shown nowhere, but the record differs
    hash.insert(notificationRange(31, 35));
    log.mark();
    table->updateFromState(hash);
    QStringList refreshed = log.messages().filter(QStringLiteral("Обновление существующего уведомления"));
    refreshed.sort();
    QCOMPARE(refreshed, (QStringList{QStringLiteral("Обновление существующего уведомления ID 12"),
                                     QStringLiteral("Обновление существующего уведомления ID 17")}));
    QCOMPARE(log.count(QStringLiteral("Добавление нового уведомления ID ")), 5);
    QCOMPARE(modelOf(*table)->index(rowOfId(*table, 12), 2).data(TypeRole).toInt(), int(Read));
}

void NotificationTableTest::rowsMatchCollection_data()
{
    QTest::addColumn<QSet<NotificationModule>>("modules");
    QTest::addColumn<int>("sortColumn");
    QTest::addColumn<int>("order");
    const QSet<NotificationModule> two{GISMT, TORVO};
    QTest::newRow("all modules, newest first") << defaultModuleFilter() << 0 << int(Qt::DescendingOrder);
    QTest::newRow("two modules, newest first") << two << 0 << int(Qt::DescendingOrder);
    QTest::newRow("two modules, oldest first") << two << 0 << int(Qt::AscendingOrder);
    QTest::newRow("all modules, by event") << defaultModuleFilter() << 2 << int(Qt::DescendingOrder);
}

// Random collections, as pages, marks and deletions make them: after each sync the view shows
// exactly the records of the visible modules, each row holding its record, in the order Qt's
// own sorting of the same rows gives; and the log names each new and each changed record once.
void NotificationTableTest::rowsMatchCollection()
{
    QFETCH(QSet<NotificationModule>, modules);
    QFETCH(int, sortColumn);
    QFETCH(int, order);
    table->setModuleFilter(modules);
    table->sortByColumn(sortColumn, Qt::SortOrder(order));
    QSortFilterProxyModel reference;
    reference.setSourceModel(table->rowModel());
    reference.sort(sortColumn, Qt::SortOrder(order));

    QRandomGenerator random(7);
    NotificationHash hash;
    for (int step = 0; step < 14; ++step) {
        const NotificationHash before = hash;
        for (int n = 0; n < 40; ++n) {
            const int id = random.bounded(200);
            // One draw per statement: the order of a call's arguments differs between compilers.
            const auto module = NotificationModule(random.bounded(7));
            const auto type = NotificationType(random.bounded(3));
            NotificationInfo info = notificationRecord(id, module, type);
            // Few stamps and headers, so that many rows tie.
            info.dateTime =
                QStringLiteral("2026-12-08T10:%1:00Z").arg(random.bounded(5), 2, 10, QLatin1Char('0'));
            info.header = QStringLiteral("Заголовок %1").arg(random.bounded(6));
            hash.insert(id, info);
        }
        for (int n = 0; n < 15; ++n) {
            hash.remove(random.bounded(200));
        }
        if (step == 7) {
            // The filter changed between syncs maps every row anew.
            table->setModuleFilter(defaultModuleFilter());
            table->setModuleFilter(modules);
        }
        QList<int> selected;
        if (step == 10) {
            // Every other row goes, with many runs of rows between them; the rest stay selected.
            table->selectAll();
            for (int id : hash.keys()) {
                if (id % 2) {
                    hash.remove(id);
                }
            }
            // A row whose record moves to a module the filter hides leaves the view, and with it
            // the selection.
            for (int id : rowIds(*table)) {
                if (hash.contains(id) && modules.contains(hash.value(id).notificationModule)) {
                    selected.append(id);
                }
            }
        }
        log.mark();
        table->updateFromState(hash);
        if (step == 10) {
            QList<int> stillSelected;
            for (const QModelIndex& index : table->selectionModel()->selectedRows(2)) {
                stillSelected.append(index.data(IdRole).toInt());
            }
            QCOMPARE(sortedIds(stillSelected), sortedIds(selected));
            QVERIFY(selected.size() > 5);
        }

        QList<int> expected;
        QStringList expectedKeys;
        for (int row = 0; row < reference.rowCount(); ++row) {
            const int id = reference.index(row, 2).data(IdRole).toInt();
            if (modules.contains(hash.value(id).notificationModule)) {
                expected.append(id);
                expectedKeys.append(reference.index(row, sortColumn).data().toString());
            }
        }
        QAbstractItemModel* shown = modelOf(*table);
        QStringList keys;
        for (int row = 0; row < shown->rowCount(); ++row) {
            keys.append(shown->index(row, sortColumn).data().toString());
            compareRow(shown, row, hash.value(idAt(*table, row)));
        }
        QCOMPARE(sortedIds(rowIds(*table)), sortedIds(expected));
        QCOMPARE(keys, expectedKeys);
        QCOMPARE(table->rowModel()->rowCount(), hash.size());

        int added = 0;
        int changed = 0;
        for (const NotificationInfo& info : qAsConst(hash)) {
            added += !before.contains(info.id);
            changed += before.contains(info.id) && before.value(info.id) != info;
        }
        QCOMPARE(log.count(QStringLiteral("Добавление нового уведомления ID ")), added);
        QCOMPARE(log.count(QStringLiteral("Обновление существующего уведомления ID ")), changed);
    }
}

void NotificationTableTest::paging_data()
{
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<bool>("toEnd");
    QTest::addColumn<bool>("asked");
    QTest::newRow("middle") << false << false << false;
    QTest::newRow("end") << false << true << true;
    QTest::newRow("end, some rows hidden") << true << true << true;
}

void NotificationTableTest::paging()
{
    QFETCH(bool, filtered);
    QFETCH(bool, toEnd);
    QFETCH(bool, asked);
    NotificationHash hash = notificationRange(1, 100);
    hash.insert(notificationRange(101, 120, GISMT));
    table->updateFromState(hash);
    if (filtered) {
        table->setModuleFilter({DKKT});
    }
    showTable();
    QScrollBar* bar = table->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 10);
    QSignalSpy more(table.get(), &NotificationTable::loadMoreDataRequested);
    log.mark();
    bar->setValue(toEnd ? bar->maximum() - 3 : bar->maximum() / 2);
    if (!asked) {
        QCOMPARE(more.count(), 0);
        QCOMPARE(log.count(QStringLiteral("Достигнут конец таблицы")), 0);
        return;
    }
    QCOMPARE(more.count(), 1);
    QCOMPARE(more.first(), (QList<QVariant>{120, 100}));
    const QString line = log.messages().value(0);
    QVERIFY2(line.startsWith(QStringLiteral("Достигнут конец таблицы (скролл: %1/%2, строки: ")
                                 .arg(bar->value())
                                 .arg(bar->maximum())),
             qPrintable(line));
    QVERIFY2(line.endsWith(QStringLiteral(" из 120), запрашиваем загрузку дополнительных данных")),
             qPrintable(line));
}

void NotificationTableTest::pagingWhenRowsDoNotFill_data()
{
    QTest::addColumn<bool>("lastPageFull");
    QTest::addColumn<int>("otherRows");
    QTest::addColumn<QList<int>>("filter"); // empty: no filter; {-1}: every module filtered out
    QTest::addColumn<bool>("asked");
    // The service had no more: nothing to ask for, even though nothing can be scrolled.
    QTest::newRow("last page short") << false << 0 << QList<int>() << false;
    QTest::newRow("last page full, rows fit") << true << 0 << QList<int>() << true;
    // A panel's bell leaves three rows of a hundred and three: the rest must come by paging.
    QTest::newRow("filter leaves few rows") << true << 100 << QList<int>({int(GISMT)}) << true;
    // No page could ever show a row.
    QTest::newRow("every module filtered out") << true << 100 << QList<int>({-1}) << false;
    QTest::newRow("view filled") << true << 100 << QList<int>() << false;
}

void NotificationTableTest::pagingWhenRowsDoNotFill()
{
    QFETCH(bool, lastPageFull);
    QFETCH(int, otherRows);
    QFETCH(QList<int>, filter);
    QFETCH(bool, asked);
    showTable(600);
    QSignalSpy more(table.get(), &NotificationTable::loadMoreDataRequested);
    table->setMorePagesExpected(lastPageFull);
    NotificationHash hash = notificationRange(1, 3, GISMT);
    if (otherRows > 0) {
        hash.insert(notificationRange(4, 3 + otherRows));
    }
    table->updateFromState(hash);
    if (!filter.isEmpty()) {
        QSet<NotificationModule> modules;
        for (int module : filter) {
            if (module >= 0) {
                modules.insert(NotificationModule(module));
            }
        }
        table->setModuleFilter(modules);
    }
    if (asked) {
        QTRY_COMPARE(more.count(), 1);
        QCOMPARE(more.first(), (QList<QVariant>{hash.size(), 100}));
        QVERIFY(log.contains(QStringLiteral("Строки не заполняют таблицу")));
    } else {
        // The check runs once the event loop turns.
        QCoreApplication::processEvents();
        QCOMPARE(more.count(), 0);
    }
    // Scrolling cannot ask either when nothing scrolls.
    if (otherRows == 0) {
        table->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(table->verticalScrollBar()->value(), 0);
        QCOMPARE(more.count(), asked ? 1 : 0);
    }
}

void NotificationTableTest::contextMenu()
{
    showTable();
    const QPoint click(120, 30);
    QPoint menuAt;
    bool opened = false;
    auto watch = [&] {
        QTimer::singleShot(0, table.get(), [&] {
            if (QMenu* menu = activeMenu()) {
                opened = true;
                menuAt = menu->pos();
                menu->close();
            }
        });
    };
    watch();
    emit table->customContextMenuRequested(click);
    QCoreApplication::processEvents();
    QVERIFY(!opened);
    QVERIFY(!activeMenu());

    table->updateFromState(notificationRange(1, 3));
    watch();
    emit table->customContextMenuRequested(click);
    QVERIFY(opened);
    // Opens where the operator clicked, below the header, not a header's height above it.
    QCOMPARE(menuAt, table->viewport()->mapToGlobal(click));
}

void NotificationTableTest::commands_data()
{
    QTest::addColumn<int>("action"); // position among the action menu's actions
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("select");
    QTest::addColumn<int>("answer"); // NoButton: Enter, as an operator at the keyboard answers
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("logLine");
    QTest::addColumn<QList<int>>("deleted");
    QTest::addColumn<QList<int>>("marked");

    const QString selectedQuestion = QStringLiteral("Вы уверены, что хотите удалить выбранные уведомления?");
    const QList<int> none;
    QTest::newRow("mark selected") << 0 << 6 << true << int(QMessageBox::Yes) << QString()
                                   << QStringLiteral("Запрос на пометку как прочитанные 2 уведомлений")
                                   << none << QList<int>{3, 4};
    QTest::newRow("mark selected, nothing selected")
        << 0 << 6 << false << int(QMessageBox::Yes) << QString() << QString() << none << none;
    QTest::newRow("read all") << 1 << 6 << false << int(QMessageBox::Yes) << QString()
                              << QStringLiteral("Запрос на пометку как прочитанные всех 6 уведомлений")
                              << none << range(1, 6);
    QTest::newRow("delete selected, yes")
        << 3 << 6 << true << int(QMessageBox::Yes) << selectedQuestion
        << QStringLiteral("Запрос на удаление 2 уведомлений") << QList<int>{3, 4} << none;
    QTest::newRow("delete selected, no")
        << 3 << 6 << true << int(QMessageBox::No) << selectedQuestion << QString() << none << none;
    QTest::newRow("delete selected, Enter")
        << 3 << 6 << true << int(QMessageBox::NoButton) << selectedQuestion << QString() << none << none;
    QTest::newRow("delete selected, nothing selected")
        << 3 << 6 << false << int(QMessageBox::Yes) << selectedQuestion << QString() << none << none;
    const QString allQuestion =
        QStringLiteral("Вы уверены, что хотите удалить все 6 уведомлений?\n"
                       "Будут удалены загруженные в таблицу уведомления всех модулей.");
    QTest::newRow("delete all, yes") << 4 << 6 << false << int(QMessageBox::Yes) << allQuestion
                                     << QStringLiteral("Запрос на удаление всех 6 уведомлений") << range(1, 6)
                                     << none;
    QTest::newRow("delete all, Enter")
        << 4 << 6 << false << int(QMessageBox::NoButton) << allQuestion << QString() << none << none;
}

// Each command chosen from the right-click menu as the operator does, with the question answered.
void NotificationTableTest::commands()
{
    QFETCH(int, action);
    QFETCH(int, rows);
    QFETCH(bool, select);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(QString, logLine);
    QFETCH(QList<int>, deleted);
    QFETCH(QList<int>, marked);

    table->updateFromState(notificationRange(1, rows));
    showTable();
    if (select) {
        table->selectRow(rowOfId(*table, 3));
        table->selectionModel()->select(modelOf(*table)->index(rowOfId(*table, 4), 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QSignalSpy deleteSpy(table.get(), &NotificationTable::deleteNotificationsRequested);
    QSignalSpy markSpy(table.get(), &NotificationTable::markNotificationsAsReadRequested);
    ModalAnswerer answerer{QMessageBox::StandardButton(answer)};
    if (answer == QMessageBox::NoButton) {
        answerer.setAnswerKey(Qt::Key_Return);
    }
    log.mark();

    QTimer::singleShot(0, table.get(), [action] {
        QMenu* menu = activeMenu();
        if (!menu) {
            return;
        }
        menu->setActiveAction(menu->actions().at(action));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    emit table->customContextMenuRequested(QPoint(50, 50));

    if (question.isEmpty()) {
        QCOMPARE(answerer.count(), 0);
    } else {
        QTRY_COMPARE(answerer.count(), 1);
        QCOMPARE(answerer.last().title, QStringLiteral("Подтверждение"));
        QCOMPARE(answerer.last().text, question);
        QCOMPARE(answerer.last().icon, QMessageBox::Question);
        QCOMPARE(answerer.last().parent, static_cast<QWidget*>(table.get()));
        // Deleting cannot be undone: the answer an operator gives without reading keeps them.
        QCOMPARE(answerer.last().defaultButton, QMessageBox::No);
    }
    QCOMPARE(deleteSpy.count(), deleted.isEmpty() ? 0 : 1);
    if (!deleted.isEmpty()) {
        QCOMPARE(idsOf(deleteSpy), deleted);
    }
    QCOMPARE(markSpy.count(), marked.isEmpty() ? 0 : 1);
    if (!marked.isEmpty()) {
        QCOMPARE(idsOf(markSpy), marked);
    }
    if (!logLine.isEmpty()) {
        QVERIFY(log.messages().contains(logLine));
    }
    QCOMPARE(log.count(QStringLiteral("Запрос на удаление")), deleted.isEmpty() ? 0 : 1);
    // Commands only ask; the rows wait for the state's next collection.
    QCOMPARE(modelOf(*table)->rowCount(), rows);
}

void NotificationTableTest::markAllHiddenDeleteAllVisible()
{
    NotificationHash hash = notificationRange(1, 3);
    hash.insert(notificationRange(4, 6, GISMT));
    table->updateFromState(hash);
    table->setModuleFilter({GISMT});
    QSignalSpy markSpy(table.get(), &NotificationTable::markNotificationsAsReadRequested);
    QSignalSpy deleteSpy(table.get(), &NotificationTable::deleteNotificationsRequested);
    table->markAllAsRead();
    QCOMPARE(idsOf(markSpy), range(1, 6));

    // Deleting "all" never reaches rows the filter hides from the operator.
    ModalAnswerer answerer(QMessageBox::Yes);
    table->deleteAllRows();
    const QString scope =
        QStringLiteral("\nБудут удалены загруженные в таблицу уведомления модулей: ГИС МТ.");
    QCOMPARE(answerer.last().text,
             QStringLiteral("Вы уверены, что хотите удалить все 3 уведомлений?") + scope);
    QCOMPARE(idsOf(deleteSpy), range(4, 6));

    // With no rows the question still comes, with 0, and nothing is asked of the state.
    table->updateFromState({});
    table->deleteAllRows();
    QCOMPARE(answerer.count(), 2);
    QCOMPARE(answerer.last().text,
             QStringLiteral("Вы уверены, что хотите удалить все 0 уведомлений?") + scope);
    QCOMPARE(deleteSpy.count(), 1);
}

void NotificationTableTest::rowsReplacedDuringQuestion_data()
{
    QTest::addColumn<bool>("all");
    QTest::newRow("delete selected") << false;
    QTest::newRow("delete all") << true;
}

void NotificationTableTest::rowsReplacedDuringQuestion()
{
    QFETCH(bool, all);
    table->updateFromState(notificationRange(1, 5));
    table->selectAll();
    QSignalSpy deleteSpy(table.get(), &NotificationTable::deleteNotificationsRequested);
    // Another register is picked while the question is open; its rows carry the same ids.
    ModalAnswerer answerer(QMessageBox::Yes);
    answerer.setWhileOpen([this] {
        table->updateFromState({});
        table->updateFromState(notificationRange(1, 5));
    });
    if (all) {
        table->deleteAllRows();
    } else {
        table->deleteSelectedRows();
    }
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(deleteSpy.count(), 0);
}

void NotificationTableTest::hiddenSelectionIsNotActedOn()
{
    NotificationHash hash = notificationRange(1, 3);
    hash.insert(notificationRange(4, 6, GISMT));
    table->updateFromState(hash);
    table->selectAll();
    log.mark();
    table->setModuleFilter({GISMT});
    QSignalSpy markSpy(table.get(), &NotificationTable::markNotificationsAsReadRequested);
    table->markSelectedAsRead();
    QCOMPARE(idsOf(markSpy), range(4, 6));

    table->clearSelection();
    QVERIFY(log.messages().contains(QStringLiteral("Изменено выделение: выбрано 0 элементов")));
    table->selectRow(rowOfId(*table, 5));
    QVERIFY(log.messages().contains(QStringLiteral("Изменено выделение: выбрано 3 элементов")));
}

void NotificationTableTest::tabLeavesTheTable()
{
    table->updateFromState(notificationRange(1, 3));
    showTable();
    table->setCurrentIndex(modelOf(*table)->index(0, 0));
    // Tab goes on to the page's next control, never from cell to cell.
    QTest::keyClick(table.get(), Qt::Key_Tab);
    QCOMPARE(table->currentIndex().column(), 0);
}

void NotificationTableTest::doubleClick()
{
    table->updateFromState({{8, notificationRecord(8, LDB, Read)}, {9, notificationRecord(9)}});
    showTable();
    QSignalSpy markSpy(table.get(), &NotificationTable::markNotificationsAsReadRequested);
    log.mark();
    const QRect cell = table->visualRect(modelOf(*table)->index(rowOfId(*table, 8), 1));
    // A real double click: the first click's press, then the double-click event.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTRY_COMPARE(markSpy.count(), 1);
    QCOMPARE(idsOf(markSpy), QList<int>{8});
    QVERIFY(log.messages().contains(
        QStringLiteral("Запрос на пометку уведомления ID 8 как прочитанное при двойном клике")));

    table->onCellDoubleClicked(QModelIndex());
    QCOMPARE(markSpy.count(), 1);
}

void NotificationTableTest::filterMenuFromHeader()
{
    NotificationHash hash = notificationRange(1, 2, LDB);
    hash.insert(notificationRange(3, 4, GISMT));
    hash.insert(notificationRange(5, 6, TORVO));
    table->updateFromState(hash);
    showTable();
    QHeaderView* header = table->horizontalHeader();
    auto clickSection = [&](int section) {
        const QPoint at(header->sectionViewportPosition(section) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    };

    bool opened = false;
    QTimer::singleShot(0, table.get(), [&] { opened = activeMenu() != nullptr; });
    clickSection(0);
    clickSection(2);
    QCoreApplication::processEvents();
    QVERIFY(!opened);
    QVERIFY(!activeMenu());

    // "Модуль": the menu opens under the header cell, the same click sorts the rows by module;
    // "Очистить все", then "ГИС МТ".
    QPoint menuAt;
    QStringList modulesShown;
    QTimer::singleShot(0, table.get(), [&] {
        QMenu* menu = activeMenu();
        QVERIFY(menu);
        menuAt = menu->pos();
        for (int row = 0; row < modelOf(*table)->rowCount(); ++row) {
            modulesShown << modelOf(*table)->index(row, 1).data().toString();
        }
        menu->setActiveAction(menu->actions().at(1));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    clickSection(1);
    QCOMPARE(menuAt, header->mapToGlobal(QPoint(header->sectionViewportPosition(1), header->height())));
    QCOMPARE(header->sortIndicatorSection(), 1);
    QStringList byModule = modulesShown;
    std::sort(byModule.begin(), byModule.end());
    if (header->sortIndicatorOrder() == Qt::DescendingOrder) {
        std::reverse(byModule.begin(), byModule.end());
    }
    QCOMPARE(modulesShown.size(), 6);
    QCOMPARE(modulesShown, byModule);
    QCOMPARE(modelOf(*table)->rowCount(), 0);
    QCOMPARE(table->rowModel()->rowCount(), 6);

    QTimer::singleShot(0, table.get(), [&] {
        QMenu* menu = activeMenu();
        QVERIFY(menu);
        for (QAction* action : menu->actions()) {
            if (action->text() == QStringLiteral("ГИС МТ")) {
                menu->setActiveAction(action);
            }
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    log.mark();
    clickSection(1);
    QCOMPARE(sortedIds(rowIds(*table)), (QList<int>{3, 4}));
    QVERIFY(log.messages().contains(QStringLiteral("Применен фильтр модулей: показываем 1 типов модулей")));
}

void NotificationTableTest::filterFromPanel()
{
    auto* menu = table->findChild<NotificationFilterMenu*>();
    QVERIFY(menu);
    table->setModuleFilter({DKKT});
    QStringList checked;
    for (QAction* action : menu->actions()) {
        if (action->isChecked()) {
            checked.append(action->text());
        }
    }
    QCOMPARE(checked, QStringList{QStringLiteral("ДККТ")});
    QCOMPARE(menu->getVisibleModules(), QSet<NotificationModule>{DKKT});
}

void NotificationTableTest::rowsOfHiddenModuleStayHiddenOnArrival()
{
    table->setModuleFilter({GISMT});
    NotificationHash hash = notificationRange(1, 2, GISMT);
    table->updateFromState(hash);
    hash.insert(notificationRange(3, 4, LDB));
    hash.insert(5, notificationRecord(5, GISMT));
    table->updateFromState(hash);
    QCOMPARE(rowIds(*table), (QList<int>{5, 2, 1}));
}

QTEST_MAIN(NotificationTableTest)
#include "tst_notificationtable.moc"
