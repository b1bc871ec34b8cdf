#include "notifications/NotificationTable.h"

#include "app/Logger.h"
#include "notifications/NotificationActionMenu.h"
#include "notifications/NotificationEventDelegate.h"
#include "notifications/NotificationFilterMenu.h"
#include "notifications/NotificationFilterProxy.h"
#include "notifications/NotificationListModel.h"
#include "notifications/NotificationModuleDelegate.h"
#include "notifications/NotificationTimeDelegate.h"
#include "ui/StatusPalette.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

const int rowPixels = 40;

// The second line of the delete-all question: which of the notifications it deletes.
QString deleteAllScope(const QSet<NotificationModule>& shown)
{
    if (shown.contains(NotificationFilterMenu::getDefaultFilter())) {
        return QStringLiteral("Будут удалены загруженные в таблицу уведомления всех модулей.");
    }
    if (shown.isEmpty()) {
        return QStringLiteral("Фильтр скрывает все модули: удалено ничего не будет.");
    }
    QList<NotificationModule> modules = shown.values();
    std::sort(modules.begin(), modules.end());
    QStringList names;
    for (NotificationModule module : modules) {
        names << notificationModuleName(module);
    }
    return QStringLiteral("Будут удалены загруженные в таблицу уведомления модулей: ") +
           names.join(QStringLiteral(", ")) + QLatin1Char('.');
}

// Deleting cannot be undone: Enter and Escape alike keep the notifications.
QMessageBox::StandardButton askToDelete(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QStringLiteral("Подтверждение"), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

} // namespace

NotificationTable::NotificationTable(QWidget* parent)
    : QTableView(parent)
{
    model = new NotificationListModel(this);
    proxy = new NotificationFilterProxy(this);
    proxy->setSourceModel(model);
    filterMenu = new NotificationFilterMenu(this);
    actionMenu = new NotificationActionMenu(this);
    setupUI();
    setupCallbacks();
}

void NotificationTable::setupUI()
{
    setAccessibleName(QStringLiteral("Уведомления"));
    setModel(proxy);

    horizontalHeader()->setVisible(true);
    verticalHeader()->setVisible(false);
    // The proxy keeps the rows in this order as they arrive and change.
    setSortingEnabled(true);
    sortByColumn(NotificationListModel::TimeColumn, Qt::DescendingOrder);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tab goes on to the next control, as everywhere else; the arrows move between rows.
    setTabKeyNavigation(false);
    setAlternatingRowColors(false);
    setGridStyle(Qt::SolidLine);

    setColumnWidth(NotificationListModel::TimeColumn, 150);
    setColumnWidth(NotificationListModel::ModuleColumn, 100);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(NotificationListModel::EventColumn, QHeaderView::Stretch);

    verticalHeader()->setDefaultSectionSize(rowPixels);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setContextMenuPolicy(Qt::CustomContextMenu);

    setItemDelegateForColumn(NotificationListModel::TimeColumn, new NotificationTimeDelegate(this));
    setItemDelegateForColumn(NotificationListModel::ModuleColumn, new NotificationModuleDelegate(this));
    setItemDelegateForColumn(NotificationListModel::EventColumn, new NotificationEventDelegate(this));
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
    // The "Модуль" header opens the filter menu: the proxy does not sort by module, and the
    // header goes on showing the order the rows are in.
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this](int section) {
        if (section != proxy->sortColumn()) {
            const QSignalBlocker blocker(horizontalHeader());
            horizontalHeader()->setSortIndicator(proxy->sortColumn(), proxy->sortOrder());
        }
    });
    connect(actionMenu, &NotificationActionMenu::markAsReadRequested, this,
            &NotificationTable::markSelectedAsRead);
    connect(actionMenu, &NotificationActionMenu::markAllAsReadRequested, this,
            &NotificationTable::markAllAsRead);
    connect(actionMenu, &NotificationActionMenu::deleteSelectedRequested, this,
            &NotificationTable::deleteSelectedRows);
    connect(actionMenu, &NotificationActionMenu::deleteAllRequested, this, &NotificationTable::deleteAllRows);
    connect(proxy, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int) { noteRowsInserted(first); });
    const auto otherChange = [this] {
        rowChange = RowChange::Other;
    };
    connect(proxy, &QAbstractItemModel::rowsRemoved, this, otherChange);
    connect(proxy, &QAbstractItemModel::rowsMoved, this, otherChange);
    connect(proxy, &QAbstractItemModel::layoutChanged, this, otherChange);
    connect(proxy, &QAbstractItemModel::modelReset, this, otherChange);
    // A scroll area reports the click in its viewport's coordinates, below the header.
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        if (model->rowCount() > 0) {
            actionMenu->showMenu(viewport()->mapToGlobal(position));
        }
    });
}

void NotificationTable::noteRowsInserted(int first)
{
    // Rows are all one fixed height: the first new row's top edge says where they all are.
    const int top = first * verticalHeader()->defaultSectionSize() - verticalOffset();
    if (!isVisible() || top < viewport()->height()) {
        rowChange = RowChange::Other;
    } else if (rowChange == RowChange::None) {
        rowChange = RowChange::OnlyBelowView;
    }
}

