// The icon button: recoloured icon, one click per press, and a ripple overlay twice its size.
#include "WidgetImages.h"

#include "widgets/QtMaterialIconButton.h"
#include "widgets/QtMaterialRipple.h"
#include "widgets/QtMaterialRippleOverlay.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QtTest>

namespace {

// A black disc on transparent: recolouring must keep its shape.
QIcon disc(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRect(0, 0, size, size));
    return QIcon(pixmap);
}

} // namespace

class IconButtonTest : public QObject
{
    Q_OBJECT

private slots:
    void sizeFollowsTheIcon();
    void iconIsRecoloured_data();
    void iconIsRecoloured();
    void oneClickPerPress();
    void overlayIsTwiceTheSizeAndCentred();
    void pressRipplesFromTheOverlayCentre();
    void resourceIconIsDrawn();
    void cleanup();
};

void IconButtonTest::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void IconButtonTest::sizeFollowsTheIcon()
{
    QtMaterialIconButton button(disc(24));
    button.setIconSize(QSize(30, 20));
    QCOMPARE(button.sizeHint(), QSize(30, 20));
    QCOMPARE(button.sizePolicy().horizontalPolicy(), QSizePolicy::Maximum);
    QCOMPARE(button.sizePolicy().verticalPolicy(), QSizePolicy::Maximum);
}

void IconButtonTest::iconIsRecoloured_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("enabled") << true << QColor(Qt::red);
    QTest::newRow("disabled") << false << QColor(Qt::blue);
}

void IconButtonTest::iconIsRecoloured()
{
    QFETCH(bool, enabled);
    QFETCH(QColor, expected);
    QtMaterialIconButton button(disc(20));
    button.setIconSize(QSize(20, 20));
    button.resize(40, 40);
    button.setColor(Qt::red);
    button.setDisabledColor(Qt::blue);
    button.setEnabled(enabled);
    const QImage image = renderOverWhite(&button);
    // Centred: the disc spans 10..29; its middle takes the colour, its transparent corner stays.
    QCOMPARE(image.pixelColor(20, 20), expected);
    QCOMPARE(image.pixelColor(11, 11), QColor(Qt::white));
    QCOMPARE(image.pixelColor(5, 20), QColor(Qt::white));
}

void IconButtonTest::oneClickPerPress()
{
    QtMaterialIconButton button(disc(24));
    button.resize(24, 24);
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QSignalSpy pressed(&button, &QAbstractButton::pressed);
    QSignalSpy released(&button, &QAbstractButton::released);
    int clicksAtPress = -1;
    connect(&button, &QAbstractButton::pressed, &button, [&] { clicksAtPress = clicked.count(); });

    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(12, 12));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicksAtPress, 1); // sent before the ordinary press handling
    QCOMPARE(pressed.count(), 1);
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(12, 12));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(released.count(), 1);
    QVERIFY(!button.isDown());

    // Other buttons do not click; the keyboard still clicks once.
    QTest::mouseClick(&button, Qt::RightButton, Qt::NoModifier, QPoint(12, 12));
    QCOMPARE(clicked.count(), 1);
    button.click();
    QCOMPARE(clicked.count(), 2);
}

void IconButtonTest::overlayIsTwiceTheSizeAndCentred()
{
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* button = new QtMaterialIconButton(disc(24));
    button->setIconSize(QSize(24, 24));
    layout->addWidget(button);
    window.resize(200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QtMaterialRippleOverlay* overlay = button->rippleOverlay();
    // Beside the button, in its parent, so it can spread past the button's edges.
    QCOMPARE(overlay->parentWidget(), &window);
    auto expected = [button] {
        const QRect g = button->geometry();
        return QRect(g.x() - g.width() / 2, g.y() - g.height() / 2, 2 * g.width(), 2 * g.height());
    };
    QTRY_COMPARE(overlay->geometry(), expected());
    QVERIFY(overlay->isVisible());

    window.resize(400, 300);
    QTRY_COMPARE(overlay->geometry(), expected());
    button->setIconSize(QSize(40, 40));
    QTRY_COMPARE(button->size(), QSize(40, 40));
    QTRY_COMPARE(overlay->geometry(), expected());

    button->hide();
    QVERIFY(!overlay->isVisible());
    button->show();
    QVERIFY(overlay->isVisible());

    QPointer<QtMaterialRippleOverlay> watched(overlay);
    delete button;
    QVERIFY(!watched);
}

void IconButtonTest::pressRipplesFromTheOverlayCentre()
{
    QWidget window;
    auto* button = new QtMaterialIconButton(disc(24), &window);
    button->setIconSize(QSize(24, 24));
    button->setGeometry(50, 50, 24, 24);
    window.resize(200, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    const QList<QtMaterialRipple*> ripples = button->rippleOverlay()->ripples();
    QCOMPARE(ripples.size(), 1);
    QCOMPARE(ripples.first()->center(), button->rippleOverlay()->rect().center());
    QCOMPARE(ripples.first()->radiusAnimation()->endValue().toReal(), 24.0);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));

    // The ripple reaches outside the button: a pixel beyond its edge darkens while it runs.
    ripples.first()->pause();
    ripples.first()->setCurrentTime(600);
    QVERIFY(ripples.first()->radius() > 18);
    const QImage image = renderOverWhite(&window);
    QVERIFY(image.pixelColor(47, 62) != QColor(Qt::white));
}

void IconButtonTest::resourceIconIsDrawn()
{
    QtMaterialIconButton button(QIcon(QStringLiteral(":/images/notification.svg")));
    button.setIconSize(QSize(24, 24));
    button.resize(24, 24);
    button.setColor(Qt::red);
    const QImage image = renderOverWhite(&button);
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(Qt::red))
                ++red;
    QVERIFY2(red > 20, qPrintable(QString::number(red)));
}

QTEST_MAIN(IconButtonTest)
#include "tst_iconbutton.moc"
