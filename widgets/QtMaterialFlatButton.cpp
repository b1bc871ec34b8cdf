#include "widgets/QtMaterialFlatButton.h"

#include "widgets/QtMaterialFlatButtonStateMachine.h"
#include "widgets/QtMaterialRipple.h"
#include "widgets/QtMaterialRippleOverlay.h"
#include "widgets/QtMaterialStyle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>

namespace {

constexpr int iconSpacing = 12;
constexpr int leftTextInset = 12;

QColor blend(const QColor& from, const QColor& to, qreal progress)
{
    const qreal back = 1 - progress;
    return QColor::fromRgbF(
        from.redF() * back + to.redF() * progress, from.greenF() * back + to.greenF() * progress,
        from.blueF() * back + to.blueF() * progress, from.alphaF() * back + to.alphaF() * progress);
}

} // namespace

QtMaterialFlatButton::QtMaterialFlatButton(QWidget* parent)
    : QtMaterialFlatButton(QString(), Material::Default, parent)
{
}

QtMaterialFlatButton::QtMaterialFlatButton(const QString& text, QWidget* parent)
    : QtMaterialFlatButton(text, Material::Default, parent)
{
}

QtMaterialFlatButton::QtMaterialFlatButton(const QString& text, Material::Role role, QWidget* parent)
    : QPushButton(text, parent)
    , overlay(new QtMaterialRippleOverlay(this))
    , buttonRole(role)
{
    machine = new QtMaterialFlatButtonStateMachine(this);
    setStyle(&QtMaterialStyle::instance());

    QFont buttonFont(QStringLiteral("Roboto"));
    buttonFont.setPointSizeF(buttonFontSize);
    buttonFont.setWeight(57);
    buttonFont.setCapitalization(QFont::AllUppercase);
    setFont(buttonFont);

    overlay->setClipping(true);
    updateClipPath();
    machine->startAnimations();
}

void QtMaterialFlatButton::setUseThemeColors(bool value)
{
    if (themeColors == value)
        return;
    themeColors = value;
    update();
}

void QtMaterialFlatButton::setForegroundColor(const QColor& color)
{
    storedForeground = color;
    themeColors = false;
    update();
}

QColor QtMaterialFlatButton::foregroundColor() const
{
    const QString key = bgMode == Qt::OpaqueMode ? QStringLiteral("canvas") : roleColorKey();
    return QtMaterialStyle::themed(themeColors, storedForeground, key);
}

void QtMaterialFlatButton::setBackgroundColor(const QColor& color)
{
    storedBackground = color;
    themeColors = false;
    update();
}

QColor QtMaterialFlatButton::backgroundColor() const
{
    return QtMaterialStyle::themed(themeColors, storedBackground, roleColorKey());
}

void QtMaterialFlatButton::setOverlayColor(const QColor& color)
{
    storedOverlay = color;
    themeColors = false;
    update();
}

QColor QtMaterialFlatButton::overlayColor() const
{
    const QString key = bgMode == Qt::OpaqueMode ? QStringLiteral("canvas") : roleColorKey();
    return QtMaterialStyle::themed(themeColors, storedOverlay, key);
}

void QtMaterialFlatButton::setDisabledForegroundColor(const QColor& color)
{
    storedDisabledForeground = color;
    themeColors = false;
    update();
}

QColor QtMaterialFlatButton::disabledForegroundColor() const
{
    return QtMaterialStyle::themed(themeColors, storedDisabledForeground, QStringLiteral("disabled"));
}

void QtMaterialFlatButton::setDisabledBackgroundColor(const QColor& color)
{
    storedDisabledBackground = color;
    themeColors = false;
    update();
}

QColor QtMaterialFlatButton::disabledBackgroundColor() const
{
    return QtMaterialStyle::themed(themeColors, storedDisabledBackground, QStringLiteral("disabled3"));
}

QString QtMaterialFlatButton::roleColorKey() const
{
    switch (buttonRole) {
    case Material::Primary:
        return QStringLiteral("primary1");
    case Material::Secondary:
        return QStringLiteral("accent1");
    case Material::Default:
        break;
    }
    return QStringLiteral("text");
}