void NotificationTable::doItemsLayout()
{
    const bool viewportUnchanged = rowChange == RowChange::OnlyBelowView;
    rowChange = RowChange::None;
    if (!viewportUnchanged) {
        QTableView::doItemsLayout();
        return;
    }
    // A page that lands below the last visible row changes the scroll range, not what the
    // viewport shows: it is not painted again for it.
    updateGeometries();
}

void NotificationTable::setPlaceholderText(const QString& text)
{
    if (text != placeholder) {
        placeholder = text;
        viewport()->update();
    }
}

QString NotificationTable::placeholderText() const
{
    if (proxy->rowCount() > 0) {
        return QString();
    }
    return model->rowCount() > 0 ? QStringLiteral("Нет уведомлений выбранных модулей") : placeholder;
}

void NotificationTable::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    const QString text = placeholderText();
    if (text.isEmpty()) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(StatusPalette::quietText());
    painter.drawText(viewport()->rect().adjusted(10, 10, -10, -10), Qt::AlignCenter | Qt::TextWordWrap, text);
}

void NotificationTable::updateFromState(const QHash<int, NotificationInfo>& notifications)
{
    logDebug(QStringLiteral("Обновление таблицы уведомлений %1").arg(notifications.size()));
    if (notifications.isEmpty() && model->rowCount() > 0) {
        ++clearGeneration;
    }

    // An unchanged record shows what its row shows already: only new and changed records reach
    // the rows, and only they are logged.
    const bool logged = isDebugLogged();
    QList<NotificationInfo> added;
    QList<NotificationInfo> changed;
    for (const NotificationInfo& info : notifications) {
        const int row = findRowByNotificationId(info.id);
        if (row < 0) {
            if (logged) {
                logDebug(QStringLiteral("Добавление нового уведомления ID %1").arg(info.id));
            }
            added.append(info);
        } else if (model->record(row) != info) {
            if (logged) {
                logDebug(QStringLiteral("Обновление существующего уведомления ID %1").arg(info.id));
            }
            changed.append(info);
        }
    }
    model->replace(changed);
    model->append(added);

    // Every record has its row by now, so only more rows than records means that some are gone.
    if (model->rowCount() > notifications.size()) {
        QList<int> gone;
        for (int row = 0; row < model->rowCount(); ++row) {
            if (!notifications.contains(model->record(row).id)) {
                gone.append(model->record(row).id);
            }
        }
        logDebug(QStringLiteral("Удаление уведомлений %1").arg(gone.size()));
        deleteNotification(gone);
    }

    applyModuleFilter(filterMenu->getVisibleModules());
    logDebug(QStringLiteral("Таблица обновлена %1 уведомлений").arg(notifications.size()));
}

int NotificationTable::findRowByNotificationId(int id) const
{
    return model->rowOf(id);
}

int NotificationTable::modelRow(const QModelIndex& index) const
{
    if (index.model() == proxy) {
        return proxy->mapToSource(index).row();
    }
    return index.model() == model ? index.row() : -1;
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
    const int count = proxy->rowCount();
    rows.reserve(count);
    for (int row = 0; row < count; ++row) {
        rows.append(proxy->mapToSource(proxy->index(row, 0)).row());
    }
    return rows;
}

QList<int> NotificationTable::getSelectedRows() const
{
    // The view's own list holds only the rows the filter shows: a command never reaches
    // notifications the operator cannot see.
    QSet<int> rows;
    for (const QModelIndex& index : selectedIndexes()) {
        rows.insert(modelRow(index));
    }
    rows.remove(-1);
    QList<int> sorted = rows.values();
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

QList<int> NotificationTable::getNotificationIds(const QList<int>& rows) const
{
    QList<int> ids;
    ids.reserve(rows.size());
    for (int row : rows) {
        if (row >= 0 && row < model->rowCount()) {
            ids.append(model->record(row).id);
        }
    }
    return ids;
}

void NotificationTable::deleteNotification(const QList<int>& notificationIds)
{
    model->remove(notificationIds);
}

void NotificationTable::setModuleFilter(const QSet<NotificationModule>& modules)
{
    filterMenu->setVisibleModules(modules);
}

void NotificationTable::applyModuleFilter(const QSet<NotificationModule>& modules)
{
    proxy->setVisibleModules(modules);
    logDebug(QStringLiteral("Применен фильтр модулей: показываем %1 типов модулей").arg(modules.size()));
    emit moduleFilterChanged(modules);
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
    const int visible = proxy->rowCount();
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
    const QList<int> ids = getNotificationIds({modelRow(index)});
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
        askToDelete(this, QStringLiteral("Вы уверены, что хотите удалить выбранные уведомления?"));
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
    const auto answer = askToDelete(
        this, QStringLiteral("Вы уверены, что хотите удалить все %1 уведомлений?\n").arg(ids.size()) +
                  deleteAllScope(filterMenu->getVisibleModules()));
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
