#include "widgets/QtMaterialFlatButtonStateMachine.h"

#include "widgets/QtMaterialFlatButton.h"

#include <QEventTransition>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QSignalTransition>

namespace {

// Fires on toggled(bool) only for the one direction it leads to.
class CheckedTransition : public QSignalTransition
{
public:
    CheckedTransition(QtMaterialFlatButton* button, bool checked, QState* source)
        : QSignalTransition(button, &QAbstractButton::toggled, source)
        , toChecked(checked)
    {
    }

protected:
    bool eventTest(QEvent* event) override
    {
        if (!QSignalTransition::eventTest(event))
            return false;
        const auto* signal = static_cast<QStateMachine::SignalEvent*>(event);
        return !signal->arguments().isEmpty() && signal->arguments().first().toBool() == toChecked;
    }

private:
    const bool toChecked;
};

} // namespace

QtMaterialFlatButtonStateMachine::QtMaterialFlatButtonStateMachine(QtMaterialFlatButton* parent)
    : QStateMachine(parent)
    , button(parent)
    , topLevelState(new QState(QState::ParallelStates, this))
    , configState(new QState(topLevelState))
    , checkableState(new QState(topLevelState))
    , checkedState(new QState(checkableState))
    , uncheckedState(new QState(checkableState))
    , neutralState(new QState(configState))
    , neutralFocusedState(new QState(configState))
    , hoveredState(new QState(configState))
    , hoveredFocusedState(new QState(configState))
    , pressedState(new QState(configState))
    , haloPulse(new QSequentialAnimationGroup(this))
{
    setInitialState(topLevelState);
    configState->setInitialState(neutralState);
    checkableState->setInitialState(uncheckedState);

    const struct
    {
        const char* property;
        int duration;
    } transitions[] = {{"overlayOpacity", 150}, {"haloOpacity", 170}, {"haloSize", 350}};
    for (const auto& transition : transitions) {
        auto* animation = new QPropertyAnimation(this, transition.property, this);
        animation->setDuration(transition.duration);
        animation->setEasingCurve(QEasingCurve::OutCubic);
        addDefaultAnimation(animation);
    }
    auto* checkedAnimation = new QPropertyAnimation(this, "checkedOverlayProgress", this);
    checkedAnimation->setDuration(200);
    addDefaultAnimation(checkedAnimation);

    for (const auto& [from, to] : {std::pair<qreal, qreal>{0.56, 0.63}, {0.63, 0.56}}) {
        auto* half = new QPropertyAnimation(this, "haloScaleFactor", haloPulse);
        half->setStartValue(from);
        half->setEndValue(to);
        half->setDuration(840);
        half->setEasingCurve(QEasingCurve::InOutSine);
    }
    haloPulse->setLoopCount(-1);

    addInteractionTransitions();
    addCheckableTransitions();
    setupProperties();

    connect(this, &QStateMachine::started, this, [this] { setAnimated(true); });

    // Until the machine runs its transitions cannot follow the button; it then starts from the
    // state the button is in.
    connect(button, &QAbstractButton::toggled, this, [this](bool checked) {
        if (isRunning())
            return;
        checkableState->setInitialState(checked ? checkedState : uncheckedState);
        setCheckedOverlayProgress(checked ? 1 : 0);
    });
}

void QtMaterialFlatButtonStateMachine::addInteractionTransitions()
{
    const struct
    {
        QEvent::Type type;
        QState* from;
        QState* to;
    } events[] = {
        {QEvent::FocusIn, neutralState, neutralFocusedState},
        {QEvent::FocusOut, neutralFocusedState, neutralState},
        {QEvent::Enter, neutralState, hoveredState},
        {QEvent::Leave, hoveredState, neutralState},
        {QEvent::Enter, neutralFocusedState, hoveredFocusedState},
        {QEvent::Leave, hoveredFocusedState, neutralFocusedState},
        {QEvent::FocusIn, hoveredState, hoveredFocusedState},
        {QEvent::FocusOut, hoveredFocusedState, hoveredState},
        {QEvent::Leave, pressedState, neutralFocusedState},
        {QEvent::FocusOut, pressedState, hoveredState},
    };
    for (const auto& event : events) {
        auto* transition = new QEventTransition(button, event.type, event.from);
        transition->setTargetState(event.to);
    }
    hoveredState->addTransition(button, &QAbstractButton::pressed, pressedState);
}

void QtMaterialFlatButtonStateMachine::addCheckableTransitions()
{
    (new CheckedTransition(button, true, uncheckedState))->setTargetState(checkedState);
    (new CheckedTransition(button, false, checkedState))->setTargetState(uncheckedState);
    checkedState->assignProperty(this, "checkedOverlayProgress", 1);
    uncheckedState->assignProperty(this, "checkedOverlayProgress", 0);
}

void QtMaterialFlatButtonStateMachine::setupProperties()
{
    const qreal base = button->baseOpacity();
    const struct
    {
        QState* state;
        qreal overlay;
        qreal halo;
        qreal size;
    } values[] = {
        {neutralState, 0, 0, 0},       {neutralFocusedState, 0, base, 0.7},
        {hoveredState, base, base, 0}, {hoveredFocusedState, base, base, 0.7},
        {pressedState, base, 0, 4},
    };
    for (const auto& value : values) {
        value.state->assignProperty(this, "overlayOpacity", value.overlay);
        value.state->assignProperty(this, "haloOpacity", value.halo);
        value.state->assignProperty(this, "haloSize", value.size);
        if (configuration().contains(value.state)) {
            setOverlayOpacity(value.overlay);
            setHaloOpacity(value.halo);
            setHaloSize(value.size);
        }
    }
    button->update();
}

void QtMaterialFlatButtonStateMachine::startAnimations()
{
    checkableState->setInitialState(button->isChecked() ? checkedState : uncheckedState);
    // Entering the first states only sets the values; transitions animate them.
    setAnimated(false);
    start();
}

void QtMaterialFlatButtonStateMachine::setHaloPulseAllowed(bool allowed)
{
    pulseAllowed = allowed;
    updateHaloPulse();
}

bool QtMaterialFlatButtonStateMachine::isHaloPulseRunning() const
{
    return haloPulse->state() == QAbstractAnimation::Running;
}

void QtMaterialFlatButtonStateMachine::updateHaloPulse()
{
    // A looping animation keeps the animation timer waking the process; run it only while
    // there is a halo to see.
    const bool wanted = pulseAllowed && halo > 0;
    if (wanted && !isHaloPulseRunning())
        haloPulse->start();
    else if (!wanted && isHaloPulseRunning())
        haloPulse->stop();
}

void QtMaterialFlatButtonStateMachine::setOverlayOpacity(qreal opacity)
{
    overlay = opacity;
    button->update();
}

void QtMaterialFlatButtonStateMachine::setCheckedOverlayProgress(qreal progress)
{
    checkedProgress = progress;
    button->update();
}

void QtMaterialFlatButtonStateMachine::setHaloOpacity(qreal opacity)
{
    halo = opacity;
    updateHaloPulse();
    button->update();
}

void QtMaterialFlatButtonStateMachine::setHaloSize(qreal newSize)
{
    size = newSize;
    button->update();
}

void QtMaterialFlatButtonStateMachine::setHaloScaleFactor(qreal factor)
{
    scale = factor;
    button->update();
}