void QtMaterialFlatButton::setRole(Material::Role role)
{
    buttonRole = role;
    update();
}

void QtMaterialFlatButton::setIconPlacement(Material::ButtonIconPlacement placement)
{
    buttonIconPlacement = placement;
    update();
}

void QtMaterialFlatButton::setOverlayStyle(Material::OverlayStyle style)
{
    buttonOverlayStyle = style;
    update();
}

void QtMaterialFlatButton::setBackgroundMode(Qt::BGMode mode)
{
    bgMode = mode;
    update();
}

void QtMaterialFlatButton::setTextAlignment(Qt::Alignment alignment)
{
    buttonTextAlignment = alignment;
    update();
}

void QtMaterialFlatButton::setFixedRippleRadius(qreal radius)
{
    rippleRadius = radius;
    useFixedRippleRadius = true;
}

void QtMaterialFlatButton::setCornerRadius(qreal radius)
{
    buttonCornerRadius = radius;
    updateClipPath();
    update();
}

void QtMaterialFlatButton::setBaseOpacity(qreal opacity)
{
    buttonBaseOpacity = opacity;
    machine->setupProperties();
}

void QtMaterialFlatButton::setFontSize(qreal size)
{
    buttonFontSize = size;
    QFont buttonFont(font());
    buttonFont.setPointSizeF(size);
    setFont(buttonFont);
    update();
}

void QtMaterialFlatButton::setHaloVisible(bool visible)
{
    haloVisible = visible;
    updateHaloPulse();
    update();
}

QSize QtMaterialFlatButton::sizeHint() const
{
    ensurePolished();
    const QSize label = fontMetrics().size(Qt::TextSingleLine, text());
    if (icon().isNull())
        return label + QSize(20, 20);
    const QSize iconExtent = iconSize();
    return QSize(label.width() + iconExtent.width() + 20 + iconSpacing,
                 qMax(label.height(), iconExtent.height()) + 20);
}

void QtMaterialFlatButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && buttonRippleStyle != Material::NoRipple) {
        const QPoint center = buttonRippleStyle == Material::CenteredRipple ? rect().center() : event->pos();
        auto* ripple = new QtMaterialRipple(center);
        ripple->setRadiusEndValue(useFixedRippleRadius ? rippleRadius : width() / 2.0);
        ripple->setOpacityStartValue(0.35);
        ripple->setColor(foregroundColor());
        ripple->radiusAnimation()->setDuration(600);
        ripple->opacityAnimation()->setDuration(1300);
        overlay->addRipple(ripple);
    }
    QPushButton::mousePressEvent(event);
}

void QtMaterialFlatButton::keyPressEvent(QKeyEvent* event)
{
    if (!QtMaterialStyle::pressOnEnter(this, event))
        QPushButton::keyPressEvent(event);
}

void QtMaterialFlatButton::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    overlay->setGeometry(rect());
    updateClipPath();
}

void QtMaterialFlatButton::showEvent(QShowEvent* event)
{
    QPushButton::showEvent(event);
    shown = true;
    updateHaloPulse();
}

void QtMaterialFlatButton::hideEvent(QHideEvent* event)
{
    // Also sent, spontaneously, while the window is minimised: nothing is drawn then either.
    QPushButton::hideEvent(event);
    shown = false;
    updateHaloPulse();
}

void QtMaterialFlatButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        updateHaloPulse();
        update();
    }
}

void QtMaterialFlatButton::updateClipPath()
{
    QPainterPath path;
    path.addRoundedRect(rect(), buttonCornerRadius, buttonCornerRadius);
    overlay->setClipPath(path);
}

void QtMaterialFlatButton::updateHaloPulse()
{
    machine->setHaloPulseAllowed(haloVisible && shown && isEnabled());
}

void QtMaterialFlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (buttonCornerRadius > 0) {
        QPainterPath path;
        path.addRoundedRect(rect(), buttonCornerRadius, buttonCornerRadius);
        painter.setClipPath(path);
    }
    paintBackground(&painter);
    paintHalo(&painter);
    painter.setClipping(false);
    painter.setOpacity(1);
    paintForeground(&painter);
    // The halo is how the button shows focus; without it, a ring does.
    if (hasFocus() && !haloVisible && isEnabled())
        QtMaterialStyle::paintFocusRing(&painter, rect(), buttonCornerRadius, foregroundColor());
}

void QtMaterialFlatButton::paintBackground(QPainter* painter)
{
    const QRect area = rect();
    if (bgMode == Qt::OpaqueMode) {
        painter->setOpacity(1);
        painter->fillRect(area, isEnabled() ? backgroundColor() : disabledBackgroundColor());
    }

    const qreal overlayOpacity = machine->overlayOpacity();
    if (isEnabled() && buttonOverlayStyle != Material::NoOverlay && overlayOpacity > 0) {
        QColor tint(Qt::gray);
        if (buttonOverlayStyle == Material::TintedOverlay)
            tint = !themeColors && storedOverlay.isValid() ? storedOverlay : foregroundColor();
        painter->setOpacity(overlayOpacity);
        painter->fillRect(area, tint);
    }

    const qreal progress = machine->checkedOverlayProgress();
    if (isCheckable() && progress > 0) {
        painter->setOpacity((bgMode == Qt::OpaqueMode ? 0.7 : 0.45) * progress);
        painter->fillRect(QRectF(0, 0, area.width(), area.height() * progress), foregroundColor());
    }
}

void QtMaterialFlatButton::paintHalo(QPainter* painter)
{
    const qreal opacity = machine->haloOpacity();
    if (!haloVisible || !isEnabled() || opacity <= 0)
        return;
    const qreal radius = width() * machine->haloSize() * machine->haloScaleFactor();
    painter->setOpacity(opacity);
    painter->setPen(Qt::NoPen);
    painter->setBrush(foregroundColor());
    painter->drawEllipse(QRectF(rect()).center(), radius, radius);
}

void QtMaterialFlatButton::paintForeground(QPainter* painter)
{
    QColor color = isEnabled() ? foregroundColor() : disabledForegroundColor();
    const qreal progress = machine->checkedOverlayProgress();
    if (isEnabled() && isCheckable() && progress > 0) {
        const QColor target = bgMode == Qt::TransparentMode ? QColor(Qt::white) : backgroundColor();
        color = blend(color, target, progress);
    }

    const bool hasIcon = !icon().isNull();
    const bool hasText = !text().isEmpty();
    const int textWidth = hasText ? fontMetrics().size(Qt::TextSingleLine, text()).width() : 0;
    const QSize iconExtent = hasIcon ? iconSize() : QSize();
    const int gap = hasIcon && hasText ? iconSpacing : 0;
    const int total = textWidth + gap + iconExtent.width();
    const int left = buttonTextAlignment & Qt::AlignLeft ? leftTextInset : (width() - total) / 2;

    int textLeft = left;
    if (hasIcon) {
        int iconLeft = left;
        if (buttonIconPlacement == Material::LeftIcon)
            textLeft = left + iconExtent.width() + gap;
        else
            iconLeft = left + textWidth + gap;
        QPixmap pixmap = icon().pixmap(iconExtent, isEnabled() ? QIcon::Normal : QIcon::Disabled);
        QPainter tint(&pixmap);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(pixmap.rect(), color);
        tint.end();
        const QRect iconRect(QPoint(iconLeft, (height() - iconExtent.height()) / 2), iconExtent);
        painter->drawPixmap(iconRect, pixmap);
    }
    if (hasText) {
        painter->setPen(color);
        if (hasIcon || buttonTextAlignment & Qt::AlignLeft)
            painter->drawText(QRect(textLeft, 0, width() - textLeft, height()),
                              Qt::AlignLeft | Qt::AlignVCenter, text());
        else
            painter->drawText(rect(), Qt::AlignCenter, text());
    }
}
