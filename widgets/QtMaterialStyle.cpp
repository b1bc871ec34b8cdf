#include "widgets/QtMaterialStyle.h"

#include "widgets/QtMaterialTheme.h"

#include <QApplication>
#include <QFontDatabase>

QtMaterialStyle& QtMaterialStyle::instance()
{
    static QPointer<QtMaterialStyle> style;
    if (!style)
        style = new QtMaterialStyle;
    return *style;
}

QtMaterialStyle::QtMaterialStyle()
{
    // Goes with the application object, once no widget can use it any more.
    setParent(QCoreApplication::instance());
    // The client ships no fonts: these calls find nothing and the system font stands in.
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/roboto_regular"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/roboto_medium"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/roboto_bold"));
    setTheme(new QtMaterialTheme);
}

void QtMaterialStyle::setTheme(QtMaterialTheme* theme)
{
    if (theme == currentTheme)
        return;
    delete currentTheme;
    currentTheme = theme;
    if (currentTheme)
        currentTheme->setParent(this);
}

QColor QtMaterialStyle::themeColor(const QString& key) const
{
    return currentTheme ? currentTheme->getColor(key) : QColor();
}

QColor QtMaterialStyle::themed(bool useThemeColors, const QColor& stored, const QString& key)
{
    if (useThemeColors || !stored.isValid())
        return instance().themeColor(key);
    return stored;
}
