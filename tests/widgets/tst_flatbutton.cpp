// The flat button: its interaction states, checked overlay, painting and ripple.
#include "WidgetImages.h"

#include "widgets/QtMaterialFlatButton.h"
#include "widgets/QtMaterialFlatButtonStateMachine.h"
#include "widgets/QtMaterialIconButton.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialRipple.h"
#include "widgets/QtMaterialRippleOverlay.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>

#include <QtTest>

class FlatButtonTest : public QObject
{
    Q_OBJECT

private slots:
    void initialValues();
    void interactionStates_data();
    void interactionStates();
    void baseOpacityReappliesTheState();
    void checkedOverlayFollowsTheButton();
    void haloPaintedOnlyWhenVisible_data();
    void haloPaintedOnlyWhenVisible();
    void overlayPaintedWithHaloHidden_data();
    void overlayPaintedWithHaloHidden();
    void pressStartsARipple_data();
    void pressStartsARipple();
    void rippleRemovesItself();
    void sizeHint();
    void keyboardFocus_data();
    void keyboardFocus();
    void cleanup();

private:
    static void send(QtMaterialFlatButton* button, const QString& step);
};

void FlatButtonTest::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void FlatButtonTest::send(QtMaterialFlatButton* button, const QString& step)
{
    if (step == "enter") {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(button, &event);
    } else if (step == "leave") {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(button, &event);
    } else if (step == "focusin") {
        QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(button, &event);
    } else if (step == "focusout") {
        QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(button, &event);
    } else if (step == "press") {
        QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    } else if (step == "release") {
        QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    }
}

