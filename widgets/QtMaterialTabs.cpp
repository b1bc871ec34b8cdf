#include "widgets/QtMaterialTabs.h"

#include "widgets/QtMaterialStyle.h"
#include "widgets/QtMaterialTab.h"
#include "widgets/QtMaterialTabAccessible.h"
#include "widgets/QtMaterialTabsInkBar.h"

#include <QHBoxLayout>

QtMaterialTabs::QtMaterialTabs(QWidget* parent)
    : QWidget(parent)
    , tabLayout(new QHBoxLayout(this))
    , bar(new QtMaterialTabsInkBar(this))
{
    QtMaterialTabAccessible::install();
    setStyle(&QtMaterialStyle::instance());
    tabLayout->setSpacing(0);
    tabLayout->setContentsMargins(0, 0, 0, 0);
}

void QtMaterialTabs::addTab(const QString& text, const QIcon& icon)
{
    auto* tab = new QtMaterialTab(this);
    tab->setText(text);
    tab->setHaloVisible(haloVisible);
    tab->setRippleStyle(tabRippleStyle);
    if (!icon.isNull()) {
        tab->setIcon(icon);
        tab->setIconSize(QSize(22, 22));
    }
    applyColors(tab);
    tabLayout->addWidget(tab);
    // Tabs made later stack above the ink bar.
    bar->raise();

    if (current == -1) {
        current = 0;
        tab->setActive(true);
        bar->moveTo(tab, false);
    }
}

int QtMaterialTabs::count() const
{
    return tabLayout->count();
}

QtMaterialTab* QtMaterialTabs::tab(int index) const
{
    if (index < 0 || index >= tabLayout->count())
        return nullptr;
    return qobject_cast<QtMaterialTab*>(tabLayout->itemAt(index)->widget());
}

void QtMaterialTabs::setCurrentTab(int index)
{
    QtMaterialTab* next = tab(index);
    if (!next)
        return;
    QtMaterialTab* previous = tab(current);
    if (previous)
        previous->setActive(false);
    next->setActive(true);
    current = index;
    bar->moveTo(next, previous != next);
    emit currentChanged(index);
}

void QtMaterialTabs::setCurrentTab(QtMaterialTab* tab)
{
    setCurrentTab(tabLayout->indexOf(tab));
}

void QtMaterialTabs::setHaloVisible(bool value)
{
    haloVisible = value;
    for (int i = 0; i < count(); ++i)
        tab(i)->setHaloVisible(value);
}

void QtMaterialTabs::setRippleStyle(Material::RippleStyle style)
{
    tabRippleStyle = style;
    for (int i = 0; i < count(); ++i)
        tab(i)->setRippleStyle(style);
}

void QtMaterialTabs::setUseThemeColors(bool value)
{
    themeColors = value;
    applyColorsToTabs();
}

void QtMaterialTabs::setInkColor(const QColor& color)
{
    storedInk = color;
    themeColors = false;
    applyColorsToTabs();
}

QColor QtMaterialTabs::inkColor() const
{
    return QtMaterialStyle::themed(themeColors, storedInk, QStringLiteral("accent1"));
}

void QtMaterialTabs::setBackgroundColor(const QColor& color)
{
    storedBackground = color;
    themeColors = false;
    applyColorsToTabs();
}

QColor QtMaterialTabs::backgroundColor() const
{
    return QtMaterialStyle::themed(themeColors, storedBackground, QStringLiteral("primary1"));
}

void QtMaterialTabs::setTextColor(const QColor& color)
{
    storedText = color;
    themeColors = false;
    applyColorsToTabs();
}

QColor QtMaterialTabs::textColor() const
{
    return QtMaterialStyle::themed(themeColors, storedText, QStringLiteral("canvas"));
}

void QtMaterialTabs::applyColors(QtMaterialTab* tab) const
{
    tab->setForegroundColor(textColor());
    tab->setBackgroundColor(backgroundColor());
    // Following the theme, the tab answers the same colours from it.
    tab->setUseThemeColors(themeColors);
}

void QtMaterialTabs::applyColorsToTabs()
{
    for (int i = 0; i < count(); ++i)
        applyColors(tab(i));
    bar->update();
}
