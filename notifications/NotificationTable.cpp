#include "notifications/NotificationTable.h"

#include "app/Logger.h"
#include "notifications/NotificationActionMenu.h"
#include "notifications/NotificationEventDelegate.h"
#include "notifications/NotificationFilterMenu.h"
#include "notifications/NotificationModuleDelegate.h"
#include "notifications/NotificationRoles.h"
#include "notifications/NotificationRowIndex.h"
#include "notifications/NotificationTimeDelegate.h"

#include <QDateTime>
#include <QHeaderView>
#include <QMessageBox>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

enum Column
{
    TimeColumn = 0,
    ModuleColumn,
    EventColumn,
    ColumnCount
};

const int rowPixels = 40;

QVariant timeDisplay(const NotificationInfo& info)
{
    const QDateTime time = QDateTime::fromString(info.dateTime, Qt::ISODate);
    return time.isValid() ? QVariant(time) : QVariant(info.dateTime);
}

QStandardItem* readOnly(QStandardItem* item)
{
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

NotificationTable::NotificationTable(QWidget* parent)
    : QTableView(parent)
{
    model = new QStandardItemModel(0, ColumnCount, this);
    filterMenu = new NotificationFilterMenu(this);
    actionMenu = new NotificationActionMenu(this);
    rowIndex = new NotificationRowIndex(model, EventColumn, IdRole, this);
    setupUI();
    setupCallbacks();
}

void NotificationTable::setupUI()
{
    setAccessibleName(QStringLiteral("Уведомления"));
    setModel(model);
    model->setColumnCount(ColumnCount);
    model->setHorizontalHeaderLabels(
        {QStringLiteral("Время"), QStringLiteral("Модуль"), QStringLiteral("Событие")});

    horizontalHeader()->setVisible(true);
    verticalHeader()->setVisible(false);
    setSortingEnabled(true);
    sortByColumn(TimeColumn, Qt::DescendingOrder);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAlternatingRowColors(false);
    setGridStyle(Qt::SolidLine);

    setColumnWidth(TimeColumn, 150);
    setColumnWidth(ModuleColumn, 100);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(EventColumn, QHeaderView::Stretch);

    verticalHeader()->setDefaultSectionSize(rowPixels);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setContextMenuPolicy(Qt::CustomContextMenu);

    setItemDelegateForColumn(TimeColumn, new NotificationTimeDelegate(this));
    setItemDelegateForColumn(ModuleColumn, new NotificationModuleDelegate(this));
    setItemDelegateForColumn(EventColumn, new NotificationEventDelegate(this));
}

void NotificationTable::setupCallbacks()
{
    connect(this, &QAbstractItemView::doubleClicked, this, &NotificationTable::onCellDoubleClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &NotificationTable::onSelectionChanged);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &NotificationTable::onScrollValueChanged);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, filterMenu,
            &NotificationFilterMenu::onHeaderClicked);
    connect(filterMenu, &NotificationFilterMenu::filterChanged, this, &NotificationTable::applyModuleFilter);
    connect(actionMenu, &NotificationActionMenu::markAsReadRequested, this,
            &NotificationTable::markSelectedAsRead);
    connect(actionMenu, &NotificationActionMenu::markAllAsReadRequested, this,
            &NotificationTable::markAllAsRead);
    connect(actionMenu, &NotificationActionMenu::deleteSelectedRequested, this,
            &NotificationTable::deleteSelectedRows);
    connect(actionMenu, &NotificationActionMenu::deleteAllRequested, this, &NotificationTable::deleteAllRows);
    // A scroll area reports the click in its viewport's coordinates, below the header.
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        if (model->rowCount() > 0) {
            actionMenu->showMenu(viewport()->mapToGlobal(position));
        }
    });
}

void NotificationTable::setIndexedLookup(bool enabled)
{
    rowIndex->setEnabled(enabled);
}

void NotificationTable::updateFromState(const QHash<int, NotificationInfo>& notifications)
{
    logDebug(QStringLiteral("Обновление таблицы уведомлений %1").arg(notifications.size()));
    if (notifications.isEmpty() && model->rowCount() > 0) {
        ++clearGeneration;
    }
    const bool sorting = isSortingEnabled();
    setSortingEnabled(false);

    for (const NotificationInfo& info : notifications) {
        if (findRowByNotificationId(info.id) < 0) {
            logDebug(QStringLiteral("Добавление нового уведомления ID %1").arg(info.id));
            appendNewNotification(info);
        } else {
            logDebug(QStringLiteral("Обновление существующего уведомления ID %1").arg(info.id));
            updateExistingNotification(info);
        }
    }

    QList<int> gone;
    const int rows = model->rowCount();
    for (int row = 0; row < rows; ++row) {
        const QStandardItem* event = model->item(row, EventColumn);
        if (event && !notifications.contains(event->data(IdRole).toInt())) {
            gone.append(event->data(IdRole).toInt());
        }
    }
    if (!gone.isEmpty()) {
        logDebug(QStringLiteral("Удаление уведомлений %1").arg(gone.size()));
        deleteNotification(gone);
    }

    setSortingEnabled(sorting);
    applyModuleFilter(filterMenu->getVisibleModules());
    logDebug(QStringLiteral("Таблица обновлена %1 уведомлений").arg(notifications.size()));
}

