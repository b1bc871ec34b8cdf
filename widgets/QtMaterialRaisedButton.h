#pragma once

#include "widgets/QtMaterialFlatButton.h"

class QGraphicsDropShadowEffect;
class QStateMachine;

// An opaque flat button on a drop shadow that deepens while it is pressed.
class QtMaterialRaisedButton : public QtMaterialFlatButton
{
    Q_OBJECT

public:
    explicit QtMaterialRaisedButton(QWidget* parent = nullptr);
    QtMaterialRaisedButton(const QString& text, QWidget* parent = nullptr);

    QGraphicsDropShadowEffect* shadowEffect() const { return effect; }
    QStateMachine* shadowStateMachine() const { return shadowMachine; }

protected:
    void changeEvent(QEvent* event) override;

private:
    QGraphicsDropShadowEffect* const effect;
    QStateMachine* const shadowMachine;
};
