#include "ui/StatusIndicator.h"

#include "ui/StatusIndicatorAccessible.h"

#include <QAccessible>
#include <QRegion>

StatusIndicator::StatusIndicator(QWidget* parent, int size)
    : QLabel(parent)
    , diameter(size)
{
    StatusIndicatorAccessible::install();
    setFixedSize(size, size);
    // A style-sheet radius of the full size is not rounded by Qt; the mask makes the dot round.
    setMask(QRegion(0, 0, size, size, QRegion::Ellipse));
    applyStyle();
}

void StatusIndicator::setStatus(Status newStatus)
{
    if (newStatus == status) {
        return;
    }
    setVisible(newStatus != Hidden);
    status = newStatus;
    applyStyle();
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

QString StatusIndicator::colorOf(Status status)
{
    switch (status) {
    case Success:
        return QStringLiteral("#4CAF50");
    case Failure:
        return QStringLiteral("#F44336");
    case Hidden:
    case Unknown:
        break;
    }
    return QStringLiteral("#9E9E9E");
}

QString StatusIndicator::toolTipOf(Status status)
{
    switch (status) {
    case Success:
        return QStringLiteral("Успешно");
    case Failure:
        return QStringLiteral("Ошибка");
    case Hidden:
    case Unknown:
        break;
    }
    return QStringLiteral("Неизвестно");
}

void StatusIndicator::applyStyle()
{
    setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #ccc; border-radius: %2px;")
                      .arg(colorOf(status))
                      .arg(diameter));
    setToolTip(toolTipOf(status));
}
