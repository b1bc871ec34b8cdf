#pragma once

#include "widgets/QtMaterialPalette.h"

#include <QColor>
#include <QHash>
#include <QObject>
#include <QString>

// Colour keys ("primary1", "text", "disabled" ...) and the colours the widgets draw them in.
class QtMaterialTheme : public QObject
{
    Q_OBJECT

public:
    explicit QtMaterialTheme(QObject* parent = nullptr);

    // An unknown key is reported through the message logger and answers an invalid colour.
    QColor getColor(const QString& key) const;
    bool hasColor(const QString& key) const { return colors.contains(key); }

    void setColor(const QString& key, const QColor& color);
    void setColor(const QString& key, Material::Color color);

private:
    QHash<QString, QColor> colors;
};
