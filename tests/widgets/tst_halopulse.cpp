// The looping halo pulse runs only while a halo can be seen; finished animations stop.
#include "widgets/QtMaterialFlatButton.h"
#include "widgets/QtMaterialFlatButtonStateMachine.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTabs.h"

#include <QAbstractAnimation>
#include <QtTest>

namespace {

int runningAnimations(const QObject* root)
{
    int running = 0;
    for (const QAbstractAnimation* animation : root->findChildren<QAbstractAnimation*>())
        if (animation->state() == QAbstractAnimation::Running && !animation->group())
            ++running;
    return running;
}

void focus(QWidget* widget, bool in)
{
    QFocusEvent event(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class HaloPulseTest : public QObject
{
    Q_OBJECT

private slots:
    void pulseFollowsVisibility_data();
    void pulseFollowsVisibility();
    void pulseStopsWhenTheWindowIsMinimised();
    void finishedAnimationsStop();
    void cleanup();
};

void HaloPulseTest::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void HaloPulseTest::pulseFollowsVisibility_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("halo hidden") << "halo";
    QTest::newRow("widget hidden") << "widget";
    QTest::newRow("window hidden") << "window";
    QTest::newRow("disabled") << "enabled";
    QTest::newRow("focus lost") << "focus";
}

void HaloPulseTest::pulseFollowsVisibility()
{
    QFETCH(QString, change);
    QWidget window;
    auto* button = new QtMaterialRaisedButton(QStringLiteral("pulse"), &window);
    button->resize(120, 40);
    QtMaterialFlatButtonStateMachine* machine = button->stateMachine();
    QTRY_VERIFY(machine->isRunning());
    QVERIFY(!machine->isHaloPulseRunning());

    focus(button, true);
    QTRY_VERIFY(machine->haloOpacity() > 0);
    // Not shown yet: nothing to pulse.
    QVERIFY(!machine->isHaloPulseRunning());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(machine->isHaloPulseRunning());

    auto apply = [&](bool on) {
        if (change == "halo")
            button->setHaloVisible(on);
        else if (change == "widget")
            button->setVisible(on);
        else if (change == "window")
            window.setVisible(on);
        else if (change == "enabled")
            button->setEnabled(on);
        else if (change == "focus")
            focus(button, on);
    };
    apply(false);
    QTRY_VERIFY(!machine->isHaloPulseRunning());
    QTRY_COMPARE(runningAnimations(button), 0);
    apply(true);
    // Hiding the window or disabling the button took its focus: the halo needs it back.
    focus(button, true);
    QTRY_VERIFY(machine->isHaloPulseRunning());
    const qreal before = machine->haloScaleFactor();
    QTRY_VERIFY(machine->haloScaleFactor() != before);
    QVERIFY(machine->haloScaleFactor() >= 0.56 && machine->haloScaleFactor() <= 0.63);
}

void HaloPulseTest::pulseStopsWhenTheWindowIsMinimised()
{
    QWidget window;
    auto* button = new QtMaterialFlatButton(QStringLiteral("pulse"), &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(button->stateMachine()->isRunning());
    focus(button, true);
    QTRY_VERIFY(button->stateMachine()->isHaloPulseRunning());
    window.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!button->stateMachine()->isHaloPulseRunning());
    window.setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(button->stateMachine()->isHaloPulseRunning());
}

void HaloPulseTest::finishedAnimationsStop()
{
    // The client's setting: halo hidden everywhere. After any interaction nothing keeps running.
    QWidget window;
    auto* button = new QtMaterialRaisedButton(QStringLiteral("idle"), &window);
    button->setHaloVisible(false);
    auto* tabs = new QtMaterialTabs(&window);
    tabs->setHaloVisible(false);
    tabs->addTab(QStringLiteral("one"));
    tabs->addTab(QStringLiteral("two"));
    tabs->move(0, 60);
    tabs->resize(300, 50);
    window.resize(320, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(button->stateMachine()->isRunning());

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    focus(button, true);
    QTest::mouseClick(button, Qt::LeftButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    tabs->setCurrentTab(1);
    QVERIFY(runningAnimations(&window) > 0);
    QTRY_COMPARE_WITH_TIMEOUT(runningAnimations(&window), 0, 10000);
    QVERIFY(!button->stateMachine()->isHaloPulseRunning());
}

QTEST_MAIN(HaloPulseTest)
#include "tst_halopulse.moc"
