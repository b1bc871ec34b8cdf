#include "widgets/QtMaterialTheme.h"

#include <QtDebug>

namespace {

QColor blackAt(qreal opacity)
{
    QColor color(Qt::black);
    color.setAlphaF(opacity);
    return color;
}

} // namespace

QtMaterialTheme::QtMaterialTheme(QObject* parent)
    : QObject(parent)
{
    setColor(QStringLiteral("primary1"), QColor(0x00, 0xbc, 0xd4));
    setColor(QStringLiteral("primary2"), QColor(0x00, 0x97, 0xa7));
    setColor(QStringLiteral("primary3"), blackAt(0.54));
    setColor(QStringLiteral("accent1"), QColor(0xff, 0x40, 0x81));
    setColor(QStringLiteral("accent2"), QColor(0xf5, 0xf5, 0xf5));
    setColor(QStringLiteral("accent3"), QColor(0x9e, 0x9e, 0x9e));
    setColor(QStringLiteral("text"), blackAt(0.87));
    setColor(QStringLiteral("alternateText"), QColor(0xff, 0xff, 0xff));
    setColor(QStringLiteral("canvas"), QColor(0xff, 0xff, 0xff));
    setColor(QStringLiteral("border"), QColor(0xe0, 0xe0, 0xe0));
    setColor(QStringLiteral("disabled"), blackAt(0.26));
    setColor(QStringLiteral("disabled2"), blackAt(0.12));
    setColor(QStringLiteral("disabled3"), QColor(0xe0, 0xe0, 0xe0));
}

QColor QtMaterialTheme::getColor(const QString& key) const
{
    const auto found = colors.constFind(key);
    if (found == colors.constEnd()) {
        qWarning().noquote()
            << QStringLiteral("A theme color matching the key '%1' could not be found.").arg(key);
        return QColor();
    }
    return *found;
}

void QtMaterialTheme::setColor(const QString& key, const QColor& color)
{
    colors.insert(key, color);
}

void QtMaterialTheme::setColor(const QString& key, Material::Color color)
{
    colors.insert(key, Material::color(color));
}
