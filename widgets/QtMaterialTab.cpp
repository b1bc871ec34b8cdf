#include "widgets/QtMaterialTab.h"

#include "widgets/QtMaterialTabs.h"

#include <QAccessible>

QtMaterialTab::QtMaterialTab(QtMaterialTabs* parent)
    : QtMaterialFlatButton(parent)
    , tabs(parent)
{
    setRole(Material::Primary);
    setBackgroundMode(Qt::OpaqueMode);
    setCornerRadius(0);
    setBaseOpacity(0.25);
    setMinimumHeight(50);

    QFont tabFont(font());
    tabFont.setStyleName(QStringLiteral("Normal"));
    setFont(tabFont);

    connect(this, &QAbstractButton::clicked, tabs, [this] { tabs->setCurrentTab(this); });
}

void QtMaterialTab::setActive(bool state)
{
    const bool changed = activeTab != state;
    activeTab = state;
    update();
    if (changed) {
        QAccessible::State selection;
        selection.selected = true;
        QAccessibleStateChangeEvent event(this, selection);
        QAccessible::updateAccessibility(&event);
    }
}

void QtMaterialTab::setInkColor(const QColor& color)
{
    tabs->setInkColor(color);
}

QColor QtMaterialTab::inkColor() const
{
    return tabs->inkColor();
}

void QtMaterialTab::setTextColor(const QColor& color)
{
    tabs->setTextColor(color);
}

QColor QtMaterialTab::textColor() const
{
    return tabs->textColor();
}

void QtMaterialTab::setTabBackgroundColor(const QColor& color)
{
    tabs->setBackgroundColor(color);
}

QColor QtMaterialTab::tabBackgroundColor() const
{
    return tabs->backgroundColor();
}

QSize QtMaterialTab::sizeHint() const
{
    if (icon().isNull())
        return QtMaterialFlatButton::sizeHint();
    return QSize(40, iconSize().height() + 46);
}
