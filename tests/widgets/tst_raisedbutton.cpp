// The raised button: opaque flat button with a shadow that deepens on press and goes when disabled.
#include "WidgetImages.h"

#include "widgets/QtMaterialFlatButtonStateMachine.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialStyle.h"

#include <QGraphicsDropShadowEffect>
#include <QStateMachine>
#include <QtTest>

class RaisedButtonTest : public QObject
{
    Q_OBJECT

private slots:
    void initialValues();
    void shadowDeepensWhilePressed_data();
    void shadowDeepensWhilePressed();
    void disabledHasNoShadowAndDisabledColors();
    void disabledBeforeTheLoopRuns();
    void cleanup();
};

void RaisedButtonTest::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void RaisedButtonTest::initialValues()
{
    QtMaterialRaisedButton button(QStringLiteral("Обновить список"));
    QCOMPARE(button.text(), QStringLiteral("Обновить список"));
    QCOMPARE(button.backgroundMode(), Qt::OpaqueMode);
    QCOMPARE(button.minimumHeight(), 42);
    QCOMPARE(button.baseOpacity(), 0.3);
    QCOMPARE(button.graphicsEffect(), button.shadowEffect());
    QGraphicsDropShadowEffect* shadow = button.shadowEffect();
    QCOMPARE(shadow->blurRadius(), 7.0);
    QCOMPARE(shadow->offset(), QPointF(0, 2));
    QCOMPARE(shadow->color(), QColor(0, 0, 0, 75));
    QVERIFY(shadow->isEnabled());
    QTRY_VERIFY(button.shadowStateMachine()->isRunning());
    QtMaterialRaisedButton empty;
    QVERIFY(empty.text().isEmpty());
}

void RaisedButtonTest::shadowDeepensWhilePressed_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("press") << false;
    QTest::newRow("double click") << true;
}

void RaisedButtonTest::shadowDeepensWhilePressed()
{
    QFETCH(bool, doubleClick);
    QtMaterialRaisedButton button(QStringLiteral("press"));
    button.resize(120, 42);
    QTRY_VERIFY(button.shadowStateMachine()->isRunning());
    QGraphicsDropShadowEffect* shadow = button.shadowEffect();
    if (doubleClick)
        QTest::mouseDClick(&button, Qt::LeftButton);
    else
        QTest::mousePress(&button, Qt::LeftButton);
    if (doubleClick) {
        // A double click ends in a release; the shadow comes back up after it.
        QTRY_COMPARE(shadow->offset(), QPointF(0, 2));
        return;
    }
    QTRY_COMPARE(shadow->offset(), QPointF(0, 5));
    QTRY_COMPARE(shadow->blurRadius(), 29.0);
    QTest::mouseRelease(&button, Qt::LeftButton);
    QTRY_COMPARE(shadow->offset(), QPointF(0, 2));
    QTRY_COMPARE(shadow->blurRadius(), 7.0);
}

void RaisedButtonTest::disabledHasNoShadowAndDisabledColors()
{
    QWidget window;
    window.setStyleSheet(QStringLiteral("QtMaterialRaisedButton { qproperty-backgroundColor: #2196f3; }"));
    auto* button = new QtMaterialRaisedButton(QStringLiteral("x"), &window);
    button->setGeometry(10, 10, 100, 42);
    window.resize(120, 70);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(button->shadowStateMachine()->isRunning());

    button->setEnabled(false);
    QVERIFY(!button->shadowEffect()->isEnabled());
    QTRY_VERIFY(!button->shadowStateMachine()->isRunning());
    // Through the window, as the effect draws the button into its parent.
    QImage image = renderOverWhite(&window);
    QCOMPARE(image.pixelColor(18, 31), QtMaterialStyle::instance().themeColor(QStringLiteral("disabled3")));
    QCOMPARE(image.pixelColor(60, 53), QColor(Qt::white));
    // The press that cannot reach a disabled button changes nothing either.
    QCOMPARE(button->shadowEffect()->offset(), QPointF(0, 2));

    button->setEnabled(true);
    QVERIFY(button->shadowEffect()->isEnabled());
    QTRY_VERIFY(button->shadowStateMachine()->isRunning());
    image = renderOverWhite(&window);
    QCOMPARE(image.pixelColor(18, 31), QColor("#2196f3"));
    // The shadow darkens the white just under the button.
    QVERIFY(image.pixelColor(60, 53).lightness() < 250);
    QTest::mousePress(button, Qt::LeftButton);
    QTRY_COMPARE(button->shadowEffect()->blurRadius(), 29.0);
    QTest::mouseRelease(button, Qt::LeftButton);
}

void RaisedButtonTest::disabledBeforeTheLoopRuns()
{
    QtMaterialRaisedButton off(QStringLiteral("off"));
    off.setEnabled(false);
    QtMaterialRaisedButton back(QStringLiteral("back"));
    back.setEnabled(false);
    back.setEnabled(true);
    QTRY_VERIFY(back.shadowStateMachine()->isRunning());
    QVERIFY(back.shadowEffect()->isEnabled());
    QVERIFY(!off.shadowStateMachine()->isRunning());
    QVERIFY(!off.shadowEffect()->isEnabled());
    // Still stopped once the loop has had its turns.
    QTRY_VERIFY(off.stateMachine()->isRunning());
    QVERIFY(!off.shadowStateMachine()->isRunning());
}

QTEST_MAIN(RaisedButtonTest)
#include "tst_raisedbutton.moc"
