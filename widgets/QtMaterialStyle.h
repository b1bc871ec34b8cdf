#pragma once

#include <QColor>
#include <QPointer>
#include <QProxyStyle>

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

private:
    QtMaterialStyle();

    QtMaterialTheme* currentTheme = nullptr;
};