int NotificationTable::findRowByNotificationId(int id) const
{
    return rowIndex->rowOf(id);
}

void NotificationTable::appendNewNotification(const NotificationInfo& info)
{
    model->appendRow({createTimeItem(info), createModuleItem(info), createEventItem(info)});
}

void NotificationTable::updateExistingNotification(const NotificationInfo& info)
{
    const int row = findRowByNotificationId(info.id);
    if (row < 0 || row >= model->rowCount()) {
        return;
    }
    if (QStandardItem* time = model->item(row, TimeColumn)) {
        // The display follows from the stamp alone: an unchanged stamp needs no second parse.
        if (time->data(DateTimeRole).toString() != info.dateTime) {
            time->setData(timeDisplay(info), Qt::DisplayRole);
        }
        time->setData(info.dateTime, DateTimeRole);
    }
    if (QStandardItem* module = model->item(row, ModuleColumn)) {
        module->setData(notificationModuleName(info.notificationModule), Qt::DisplayRole);
        module->setData(int(info.notificationModule), ModuleRole);
    }
    if (QStandardItem* event = model->item(row, EventColumn)) {
        event->setData(info.header, Qt::DisplayRole);
        event->setData(info.id, IdRole);
        event->setData(info.dateTime, DateTimeRole);
        event->setData(info.header, HeaderRole);
        event->setData(info.message, MessageRole);
        event->setData(int(info.notificationType), TypeRole);
        event->setData(int(info.notificationModule), ModuleRole);
    }
}

QStandardItem* NotificationTable::createTimeItem(const NotificationInfo& info) const
{
    auto* item = new QStandardItem;
    item->setData(timeDisplay(info), Qt::DisplayRole);
    item->setData(info.dateTime, DateTimeRole);
    item->setData(int(info.notificationModule), ModuleRole);
    return readOnly(item);
}

QStandardItem* NotificationTable::createModuleItem(const NotificationInfo& info) const
{
    auto* item = new QStandardItem(notificationModuleName(info.notificationModule));
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    item->setData(int(info.notificationModule), ModuleRole);
    return readOnly(item);
}

QStandardItem* NotificationTable::createEventItem(const NotificationInfo& info) const
{
    // The header, as a refresh writes it, so that sorting by this column never compares a
    // fresh row's number with an older row's text.
    auto* item = new QStandardItem(info.header);
    item->setData(info.id, IdRole);
    item->setData(info.dateTime, DateTimeRole);
    item->setData(int(info.notificationModule), ModuleRole);
    item->setData(info.header, HeaderRole);
    item->setData(info.message, MessageRole);
    item->setData(int(info.notificationType), TypeRole);
    return readOnly(item);
}

QList<int> NotificationTable::getAllRows() const
{
    QList<int> rows;
    const int count = model->rowCount();
    rows.reserve(count);
    for (int row = 0; row < count; ++row) {
        rows.append(row);
    }
    return rows;
}

QList<int> NotificationTable::getVisibleRows() const
{
    QList<int> rows;
    const int count = model->rowCount();
    for (int row = 0; row < count; ++row) {
        if (!isRowHidden(row)) {
            rows.append(row);
        }
    }
    return rows;
}

