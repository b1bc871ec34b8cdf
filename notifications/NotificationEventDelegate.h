#pragma once

#include "notifications/NotificationBaseDelegate.h"

// The "Событие" column: a bold title over the wrapped message, with a coloured bar on the left
// of anything still unread. What does not fit ends in "…"; the tooltip holds it all.
class NotificationEventDelegate : public NotificationBaseDelegate
{
    Q_OBJECT

public:
    explicit NotificationEventDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
