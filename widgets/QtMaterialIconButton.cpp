#include "widgets/QtMaterialIconButton.h"

#include "widgets/QtMaterialRipple.h"
#include "widgets/QtMaterialRippleOverlay.h"
#include "widgets/QtMaterialStyle.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

QtMaterialIconButton::QtMaterialIconButton(const QIcon& icon, QWidget* parent)
    : QAbstractButton(parent)
    , overlay(new QtMaterialRippleOverlay(parent ? parent : this))
{
    setStyle(&QtMaterialStyle::instance());
    setIcon(icon);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    updateOverlayGeometry();
}

QtMaterialIconButton::~QtMaterialIconButton()
{
    // The overlay lives beside the button, in its parent, so it is not deleted with it.
    if (overlay && overlay->parent() != this)
        delete overlay;
}

QSize QtMaterialIconButton::sizeHint() const
{
    return iconSize();
}

void QtMaterialIconButton::setUseThemeColors(bool value)
{
    if (themeColors == value)
        return;
    themeColors = value;
    update();
}

void QtMaterialIconButton::setColor(const QColor& color)
{
    storedColor = color;
    themeColors = false;
    update();
}

QColor QtMaterialIconButton::color() const
{
    return QtMaterialStyle::themed(themeColors, storedColor, QStringLiteral("text"));
}

void QtMaterialIconButton::setDisabledColor(const QColor& color)
{
    storedDisabledColor = color;
    themeColors = false;
    update();
}

QColor QtMaterialIconButton::disabledColor() const
{
    return QtMaterialStyle::themed(themeColors, storedDisabledColor, QStringLiteral("disabled"));
}

bool QtMaterialIconButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        updateOverlayGeometry();
        break;
    case QEvent::ParentChange:
        attachOverlay();
        break;
    case QEvent::Show:
        if (overlay)
            overlay->show();
        break;
    case QEvent::Hide:
        if (overlay)
            overlay->hide();
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

void QtMaterialIconButton::attachOverlay()
{
    if (!overlay)
        return;
    overlay->setParent(parentWidget() ? parentWidget() : this);
    updateOverlayGeometry();
    overlay->setVisible(isVisible());
}

void QtMaterialIconButton::updateOverlayGeometry()
{
    if (!overlay)
        return;
    const QRect area = overlay->parent() == this ? rect() : geometry();
    overlay->setGeometry(area.x() - width() / 2, area.y() - height() / 2, 2 * width(), 2 * height());
}

void QtMaterialIconButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (overlay) {
            overlay->raise();
            auto* ripple = new QtMaterialRipple(overlay->rect().center());
            ripple->setRadiusEndValue(iconSize().width());
            overlay->addRipple(ripple);
        }
        // One click, one clicked(): it is sent here, at the press, and not again at the release.
        clickedOnPress = true;
        const QPointer<QtMaterialIconButton> alive(this);
        emit clicked(isChecked());
        if (!alive)
            return;
    }
    QAbstractButton::mousePressEvent(event);
}

void QtMaterialIconButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !clickedOnPress) {
        QAbstractButton::mouseReleaseEvent(event);
        return;
    }
    clickedOnPress = false;
    event->accept();
    if (isDown()) {
        setDown(false);
        emit released();
    }
}

void QtMaterialIconButton::keyPressEvent(QKeyEvent* event)
{
    if (!QtMaterialStyle::pressOnEnter(this, event))
        QAbstractButton::keyPressEvent(event);
}

void QtMaterialIconButton::paintEvent(QPaintEvent*)
{
    QPixmap pixmap = icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    if (pixmap.isNull())
        return;
    {
        QPainter tint(&pixmap);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(pixmap.rect(), isEnabled() ? color() : disabledColor());
    }
    const QSize extent = pixmap.size() / pixmap.devicePixelRatio();
    QPainter painter(this);
    painter.drawPixmap(
        QRect(QPoint((width() - extent.width()) / 2, (height() - extent.height()) / 2), extent), pixmap);
    if (hasFocus() && isEnabled())
        QtMaterialStyle::paintFocusRing(&painter, rect(), 4, color());
}
