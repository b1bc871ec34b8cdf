#pragma once

#include "widgets/QtMaterial.h"

#include <QColor>
#include <QIcon>
#include <QWidget>

class QHBoxLayout;
class QtMaterialTab;
class QtMaterialTabsInkBar;

// A row of tabs with an ink bar under the current one.
class QtMaterialTabs : public QWidget
{
    Q_OBJECT

    Q_PROPERTY(QColor inkColor WRITE setInkColor READ inkColor)
    Q_PROPERTY(QColor backgroundColor WRITE setBackgroundColor READ backgroundColor)
    Q_PROPERTY(QColor textColor WRITE setTextColor READ textColor)
    Q_PROPERTY(bool useThemeColors WRITE setUseThemeColors READ useThemeColors)
    Q_PROPERTY(bool haloVisible WRITE setHaloVisible READ isHaloVisible)
    Q_PROPERTY(Material::RippleStyle rippleStyle WRITE setRippleStyle READ rippleStyle)
    Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentTab NOTIFY currentChanged)

public:
    explicit QtMaterialTabs(QWidget* parent = nullptr);

    void addTab(const QString& text, const QIcon& icon = QIcon());
    int count() const;
    QtMaterialTab* tab(int index) const;

    // An index outside the tabs is ignored. The current index is announced again when unchanged.
    void setCurrentTab(int index);
    void setCurrentTab(QtMaterialTab* tab);
    int currentIndex() const { return current; }

    void setHaloVisible(bool value);
    bool isHaloVisible() const { return haloVisible; }
    void setRippleStyle(Material::RippleStyle style);
    Material::RippleStyle rippleStyle() const { return tabRippleStyle; }

    void setUseThemeColors(bool value);
    bool useThemeColors() const { return themeColors; }
    void setInkColor(const QColor& color);
    QColor inkColor() const;
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const;
    void setTextColor(const QColor& color);
    QColor textColor() const;

    QtMaterialTabsInkBar* inkBar() const { return bar; }

signals:
    void currentChanged(int index);

private:
    void applyColors(QtMaterialTab* tab) const;
    void applyColorsToTabs();

    QHBoxLayout* const tabLayout;
    QtMaterialTabsInkBar* const bar;
    QColor storedInk;
    QColor storedBackground;
    QColor storedText;
    Material::RippleStyle tabRippleStyle = Material::CenteredRipple;
    int current = -1;
    bool haloVisible = true;
    bool themeColors = true;
};
