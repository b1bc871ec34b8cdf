#pragma once

#include <QAccessibleWidget>

class StatusIndicator;

// What a screen reader hears for a status dot: the status text of its row ("Стабильно") as the
// name, and what the colour means ("Успешно") as the description.
class StatusIndicatorAccessible : public QAccessibleWidget
{
public:
    explicit StatusIndicatorAccessible(StatusIndicator* indicator);

    QString text(QAccessible::Text t) const override;

    // Once per process, before the first dot exists.
    static void install();

private:
    StatusIndicator* indicator() const;
};