void FlatButtonTest::initialValues()
{
    QtMaterialFlatButton button(QStringLiteral("ok"));
    QCOMPARE(button.role(), Material::Default);
    QCOMPARE(button.rippleStyle(), Material::PositionedRipple);
    QCOMPARE(button.iconPlacement(), Material::LeftIcon);
    QCOMPARE(button.overlayStyle(), Material::GrayOverlay);
    QCOMPARE(button.backgroundMode(), Qt::TransparentMode);
    QCOMPARE(button.textAlignment(), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(button.fixedRippleRadius(), 64.0);
    QVERIFY(!button.hasFixedRippleRadius());
    QCOMPARE(button.cornerRadius(), 3.0);
    QCOMPARE(button.baseOpacity(), 0.13);
    QCOMPARE(button.fontSize(), 10.0);
    QVERIFY(button.isHaloVisible());
    QCOMPARE(button.font().family(), QStringLiteral("Roboto"));
    QCOMPARE(button.font().weight(), 57);
    QCOMPARE(button.font().capitalization(), QFont::AllUppercase);
    QCOMPARE(button.font().pointSizeF(), 10.0);

    QtMaterialFlatButtonStateMachine* machine = button.stateMachine();
    QCOMPARE(machine->overlayOpacity(), 0.0);
    QCOMPARE(machine->haloOpacity(), 0.0);
    QCOMPARE(machine->haloSize(), 0.8);
    QCOMPARE(machine->haloScaleFactor(), 1.0);
    // Entering the neutral state sets its values without animating them.
    QTRY_VERIFY(machine->isRunning());
    QCOMPARE(machine->haloSize(), 0.0);
}

void FlatButtonTest::interactionStates_data()
{
    QTest::addColumn<QStringList>("steps");
    // Expected values as multiples of the base opacity (overlay, halo) and the halo size.
    QTest::addColumn<qreal>("overlay");
    QTest::addColumn<qreal>("halo");
    QTest::addColumn<qreal>("size");
    QTest::newRow("hovered") << QStringList{"enter"} << 1.0 << 1.0 << 0.0;
    QTest::newRow("hovered, left") << QStringList{"enter", "leave"} << 0.0 << 0.0 << 0.0;
    QTest::newRow("focused") << QStringList{"focusin"} << 0.0 << 1.0 << 0.7;
    QTest::newRow("focused, focus lost") << QStringList{"focusin", "focusout"} << 0.0 << 0.0 << 0.0;
    QTest::newRow("focused, hovered") << QStringList{"focusin", "enter"} << 1.0 << 1.0 << 0.7;
    QTest::newRow("hovered, focused") << QStringList{"enter", "focusin"} << 1.0 << 1.0 << 0.7;
    QTest::newRow("hovered focused, left") << QStringList{"enter", "focusin", "leave"} << 0.0 << 1.0 << 0.7;
    QTest::newRow("hovered focused, focus lost")
        << QStringList{"enter", "focusin", "focusout"} << 1.0 << 1.0 << 0.0;
    QTest::newRow("pressed") << QStringList{"enter", "press"} << 1.0 << 0.0 << 4.0;
    QTest::newRow("pressed, released") << QStringList{"enter", "press", "release"} << 1.0 << 0.0 << 4.0;
    QTest::newRow("pressed, left") << QStringList{"enter", "press", "release", "leave"} << 0.0 << 1.0 << 0.7;
    QTest::newRow("pressed, focus lost") << QStringList{"enter", "press", "focusout"} << 1.0 << 1.0 << 0.0;
    QTest::newRow("press without hover") << QStringList{"press"} << 0.0 << 0.0 << 0.0;
}

void FlatButtonTest::interactionStates()
{
    QFETCH(QStringList, steps);
    QFETCH(qreal, overlay);
    QFETCH(qreal, halo);
    QFETCH(qreal, size);
    QtMaterialFlatButton button(QStringLiteral("state"));
    button.setBaseOpacity(0.2);
    button.resize(120, 40);
    QtMaterialFlatButtonStateMachine* machine = button.stateMachine();
    QTRY_VERIFY(machine->isRunning());
    for (const QString& step : steps) {
        send(&button, step);
        // Each event is handled by the machine on its own turn of the event loop.
        QCoreApplication::processEvents();
    }
    QTRY_COMPARE(machine->overlayOpacity(), 0.2 * overlay);
    QTRY_COMPARE(machine->haloOpacity(), 0.2 * halo);
    QTRY_COMPARE(machine->haloSize(), size);
}

void FlatButtonTest::baseOpacityReappliesTheState()
{
    QtMaterialFlatButton button(QStringLiteral("base"));
    QtMaterialFlatButtonStateMachine* machine = button.stateMachine();
    QTRY_VERIFY(machine->isRunning());
    send(&button, "enter");
    QTRY_COMPARE(machine->overlayOpacity(), 0.13);
    button.setBaseOpacity(0.4);
    QCOMPARE(machine->overlayOpacity(), 0.4);
    QCOMPARE(machine->haloOpacity(), 0.4);
    // And the states entered later use it too.
    send(&button, "focusin");
    QTRY_COMPARE(machine->haloSize(), 0.7);
    QCOMPARE(machine->haloOpacity(), 0.4);
}

void FlatButtonTest::checkedOverlayFollowsTheButton()
{
    QtMaterialFlatButton early(QStringLiteral("early"));
    early.setCheckable(true);
    early.setChecked(true); // before the machine runs
    QtMaterialFlatButton button(QStringLiteral("check"));
    button.setCheckable(true);
    QtMaterialFlatButtonStateMachine* machine = button.stateMachine();
    QTRY_VERIFY(machine->isRunning());
    QTRY_VERIFY(early.stateMachine()->isRunning());
    QCOMPARE(early.stateMachine()->checkedOverlayProgress(), 1.0);

    QCOMPARE(machine->checkedOverlayProgress(), 0.0);
    button.click();
    QVERIFY(button.isChecked());
    QTRY_COMPARE(machine->checkedOverlayProgress(), 1.0);
    button.setChecked(false);
    QTRY_COMPARE(machine->checkedOverlayProgress(), 0.0);
}

void FlatButtonTest::haloPaintedOnlyWhenVisible_data()
{
    QTest::addColumn<bool>("haloVisible");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("painted");
    QTest::newRow("visible") << true << true << true;
    QTest::newRow("hidden") << false << true << false;
    QTest::newRow("disabled") << true << false << false;
}

void FlatButtonTest::haloPaintedOnlyWhenVisible()
{
    QFETCH(bool, haloVisible);
    QFETCH(bool, enabled);
    QFETCH(bool, painted);
    QtMaterialFlatButton button;
    button.resize(100, 40);
    button.setOverlayStyle(Material::NoOverlay);
    button.setForegroundColor(Qt::red);
    button.setHaloVisible(haloVisible);
    button.setEnabled(enabled);
    QtMaterialFlatButtonStateMachine* machine = button.stateMachine();
    QTRY_VERIFY(machine->isRunning());
    // The focused state's halo: radius 100 * 0.7 * 0.6 = 42 around the centre.
    machine->setHaloOpacity(0.5);
    machine->setHaloSize(0.7);
    machine->setHaloScaleFactor(0.6);
    const QImage image = renderOverWhite(&button);
    const QColor centre = image.pixelColor(50, 20);
    const QColor corner = image.pixelColor(1, 1);
    QCOMPARE(corner, QColor(Qt::white));
    if (painted)
        QVERIFY2(nearColor(centre, overWhite(Qt::red, 0.5)), qPrintable(centre.name()));
    else
        QCOMPARE(centre, QColor(Qt::white));
}

void FlatButtonTest::overlayPaintedWithHaloHidden_data()
{
    QTest::addColumn<int>("overlayStyle");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("gray") << int(Material::GrayOverlay) << overWhite(Qt::gray, 0.5);
    QTest::newRow("tinted with foreground") << int(Material::TintedOverlay) << overWhite(Qt::blue, 0.5);
    QTest::newRow("none") << int(Material::NoOverlay) << QColor(Qt::white);
}

void FlatButtonTest::overlayPaintedWithHaloHidden()
{
    QFETCH(int, overlayStyle);
    QFETCH(QColor, expected);
    QtMaterialFlatButton button;
    button.resize(100, 40);
    button.setHaloVisible(false);
    button.setForegroundColor(Qt::blue);
    button.setOverlayStyle(static_cast<Material::OverlayStyle>(overlayStyle));
    button.setBaseOpacity(0.5);
    QTRY_VERIFY(button.stateMachine()->isRunning());
    send(&button, "enter");
    send(&button, "focusin");
    QTRY_COMPARE(button.stateMachine()->overlayOpacity(), 0.5);
    QTRY_COMPARE(button.stateMachine()->haloSize(), 0.7);
    const QImage image = renderOverWhite(&button);
    // Centre and edge alike: an even overlay and no halo over it.
    QVERIFY2(nearColor(image.pixelColor(50, 20), expected), qPrintable(image.pixelColor(50, 20).name()));
    QVERIFY2(nearColor(image.pixelColor(4, 20), expected), qPrintable(image.pixelColor(4, 20).name()));
}

void FlatButtonTest::pressStartsARipple_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("fixedRadius");
    QTest::addColumn<QPoint>("center");
    QTest::addColumn<qreal>("radius");
    QTest::newRow("positioned") << int(Material::PositionedRipple) << false << QPoint(10, 30) << 60.0;
    QTest::newRow("centred") << int(Material::CenteredRipple) << false << QPoint(59, 19) << 60.0;
    QTest::newRow("fixed radius") << int(Material::PositionedRipple) << true << QPoint(10, 30) << 64.0;
    QTest::newRow("none") << int(Material::NoRipple) << false << QPoint() << 0.0;
}

