#include "ui/StatusIndicator.h"

#include "ui/StatusIndicatorAccessible.h"
#include "ui/StatusPalette.h"

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
        return StatusPalette::styleName(StatusPalette::success());
    case Failure:
        return StatusPalette::styleName(StatusPalette::failure());
    case Hidden:
    case Unknown:
        break;
    }
    return StatusPalette::styleName(StatusPalette::unknown());
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
