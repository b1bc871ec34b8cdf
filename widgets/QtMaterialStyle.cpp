#include "widgets/QtMaterialStyle.h"

#include "widgets/QtMaterialTheme.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>

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

void QtMaterialStyle::paintFocusRing(QPainter* painter, const QRectF& area, qreal radius, const QColor& color)
{
    const qreal width = 2;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setOpacity(1);
    painter->setPen(QPen(color, width));
    painter->setBrush(Qt::NoBrush);
    const qreal inset = width / 2 + 1;
    painter->drawRoundedRect(area.adjusted(inset, inset, -inset, -inset), qMax<qreal>(radius - inset, 0),
                             qMax<qreal>(radius - inset, 0));
    painter->restore();
}

bool QtMaterialStyle::pressOnEnter(QAbstractButton* button, QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!enter || modifiers != Qt::NoModifier) {
        return false;
    }
    if (!event->isAutoRepeat()) {
        button->click();
    }
    event->accept();
    return true;
}
