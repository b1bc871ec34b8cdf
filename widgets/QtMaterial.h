#pragma once

#include <QObject>

// Enumerations shared by the material widgets.
namespace Material {
Q_NAMESPACE

enum Role
{
    Default,
    Primary,
    Secondary
};
Q_ENUM_NS(Role)

enum RippleStyle
{
    CenteredRipple,
    PositionedRipple,
    NoRipple
};
Q_ENUM_NS(RippleStyle)

enum OverlayStyle
{
    NoOverlay,
    TintedOverlay,
    GrayOverlay
};
Q_ENUM_NS(OverlayStyle)

enum ButtonIconPlacement
{
    LeftIcon,
    RightIcon
};
Q_ENUM_NS(ButtonIconPlacement)

} // namespace Material
