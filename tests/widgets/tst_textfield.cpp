// The text field: margins and font, the focus progress, the input line and the ink bar.
#include "WidgetImages.h"

#include "widgets/QtMaterialTextField.h"

#include <QPropertyAnimation>
#include <QStyle>
#include <QtTest>

class TextFieldTest : public QObject
{
    Q_OBJECT

private slots:
    void initialValues();
    void focusMovesTheProgress();
    void painting_data();
    void painting();
    void cleanup();

private:
    static void focus(QWidget* widget, bool in);
};

void TextFieldTest::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TextFieldTest::focus(QWidget* widget, bool in)
{
    QFocusEvent event(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

void TextFieldTest::initialValues()
{
    QtMaterialTextField field;
    QVERIFY(!field.hasFrame());
    QCOMPARE(field.textMargins(), QMargins(0, 2, 0, 4));
    QCOMPARE(field.font().family(), QStringLiteral("Roboto"));
    QCOMPARE(field.font().pointSizeF(), 11.0);
    QCOMPARE(field.font().weight(), int(QFont::Normal));
    QVERIFY(field.hasInputLine());
    QVERIFY(!field.hasLabel());
    QCOMPARE(field.labelFontSize(), 9.5);
    QCOMPARE(field.progress(), 0.0);

    // Still a line edit in full.
    field.setPlaceholderText(QStringLiteral("Логин"));
    field.setEchoMode(QLineEdit::Password);
    QSignalSpy edited(&field, &QLineEdit::textChanged);
    field.setText(QStringLiteral("secret"));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(field.displayText(),
             QString(6, QChar(field.style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter))));
}

void TextFieldTest::focusMovesTheProgress()
{
    QtMaterialTextField field;
    QPropertyAnimation* animation = field.progressAnimation();
    focus(&field, true);
    QCOMPARE(animation->duration(), 310);
    QCOMPARE(animation->easingCurve().type(), QEasingCurve::InCubic);
    QCOMPARE(animation->endValue().toReal(), 1.0);
    QTRY_COMPARE(field.progress(), 1.0);
    focus(&field, false);
    QCOMPARE(animation->easingCurve().type(), QEasingCurve::OutCubic);
    QTRY_COMPARE(field.progress(), 0.0);
    QCOMPARE(animation->state(), QAbstractAnimation::Stopped);
}

void TextFieldTest::painting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qreal>("progress");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<qreal>("cover");  // opacity of the parent's background over the field
    QTest::addColumn<int>("inkWidth"); // pixels of ink bar along the bottom
    QTest::newRow("empty, no focus") << QString() << 0.0 << true << 1.0 << 0;
    QTest::newRow("empty, half focus") << QString() << 0.5 << true << 0.5 << 100;
    QTest::newRow("empty, focus") << QString() << 1.0 << true << 0.0 << 200;
    QTest::newRow("text, no focus") << QStringLiteral("abc") << 0.0 << true << 0.0 << 0;
    QTest::newRow("disabled") << QStringLiteral("abc") << 0.0 << false << 0.0 << 0;
}

void TextFieldTest::painting()
{
    QFETCH(QString, text);
    QFETCH(qreal, progress);
    QFETCH(bool, enabled);
    QFETCH(qreal, cover);
    QFETCH(int, inkWidth);
    QWidget parent;
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor("#203040"));
    parent.setPalette(pal);
    auto* field = new QtMaterialTextField(&parent);
    field->setGeometry(0, 0, 200, 30);
    field->setText(text);
    field->setEnabled(enabled);
    field->setInkColor(Qt::red);
    field->setInputLineColor(Qt::blue);
    field->setProgress(progress);

    const QImage image = renderOverWhite(field);
    const QColor middle = image.pixelColor(150, 10);
    const QColor base =
        field->palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::Base);
    QVERIFY2(nearColor(middle, overWhite(QColor("#203040"), cover, base)), qPrintable(middle.name()));

    int ink = 0;
    for (int x = 0; x < 200; ++x)
        if (image.pixelColor(x, 29) == QColor(Qt::red))
            ++ink;
    QVERIFY2(qAbs(ink - inkWidth) <= 1, qPrintable(QString::number(ink)));
    if (inkWidth == 0) {
        // The input line alone, dashed while disabled.
        int line = 0;
        for (int x = 0; x < 200; ++x)
            if (image.pixelColor(x, 29) == QColor(Qt::blue))
                ++line;
        QVERIFY2(enabled ? line == 200 : line > 40 && line < 160, qPrintable(QString::number(line)));
    } else {
        // Grows from the centre.
        QCOMPARE(image.pixelColor(100, 29), QColor(Qt::red));
        QCOMPARE(image.pixelColor(100, 28), QColor(Qt::red));
    }
}

QTEST_MAIN(TextFieldTest)
#include "tst_textfield.moc"
