#include "widgets/QtMaterialTabAccessible.h"

#include "widgets/QtMaterialTab.h"
#include "widgets/QtMaterialTabs.h"

namespace {

QAccessibleInterface* tabInterface(const QString& key, QObject* object)
{
    if (key == QLatin1String("QtMaterialTab")) {
        return new QtMaterialTabAccessible(static_cast<QtMaterialTab*>(object));
    }
    if (key == QLatin1String("QtMaterialTabs")) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::PageTabList);
    }
    return nullptr;
}

} // namespace

QtMaterialTabAccessible::QtMaterialTabAccessible(QtMaterialTab* tab)
    : QAccessibleWidget(tab, QAccessible::PageTab)
{
}

QtMaterialTab* QtMaterialTabAccessible::tab() const
{
    return static_cast<QtMaterialTab*>(widget());
}

void QtMaterialTabAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(tabInterface);
        return true;
    }();
    Q_UNUSED(installed)
}

QString QtMaterialTabAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && tab()->accessibleName().isEmpty()) {
        return tab()->text();
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State QtMaterialTabAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.selectable = true;
    state.selected = tab()->isActive();
    return state;
}

QStringList QtMaterialTabAccessible::actionNames() const
{
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
}

void QtMaterialTabAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction()) {
        tab()->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}
