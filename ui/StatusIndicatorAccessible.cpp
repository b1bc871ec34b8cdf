#include "ui/StatusIndicatorAccessible.h"

#include "ui/StatusIndicator.h"

namespace {

QAccessibleInterface* indicatorInterface(const QString& key, QObject* object)
{
    if (key == QLatin1String("StatusIndicator")) {
        return new StatusIndicatorAccessible(static_cast<StatusIndicator*>(object));
    }
    return nullptr;
}

} // namespace

StatusIndicatorAccessible::StatusIndicatorAccessible(StatusIndicator* indicator)
    : QAccessibleWidget(indicator, QAccessible::Indicator)
{
}

StatusIndicator* StatusIndicatorAccessible::indicator() const
{
    return static_cast<StatusIndicator*>(widget());
}

void StatusIndicatorAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(indicatorInterface);
        return true;
    }();
    Q_UNUSED(installed)
}

QString StatusIndicatorAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        if (!indicator()->accessibleName().isEmpty()) {
            return indicator()->accessibleName();
        }
        // A dot without a row text of its own still says what it shows.
        return indicator()->statusText().isEmpty() ? StatusIndicator::toolTipOf(indicator()->getStatus())
                                                   : indicator()->statusText();
    case QAccessible::Description:
        return StatusIndicator::toolTipOf(indicator()->getStatus());
    default:
        return QAccessibleWidget::text(t);
    }
}