QList<int> NotificationTable::getSelectedRows() const
{
    // The view's own list leaves out rows hidden by the filter: a command never reaches
    // notifications the operator cannot see.
    QSet<int> rows;
    for (const QModelIndex& index : selectedIndexes()) {
        rows.insert(index.row());
    }
    QList<int> sorted = rows.values();
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

QList<int> NotificationTable::getNotificationIds(const QList<int>& rows) const
{
    QList<int> ids;
    ids.reserve(rows.size());
    for (int row : rows) {
        if (const QStandardItem* event = model->item(row, EventColumn)) {
            ids.append(event->data(IdRole).toInt());
        }
    }
    return ids;
}

void NotificationTable::deleteNotification(const QList<int>& notificationIds)
{
    QList<int> rows;
    for (int id : notificationIds) {
        const int row = findRowByNotificationId(id);
        if (row >= 0) {
            rows.append(row);
        }
    }
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    // An id given twice must not take a second, unrelated row with it.
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Adjacent rows go in one call: one by one, emptying a long table took quadratic time.
    for (int i = 0; i < rows.size();) {
        int first = rows.at(i);
        int count = 1;
        while (i + count < rows.size() && rows.at(i + count) == first - 1) {
            --first;
            ++count;
        }
        if (first + count <= model->rowCount()) {
            model->removeRows(first, count);
        }
        i += count;
    }
}

void NotificationTable::setModuleFilter(const QSet<NotificationModule>& modules)
{
    filterMenu->setVisibleModules(modules);
}

void NotificationTable::applyModuleFilter(const QSet<NotificationModule>& modules)
{
    const int rows = model->rowCount();
    for (int row = 0; row < rows; ++row) {
        if (const QStandardItem* module = model->item(row, ModuleColumn)) {
            setRowHidden(row, !modules.contains(NotificationModule(module->data(ModuleRole).toInt())));
        }
    }
    logDebug(QStringLiteral("Применен фильтр модулей: показываем %1 типов модулей").arg(modules.size()));
    scheduleFillCheck();
}

void NotificationTable::setMorePagesExpected(bool expected)
{
    morePagesExpected = expected;
}

void NotificationTable::scheduleFillCheck()
{
    // Once the event loop turns: the rows, the filter and the page flag are all settled by then.
    if (fillCheckScheduled) {
        return;
    }
    fillCheckScheduled = true;
    QTimer::singleShot(0, this, [this]() {
        fillCheckScheduled = false;
        requestPageIfViewNotFilled();
    });
}

void NotificationTable::requestPageIfViewNotFilled()
{
    // With every module filtered out no page could ever show a row: paging would fetch them all.
    if (!morePagesExpected || filterMenu->getVisibleModules().isEmpty()) {
        return;
    }
    const int visible = getVisibleRows().size();
    if (visible * verticalHeader()->defaultSectionSize() >= viewport()->height()) {
        return;
    }
    logDebug(QStringLiteral("Строки не заполняют таблицу (видно %1 из %2), запрашиваем загрузку "
                            "дополнительных данных")
                 .arg(visible)
                 .arg(model->rowCount()));
    emit loadMoreDataRequested(model->rowCount(), pageSize);
}

void NotificationTable::onScrollValueChanged(int)
{
    const QScrollBar* bar = verticalScrollBar();
    const int maximum = bar->maximum();
    const int position = bar->value();
    const int section = verticalHeader()->defaultSectionSize();
    const int visibleRows = height() / section;
    const int total = model->rowCount();
    const int first = position / section;
    const int last = first + visibleRows;
    if (!((maximum > 0 && maximum - position <= 5) || (total > 0 && total - last <= 3))) {
        return;
    }
    logDebug(
        QStringLiteral("Достигнут конец таблицы (скролл: %1/%2, строки: %3-%4 из %5), запрашиваем загрузку "
                       "дополнительных данных")
            .arg(position)
            .arg(maximum)
            .arg(first)
            .arg(last)
            .arg(total));
    emit loadMoreDataRequested(model->rowCount(), pageSize);
}

void NotificationTable::onCellDoubleClicked(const QModelIndex& index)
{
    if (!index.isValid()) {
        return;
    }
    const QList<int> ids = getNotificationIds({index.row()});
    if (ids.isEmpty()) {
        return;
    }
    emit markNotificationsAsReadRequested(ids);
    logDebug(QStringLiteral("Запрос на пометку уведомления ID %1 как прочитанное при двойном клике")
                 .arg(ids.first()));
}

void NotificationTable::markSelectedAsRead()
{
    const QList<int> ids = getNotificationIds(getSelectedRows());
    if (ids.isEmpty()) {
        return;
    }
    emit markNotificationsAsReadRequested(ids);
    logDebug(QStringLiteral("Запрос на пометку как прочитанные %1 уведомлений").arg(ids.size()));
}

void NotificationTable::markAllAsRead()
{
    const QList<int> ids = getNotificationIds(getAllRows());
    if (ids.isEmpty()) {
        return;
    }
    emit markNotificationsAsReadRequested(ids);
    logDebug(QStringLiteral("Запрос на пометку как прочитанные всех %1 уведомлений").arg(ids.size()));
}

void NotificationTable::deleteSelectedRows()
{
    const QList<int> ids = getNotificationIds(getSelectedRows());
    const quint64 generation = clearGeneration;
    const auto answer =
        QMessageBox::question(this, QStringLiteral("Подтверждение"),
                              QStringLiteral("Вы уверены, что хотите удалить выбранные уведомления?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer != QMessageBox::Yes || ids.isEmpty() || rowsReplacedSince(generation)) {
        return;
    }
    emit deleteNotificationsRequested(ids);
    logDebug(QStringLiteral("Запрос на удаление %1 уведомлений").arg(ids.size()));
}

void NotificationTable::deleteAllRows()
{
    // "All" is what the operator sees: rows hidden by the module filter stay.
    const QList<int> ids = getNotificationIds(getVisibleRows());
    const quint64 generation = clearGeneration;
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Подтверждение"),
        QStringLiteral("Вы уверены, что хотите удалить все %1 уведомлений?").arg(ids.size()),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer != QMessageBox::Yes || ids.isEmpty() || rowsReplacedSince(generation)) {
        return;
    }
    emit deleteNotificationsRequested(ids);
    logDebug(QStringLiteral("Запрос на удаление всех %1 уведомлений").arg(ids.size()));
}

void NotificationTable::onSelectionChanged()
{
    logDebug(QStringLiteral("Изменено выделение: выбрано %1 элементов").arg(selectedIndexes().size()));
}