void FlatButtonTest::pressStartsARipple()
{
    QFETCH(int, style);
    QFETCH(bool, fixedRadius);
    QFETCH(QPoint, center);
    QFETCH(qreal, radius);
    QtMaterialFlatButton button(QStringLiteral("ripple"), Material::Secondary);
    button.resize(120, 40);
    button.setHaloVisible(false);
    button.setRippleStyle(static_cast<Material::RippleStyle>(style));
    button.setHasFixedRippleRadius(fixedRadius);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 30));
    const QList<QtMaterialRipple*> ripples = button.rippleOverlay()->ripples();
    if (style == Material::NoRipple) {
        QVERIFY(ripples.isEmpty());
        return;
    }
    QCOMPARE(ripples.size(), 1);
    QtMaterialRipple* ripple = ripples.first();
    QCOMPARE(ripple->center(), center);
    QCOMPARE(ripple->radiusAnimation()->endValue().toReal(), radius);
    QCOMPARE(ripple->opacityAnimation()->startValue().toReal(), 0.35);
    QCOMPARE(ripple->radiusAnimation()->duration(), 600);
    QCOMPARE(ripple->opacityAnimation()->duration(), 1300);
    QCOMPARE(ripple->color(), button.foregroundColor());

    // The overlay draws it even with the halo hidden. Held part way, so a busy machine cannot
    // let it finish first.
    ripple->pause();
    ripple->setCurrentTime(300);
    QVERIFY(ripple->radius() > 8);
    const QImage image = renderOverWhite(&button);
    QVERIFY(image.pixelColor(center) != QColor(Qt::white));
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 30));
}

