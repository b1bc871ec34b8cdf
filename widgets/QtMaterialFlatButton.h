#pragma once

#include "widgets/QtMaterial.h"

#include <QColor>
#include <QPushButton>

class QtMaterialFlatButtonStateMachine;
class QtMaterialRippleOverlay;

// A push button drawn flat, with hover overlay, focus halo, press ripple and checked overlay.
class QtMaterialFlatButton : public QPushButton
{
    Q_OBJECT

    Q_PROPERTY(QColor foregroundColor WRITE setForegroundColor READ foregroundColor)
    Q_PROPERTY(QColor backgroundColor WRITE setBackgroundColor READ backgroundColor)
    Q_PROPERTY(QColor overlayColor WRITE setOverlayColor READ overlayColor)
    Q_PROPERTY(QColor disabledForegroundColor WRITE setDisabledForegroundColor READ disabledForegroundColor)
    Q_PROPERTY(QColor disabledBackgroundColor WRITE setDisabledBackgroundColor READ disabledBackgroundColor)
    Q_PROPERTY(bool useThemeColors WRITE setUseThemeColors READ useThemeColors)
    Q_PROPERTY(Material::Role role WRITE setRole READ role)
    Q_PROPERTY(Material::RippleStyle rippleStyle WRITE setRippleStyle READ rippleStyle)
    Q_PROPERTY(Material::ButtonIconPlacement iconPlacement WRITE setIconPlacement READ iconPlacement)
    Q_PROPERTY(Material::OverlayStyle overlayStyle WRITE setOverlayStyle READ overlayStyle)
    Q_PROPERTY(Qt::BGMode backgroundMode WRITE setBackgroundMode READ backgroundMode)
    Q_PROPERTY(Qt::Alignment textAlignment WRITE setTextAlignment READ textAlignment)
    Q_PROPERTY(qreal fixedRippleRadius WRITE setFixedRippleRadius READ fixedRippleRadius)
    Q_PROPERTY(bool hasFixedRippleRadius WRITE setHasFixedRippleRadius READ hasFixedRippleRadius)
    Q_PROPERTY(qreal cornerRadius WRITE setCornerRadius READ cornerRadius)
    Q_PROPERTY(qreal baseOpacity WRITE setBaseOpacity READ baseOpacity)
    Q_PROPERTY(qreal fontSize WRITE setFontSize READ fontSize)
    Q_PROPERTY(bool haloVisible WRITE setHaloVisible READ isHaloVisible)

public:
    explicit QtMaterialFlatButton(QWidget* parent = nullptr);
    explicit QtMaterialFlatButton(const QString& text, QWidget* parent = nullptr);
    QtMaterialFlatButton(const QString& text, Material::Role role, QWidget* parent = nullptr);

    void setUseThemeColors(bool value);
    bool useThemeColors() const { return themeColors; }

    void setForegroundColor(const QColor& color);
    QColor foregroundColor() const;
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const;
    void setOverlayColor(const QColor& color);
    QColor overlayColor() const;
    void setDisabledForegroundColor(const QColor& color);
    QColor disabledForegroundColor() const;
    void setDisabledBackgroundColor(const QColor& color);
    QColor disabledBackgroundColor() const;

    void setRole(Material::Role role);
    Material::Role role() const { return buttonRole; }
    void setRippleStyle(Material::RippleStyle style) { buttonRippleStyle = style; }
    Material::RippleStyle rippleStyle() const { return buttonRippleStyle; }
    void setIconPlacement(Material::ButtonIconPlacement placement);
    Material::ButtonIconPlacement iconPlacement() const { return buttonIconPlacement; }
    void setOverlayStyle(Material::OverlayStyle style);
    Material::OverlayStyle overlayStyle() const { return buttonOverlayStyle; }
    void setBackgroundMode(Qt::BGMode mode);
    Qt::BGMode backgroundMode() const { return bgMode; }
    void setTextAlignment(Qt::Alignment alignment);
    Qt::Alignment textAlignment() const { return buttonTextAlignment; }

    void setFixedRippleRadius(qreal radius);
    qreal fixedRippleRadius() const { return rippleRadius; }
    void setHasFixedRippleRadius(bool value) { useFixedRippleRadius = value; }
    bool hasFixedRippleRadius() const { return useFixedRippleRadius; }
    void setCornerRadius(qreal radius);
    qreal cornerRadius() const { return buttonCornerRadius; }
    void setBaseOpacity(qreal opacity);
    qreal baseOpacity() const { return buttonBaseOpacity; }
    void setFontSize(qreal size);
    qreal fontSize() const { return buttonFontSize; }
    void setHaloVisible(bool visible);
    bool isHaloVisible() const { return haloVisible; }

    QSize sizeHint() const override;

    QtMaterialFlatButtonStateMachine* stateMachine() const { return machine; }
    QtMaterialRippleOverlay* rippleOverlay() const { return overlay; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    virtual void paintBackground(QPainter* painter);
    virtual void paintHalo(QPainter* painter);
    virtual void paintForeground(QPainter* painter);

    // The colour a role picks from the theme, for background and (transparent) foreground.
    QString roleColorKey() const;
    void updateClipPath();
    void updateHaloPulse();

private:
    QtMaterialRippleOverlay* const overlay;
    QtMaterialFlatButtonStateMachine* machine = nullptr;
    Material::Role buttonRole = Material::Default;
    Material::RippleStyle buttonRippleStyle = Material::PositionedRipple;
    Material::ButtonIconPlacement buttonIconPlacement = Material::LeftIcon;
    Material::OverlayStyle buttonOverlayStyle = Material::GrayOverlay;
    Qt::BGMode bgMode = Qt::TransparentMode;
    Qt::Alignment buttonTextAlignment = Qt::AlignHCenter;
    QColor storedForeground;
    QColor storedBackground;
    QColor storedOverlay;
    QColor storedDisabledForeground;
    QColor storedDisabledBackground;
    qreal rippleRadius = 64;
    qreal buttonCornerRadius = 3;
    qreal buttonBaseOpacity = 0.13;
    qreal buttonFontSize = 10;
    bool useFixedRippleRadius = false;
    bool haloVisible = true;
    bool themeColors = true;
    bool shown = false;
};
