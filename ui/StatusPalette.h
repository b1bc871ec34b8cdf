#pragma once

#include <QColor>
#include <QString>

// The colours that say how things stand, named once for every widget that shows a status.
namespace StatusPalette {

// What failed: the read lines of the panels, the header's line, the notifications page's line and
// the time and module of an error notification.
inline QColor failureText()
{
    return QColor(0xB7, 0x1C, 0x1C);
}
// What is on its way or is only a remark: "Загрузка…", an empty table's placeholder.
inline QColor quietText()
{
    return QColor(0x75, 0x75, 0x75);
}
// The status dots, and the bar of an error notification.
inline QColor success()
{
    return QColor(0x4C, 0xAF, 0x50);
}
inline QColor failure()
{
    return QColor(0xF4, 0x43, 0x36);
}
inline QColor unknown()
{
    return QColor(0x9E, 0x9E, 0x9E);
}

// A colour as a style sheet writes it, "#RRGGBB".
inline QString styleName(const QColor& color)
{
    return color.name(QColor::HexRgb).toUpper();
}

} // namespace StatusPalette
