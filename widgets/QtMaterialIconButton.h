#pragma once

#include "widgets/QtMaterialRippleOverlay.h"

#include <QAbstractButton>
#include <QColor>
#include <QPointer>

// A borderless button that shows one icon recoloured to a single colour, with a ripple that
// spreads past the button's edges.
class QtMaterialIconButton : public QAbstractButton
{
    Q_OBJECT

    Q_PROPERTY(QColor color WRITE setColor READ color)
    Q_PROPERTY(QColor disabledColor WRITE setDisabledColor READ disabledColor)
    Q_PROPERTY(bool useThemeColors WRITE setUseThemeColors READ useThemeColors)

public:
    explicit QtMaterialIconButton(const QIcon& icon, QWidget* parent = nullptr);
    ~QtMaterialIconButton() override;

    QSize sizeHint() const override;

    void setUseThemeColors(bool value);
    bool useThemeColors() const { return themeColors; }
    void setColor(const QColor& color);
    QColor color() const;
    void setDisabledColor(const QColor& color);
    QColor disabledColor() const;

    QtMaterialRippleOverlay* rippleOverlay() const { return overlay; }

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void updateOverlayGeometry();
    void attachOverlay();

    QPointer<QtMaterialRippleOverlay> overlay;
    QColor storedColor;
    QColor storedDisabledColor;
    bool themeColors = true;
    bool clickedOnPress = false;
};
