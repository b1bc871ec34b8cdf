#pragma once

#include "notifications/NotificationBaseDelegate.h"

// The "Время" column: the service's time stamp in the computer's local time.
class NotificationTimeDelegate : public NotificationBaseDelegate
{
    Q_OBJECT

public:
    explicit NotificationTimeDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // An ISO 8601 stamp as local "dd.MM.yyyy hh:mm"; anything else exactly as the service sent it.
    static QString displayText(const QString& stamp);
};
