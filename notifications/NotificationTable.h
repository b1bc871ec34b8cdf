#pragma once

#include "notifications/NotificationInfo.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QTableView>

class NotificationActionMenu;
class NotificationFilterMenu;
class NotificationFilterProxy;
class NotificationListModel;

// The notification list: one row per notification of the state's collection, newest first.
// Rows change only when the state sends a new collection; the commands of the menus and the
// double click become requests to the state. The view shows the rows through a proxy that
// sorts them and leaves out the modules the filter hides; row numbers below are the model's.
class NotificationTable : public QTableView
{
    Q_OBJECT

public:
    explicit NotificationTable(QWidget* parent = nullptr);

    void updateFromState(const QHash<int, NotificationInfo>& notifications);
    void setModuleFilter(const QSet<NotificationModule>& modules);
    void applyModuleFilter(const QSet<NotificationModule>& modules);
    void markSelectedAsRead();
    void markAllAsRead();
    void deleteSelectedRows();
    void deleteAllRows();

    // Every row, those the filter hides included.
    NotificationListModel* rowModel() const { return model; }

    void doItemsLayout() override;
    // What an empty table says instead of rows, e.g. that the list is loading.
    void setPlaceholderText(const QString& text);
    QString placeholderText() const;

    static constexpr int pageSize = 100;

signals:
    void loadMoreDataRequested(int offset, int limit);
    void deleteNotificationsRequested(QList<int> notificationIds);
    void markNotificationsAsReadRequested(QList<int> notificationIds);
    void moduleFilterChanged(const QSet<NotificationModule>& visibleModules);

public slots:
    void onCellDoubleClicked(const QModelIndex& index);
    void onSelectionChanged();
    void onScrollValueChanged(int value);
    // Whether the last page held as many notifications as were asked for, so that more may follow.
    void setMorePagesExpected(bool expected);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setupUI();
    void setupCallbacks();

    int findRowByNotificationId(int id) const;
    int modelRow(const QModelIndex& index) const;
    QList<int> getAllRows() const;
    QList<int> getVisibleRows() const;
    QList<int> getSelectedRows() const;
    QList<int> getNotificationIds(const QList<int>& rows) const;
    void deleteNotification(const QList<int>& notificationIds);
    // Rows that do not fill the view cannot be scrolled, so the next page is asked for here.
    void scheduleFillCheck();
    void requestPageIfViewNotFilled();
    void noteRowsInserted(int first);
    // The question box runs an event loop: the rows it asked about may be gone by the answer.
    bool rowsReplacedSince(quint64 generation) const { return generation != clearGeneration; }

    NotificationListModel* model = nullptr;
    NotificationFilterProxy* proxy = nullptr;
    NotificationFilterMenu* filterMenu = nullptr;
    NotificationActionMenu* actionMenu = nullptr;
    QString placeholder;
    bool morePagesExpected = false;
    bool fillCheckScheduled = false;
    // What changed in the rows since the view last laid them out.
    enum class RowChange
    {
        None,
        OnlyBelowView,
        Other
    };
    RowChange rowChange = RowChange::None;
    // Counts the times every row was removed at once (a reload, another device).
    quint64 clearGeneration = 0;
};
