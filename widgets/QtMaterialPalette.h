#pragma once

#include <QColor>
#include <QString>

// The 2014 Material design colour palette. Entries are named hue + shade ("red500", "pinkA200",
// "blueGrey900"), plus black, white, transparent and the translucent black and white text colours.
namespace Material {

// clang-format off
#define TORVO_MATERIAL_SHADES(X, hue) \
    X(hue, 50) X(hue, 100) X(hue, 200) X(hue, 300) X(hue, 400) \
    X(hue, 500) X(hue, 600) X(hue, 700) X(hue, 800) X(hue, 900)
#define TORVO_MATERIAL_ACCENTS(X, hue) X(hue, A100) X(hue, A200) X(hue, A400) X(hue, A700)
#define TORVO_MATERIAL_HUE(X, hue) TORVO_MATERIAL_SHADES(X, hue) TORVO_MATERIAL_ACCENTS(X, hue)

// Every palette entry in a fixed order: X(hue, shade) for the shades, Y(name) for the rest.
#define TORVO_MATERIAL_PALETTE(X, Y) \
    TORVO_MATERIAL_HUE(X, red) TORVO_MATERIAL_HUE(X, pink) TORVO_MATERIAL_HUE(X, purple) \
    TORVO_MATERIAL_HUE(X, deepPurple) TORVO_MATERIAL_HUE(X, indigo) TORVO_MATERIAL_HUE(X, blue) \
    TORVO_MATERIAL_HUE(X, lightBlue) TORVO_MATERIAL_HUE(X, cyan) TORVO_MATERIAL_HUE(X, teal) \
    TORVO_MATERIAL_HUE(X, green) TORVO_MATERIAL_HUE(X, lightGreen) TORVO_MATERIAL_HUE(X, lime) \
    TORVO_MATERIAL_HUE(X, yellow) TORVO_MATERIAL_HUE(X, amber) TORVO_MATERIAL_HUE(X, orange) \
    TORVO_MATERIAL_HUE(X, deepOrange) TORVO_MATERIAL_SHADES(X, brown) TORVO_MATERIAL_SHADES(X, blueGrey) \
    TORVO_MATERIAL_SHADES(X, grey) \
    Y(black) Y(white) Y(transparent) \
    Y(fullBlack) Y(darkBlack) Y(lightBlack) Y(minBlack) Y(faintBlack) \
    Y(fullWhite) Y(darkWhite) Y(lightWhite)

#define TORVO_MATERIAL_ENUM_SHADE(hue, shade) hue##shade,
#define TORVO_MATERIAL_ENUM_NAME(name) name,

enum Color
{
    TORVO_MATERIAL_PALETTE(TORVO_MATERIAL_ENUM_SHADE, TORVO_MATERIAL_ENUM_NAME)
    ColorCount
};
// clang-format on

QColor color(Color entry);
QString colorName(Color entry);
// The palette entry with that name; an invalid colour when there is none.
QColor colorByName(const QString& name);

} // namespace Material
