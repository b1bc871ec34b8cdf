#pragma once

#include "notifications/NotificationInfo.h"

#include <QColor>
#include <QStyledItemDelegate>

// Colours a notification cell by its row's type: read, unread or error. The row's type is kept
// only on the event item (column 2), so every column looks there.
class NotificationBaseDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit NotificationBaseDelegate(QObject* parent = nullptr);

    NotificationType getNotificationType(const QModelIndex& index) const;
    QColor getBackgroundColorForType(NotificationType type) const;
    QColor getBorderColorForType(NotificationType type) const;
    bool shouldShowBorder(NotificationType type) const;

protected:
    // Fills the whole cell, selection highlight first; returns the row's type.
    NotificationType paintBackground(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const;
    // The time and module cells: one centred line, dark red and bold for an unselected error.
    void paintEmphasisedText(QPainter* painter, const QStyleOptionViewItem& option, NotificationType type,
                             const QString& text) const;
    static bool isSelected(const QStyleOptionViewItem& option);
};
