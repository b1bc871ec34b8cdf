#pragma once

#include <QColor>
#include <QPointer>
#include <QProxyStyle>

class QAbstractButton;
class QKeyEvent;
class QPainter;
class QtMaterialTheme;

// The one style of the material widgets: it owns the colour theme they draw with.
class QtMaterialStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Created on first use; lives as long as the application object.
    static QtMaterialStyle& instance();

    QtMaterialTheme* theme() const { return currentTheme; }
    // Takes ownership; the previous theme is deleted.
    void setTheme(QtMaterialTheme* theme);
    QColor themeColor(const QString& key) const;

    // The stored colour of a widget's colour property, or the theme's while that widget follows
    // the theme or has none stored.
    static QColor themed(bool useThemeColors, const QColor& stored, const QString& key);

    // The mark of keyboard focus on a button that shows no halo: a ring just inside `area`.
    static void paintFocusRing(QPainter* painter, const QRectF& area, qreal radius, const QColor& color);
    // Enter and Return press a focused button, as Space does, also outside a dialog; true when
    // `event` was such a press and was taken.
    static bool pressOnEnter(QAbstractButton* button, QKeyEvent* event);

private:
    QtMaterialStyle();

    QtMaterialTheme* currentTheme = nullptr;
};
