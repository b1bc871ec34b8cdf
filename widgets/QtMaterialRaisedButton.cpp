#include "widgets/QtMaterialRaisedButton.h"

#include <QEventTransition>
#include <QGraphicsDropShadowEffect>
#include <QPropertyAnimation>
#include <QStateMachine>

QtMaterialRaisedButton::QtMaterialRaisedButton(QWidget* parent)
    : QtMaterialRaisedButton(QString(), parent)
{
}

QtMaterialRaisedButton::QtMaterialRaisedButton(const QString& text, QWidget* parent)
    : QtMaterialFlatButton(text, parent)
    , effect(new QGraphicsDropShadowEffect(this))
    , shadowMachine(new QStateMachine(this))
{
    setBackgroundMode(Qt::OpaqueMode);
    setMinimumHeight(42);
    setBaseOpacity(0.3);

    effect->setBlurRadius(7);
    effect->setOffset(QPointF(0, 2));
    effect->setColor(QColor(0, 0, 0, 75));
    setGraphicsEffect(effect);

    auto* normalState = new QState(shadowMachine);
    auto* pressedState = new QState(shadowMachine);
    shadowMachine->setInitialState(normalState);
    normalState->assignProperty(effect, "offset", QPointF(0, 2));
    normalState->assignProperty(effect, "blurRadius", 7);
    pressedState->assignProperty(effect, "offset", QPointF(0, 5));
    pressedState->assignProperty(effect, "blurRadius", 29);

    const struct
    {
        QEvent::Type type;
        QState* from;
        QState* to;
    } events[] = {
        {QEvent::MouseButtonPress, normalState, pressedState},
        {QEvent::MouseButtonDblClick, normalState, pressedState},
        {QEvent::MouseButtonRelease, pressedState, normalState},
    };
    for (const auto& event : events) {
        auto* transition = new QEventTransition(this, event.type, event.from);
        transition->setTargetState(event.to);
    }
    for (const char* property : {"offset", "blurRadius"}) {
        auto* animation = new QPropertyAnimation(effect, property, shadowMachine);
        animation->setDuration(100);
        shadowMachine->addDefaultAnimation(animation);
    }
    // Entering the first state only sets the values; transitions animate them.
    shadowMachine->setAnimated(false);
    connect(shadowMachine, &QStateMachine::started, this, [this] { shadowMachine->setAnimated(true); });
    // A stop takes effect later, so an enable that came meanwhile starts the machine again here.
    connect(shadowMachine, &QStateMachine::stopped, this, [this] {
        if (isEnabled()) {
            shadowMachine->setAnimated(false);
            shadowMachine->start();
        }
    });
    shadowMachine->start();
}

void QtMaterialRaisedButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        effect->setEnabled(isEnabled());
        if (isEnabled() && !shadowMachine->isRunning()) {
            shadowMachine->setAnimated(false);
            shadowMachine->start();
        } else if (!isEnabled())
            shadowMachine->stop();
    }
    QtMaterialFlatButton::changeEvent(event);
}
