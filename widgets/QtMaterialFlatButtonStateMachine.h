#pragma once

#include <QStateMachine>

class QtMaterialFlatButton;
class QSequentialAnimationGroup;
class QState;

// Hover, focus, press and checked states of a flat button and the values its painting reads.
class QtMaterialFlatButtonStateMachine : public QStateMachine
{
    Q_OBJECT

    Q_PROPERTY(qreal overlayOpacity WRITE setOverlayOpacity READ overlayOpacity)
    Q_PROPERTY(qreal checkedOverlayProgress WRITE setCheckedOverlayProgress READ checkedOverlayProgress)
    Q_PROPERTY(qreal haloOpacity WRITE setHaloOpacity READ haloOpacity)
    Q_PROPERTY(qreal haloSize WRITE setHaloSize READ haloSize)
    Q_PROPERTY(qreal haloScaleFactor WRITE setHaloScaleFactor READ haloScaleFactor)

public:
    explicit QtMaterialFlatButtonStateMachine(QtMaterialFlatButton* parent);

    qreal overlayOpacity() const { return overlay; }
    void setOverlayOpacity(qreal opacity);
    qreal checkedOverlayProgress() const { return checkedProgress; }
    void setCheckedOverlayProgress(qreal progress);
    qreal haloOpacity() const { return halo; }
    void setHaloOpacity(qreal opacity);
    qreal haloSize() const { return size; }
    void setHaloSize(qreal size);
    qreal haloScaleFactor() const { return scale; }
    void setHaloScaleFactor(qreal factor);

    // Writes the state values for the button's current base opacity, into the states and
    // into the properties of the states now active.
    void setupProperties();
    // Starts in the checked or unchecked state that matches the button.
    void startAnimations();

    // Whether the halo could be seen at all (halo on, button enabled and shown); the pulse
    // runs only then, and only while the halo has some opacity.
    void setHaloPulseAllowed(bool allowed);
    bool isHaloPulseRunning() const;

private:
    void addInteractionTransitions();
    void addCheckableTransitions();
    void updateHaloPulse();

    QtMaterialFlatButton* const button;
    QState* const topLevelState;
    QState* const configState;
    QState* const checkableState;
    QState* const checkedState;
    QState* const uncheckedState;
    QState* const neutralState;
    QState* const neutralFocusedState;
    QState* const hoveredState;
    QState* const hoveredFocusedState;
    QState* const pressedState;
    QSequentialAnimationGroup* const haloPulse;
    qreal overlay = 0;
    qreal checkedProgress = 0;
    qreal halo = 0;
    qreal size = 0.8;
    qreal scale = 1;
    bool pulseAllowed = false;
};