void FlatButtonTest::rippleRemovesItself()
{
    QtMaterialRippleOverlay overlay;
    overlay.resize(100, 100);
    auto* ripple = new QtMaterialRipple(QPoint(50, 50));
    ripple->radiusAnimation()->setDuration(100);
    ripple->opacityAnimation()->setDuration(300);
    QCOMPARE(ripple->radiusAnimation()->endValue().toReal(), 300.0);
    QCOMPARE(ripple->opacityAnimation()->startValue().toReal(), 0.5);
    QCOMPARE(ripple->color(), QColor(Qt::black));
    QCOMPARE(ripple->radiusAnimation()->easingCurve().type(), QEasingCurve::OutQuad);
    QSignalSpy destroyed(ripple, &QObject::destroyed);
    overlay.addRipple(ripple);
    QCOMPARE(overlay.ripples().size(), 1);
    // Still there after the shorter of the two animations.
    QTRY_COMPARE(ripple->radiusAnimation()->state(), QAbstractAnimation::Stopped);
    QCOMPARE(overlay.ripples().size(), 1);
    QVERIFY(destroyed.wait(5000));
    QVERIFY(overlay.ripples().isEmpty());
}

void FlatButtonTest::keyboardFocus_data()
{
    QTest::addColumn<bool>("icon");
    QTest::newRow("raised button") << false;
    QTest::newRow("icon button") << true;
}

// With the halo hidden, as every window has it, focus must still show; Enter presses, as Space does.
void FlatButtonTest::keyboardFocus()
{
    QFETCH(bool, icon);
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    QPixmap bell(24, 24); // a mark in the middle, clear round it
    bell.fill(Qt::transparent);
    QPainter(&bell).fillRect(8, 8, 8, 8, Qt::black);
    auto* raised = new QtMaterialRaisedButton(QStringLiteral("Настройки"));
    raised->setHaloVisible(false);
    QAbstractButton* button =
        icon ? static_cast<QAbstractButton*>(new QtMaterialIconButton(QIcon(bell))) : raised;
    layout->addWidget(icon ? raised : new QPushButton(QStringLiteral("Выход")));
    layout->addWidget(button);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // As the window shows it: a button with a shadow effect renders blank on its own.
    const auto look = [&window, button] {
        return window.grab(QRect(button->mapTo(&window, QPoint()), button->size())).toImage();
    };
    const QImage unfocused = look();
    button->setFocus(Qt::TabFocusReason);
    const QImage focused = look();
    int changedOnTopRow = 0;
    for (int x = 0; x < focused.width(); ++x) {
        changedOnTopRow += focused.pixel(x, 2) != unfocused.pixel(x, 2) ? 1 : 0;
    }
    QVERIFY2(changedOnTopRow > focused.width() / 2, qPrintable(QString::number(changedOnTopRow)));

    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(clicked.count(), 2);
}

void FlatButtonTest::sizeHint()
{
    QtMaterialFlatButton button(QStringLiteral("Save"));
    const QSize text = button.fontMetrics().size(Qt::TextSingleLine, QStringLiteral("Save"));
    QCOMPARE(button.sizeHint(), text + QSize(20, 20));
    QPixmap pixmap(16, 24);
    pixmap.fill(Qt::black);
    button.setIcon(QIcon(pixmap));
    button.setIconSize(QSize(16, 24));
    QCOMPARE(button.sizeHint(), QSize(text.width() + 16 + 32, qMax(text.height(), 24) + 20));
}

QTEST_MAIN(FlatButtonTest)
#include "tst_flatbutton.moc"
