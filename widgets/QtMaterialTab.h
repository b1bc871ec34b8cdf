#pragma once

#include "widgets/QtMaterialFlatButton.h"

class QtMaterialTabs;

// One tab of a QtMaterialTabs bar. Its colour properties are the bar's.
class QtMaterialTab : public QtMaterialFlatButton
{
    Q_OBJECT

    Q_PROPERTY(QColor inkColor WRITE setInkColor READ inkColor)
    Q_PROPERTY(QColor textColor WRITE setTextColor READ textColor)
    Q_PROPERTY(QColor tabBackgroundColor WRITE setTabBackgroundColor READ tabBackgroundColor)
    Q_PROPERTY(bool active WRITE setActive READ isActive)

public:
    explicit QtMaterialTab(QtMaterialTabs* parent);

    void setActive(bool state);
    bool isActive() const { return activeTab; }

    void setInkColor(const QColor& color);
    QColor inkColor() const;
    void setTextColor(const QColor& color);
    QColor textColor() const;
    void setTabBackgroundColor(const QColor& color);
    QColor tabBackgroundColor() const;

    QSize sizeHint() const override;

private:
    QtMaterialTabs* const tabs;
    bool activeTab = false;
};
