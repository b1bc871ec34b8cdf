// Colour properties: theme colours until a colour is stored, directly or from a style sheet.
#include "widgets/QtMaterialFlatButton.h"
#include "widgets/QtMaterialIconButton.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialStyle.h"
#include "widgets/QtMaterialTab.h"
#include "widgets/QtMaterialTabs.h"
#include "widgets/QtMaterialTextField.h"

#include <QtTest>

namespace {

QColor theme(const char* key)
{
    return QtMaterialStyle::instance().themeColor(QString::fromLatin1(key));
}

} // namespace

class ColorPropertiesTest : public QObject
{
    Q_OBJECT

private slots:
    void flatButtonColorsFollowRoleAndMode_data();
    void flatButtonColorsFollowRoleAndMode();
    void storingOneColorLeavesTheOthersOnTheTheme_data();
    void storingOneColorLeavesTheOthersOnTheTheme();
    void otherWidgetDefaults();
    void styleSheetColorsApplyToTheirWidgetOnly();
    void styleSheetTabColorsReachTheBar();
};

void ColorPropertiesTest::flatButtonColorsFollowRoleAndMode_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<bool>("opaque");
    QTest::addColumn<QByteArray>("foreground");
    QTest::addColumn<QByteArray>("background");
    QTest::newRow("default transparent")
        << int(Material::Default) << false << QByteArray("text") << QByteArray("text");
    QTest::newRow("primary transparent")
        << int(Material::Primary) << false << QByteArray("primary1") << QByteArray("primary1");
    QTest::newRow("secondary transparent")
        << int(Material::Secondary) << false << QByteArray("accent1") << QByteArray("accent1");
    QTest::newRow("default opaque") << int(Material::Default) << true << QByteArray("canvas")
                                    << QByteArray("text");
    QTest::newRow("primary opaque") << int(Material::Primary) << true << QByteArray("canvas")
                                    << QByteArray("primary1");
    QTest::newRow("secondary opaque")
        << int(Material::Secondary) << true << QByteArray("canvas") << QByteArray("accent1");
}

void ColorPropertiesTest::flatButtonColorsFollowRoleAndMode()
{
    QFETCH(int, role);
    QFETCH(bool, opaque);
    QFETCH(QByteArray, foreground);
    QFETCH(QByteArray, background);
    QtMaterialFlatButton button(QStringLiteral("x"), static_cast<Material::Role>(role));
    button.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    QVERIFY(button.useThemeColors());
    QCOMPARE(button.foregroundColor(), theme(foreground));
    QCOMPARE(button.overlayColor(), theme(foreground));
    QCOMPARE(button.backgroundColor(), theme(background));
    QCOMPARE(button.disabledForegroundColor(), theme("disabled"));
    QCOMPARE(button.disabledBackgroundColor(), theme("disabled3"));
}

void ColorPropertiesTest::storingOneColorLeavesTheOthersOnTheTheme_data()
{
    QTest::addColumn<QByteArray>("property");
    for (const char* property : {"foregroundColor", "backgroundColor", "overlayColor",
                                 "disabledForegroundColor", "disabledBackgroundColor"})
        QTest::newRow(property) << QByteArray(property);
}

void ColorPropertiesTest::storingOneColorLeavesTheOthersOnTheTheme()
{
    QFETCH(QByteArray, property);
    QtMaterialFlatButton button(QStringLiteral("x"), Material::Primary);
    QtMaterialFlatButton untouched(QStringLiteral("y"), Material::Primary);
    const QStringList all{"foregroundColor", "backgroundColor", "overlayColor", "disabledForegroundColor",
                          "disabledBackgroundColor"};
    QHash<QString, QColor> before;
    for (const QString& name : all)
        before.insert(name, button.property(name.toLatin1()).value<QColor>());

    const QColor stored(0x12, 0x34, 0x56);
    QVERIFY(button.setProperty(property, stored));
    QVERIFY(!button.useThemeColors());
    for (const QString& name : all) {
        const QColor now = button.property(name.toLatin1()).value<QColor>();
        QCOMPARE(now, name == property ? stored : before.value(name));
        QCOMPARE(untouched.property(name.toLatin1()).value<QColor>(), before.value(name));
    }

    // Back on the theme, the stored colour is kept but not answered.
    button.setUseThemeColors(true);
    QCOMPARE(button.property(property).value<QColor>(), before.value(property));
    QVERIFY(untouched.useThemeColors());
}

void ColorPropertiesTest::otherWidgetDefaults()
{
    QtMaterialIconButton icon{QIcon()};
    QCOMPARE(icon.color(), theme("text"));
    QCOMPARE(icon.disabledColor(), theme("disabled"));
    icon.setColor(Qt::red);
    QCOMPARE(icon.color(), QColor(Qt::red));
    QCOMPARE(icon.disabledColor(), theme("disabled"));
    QVERIFY(!icon.useThemeColors());

    QtMaterialTextField field;
    QCOMPARE(field.textColor(), theme("text"));
    QCOMPARE(field.labelColor(), theme("accent3"));
    QCOMPARE(field.inkColor(), theme("primary1"));
    QCOMPARE(field.inputLineColor(), theme("border"));
    QCOMPARE(field.palette().color(QPalette::Text), theme("text"));
    field.setTextColor(QColor("#333333"));
    QCOMPARE(field.palette().color(QPalette::Text), QColor("#333333"));
    QCOMPARE(field.inkColor(), theme("primary1"));

    QtMaterialTabs tabs;
    QCOMPARE(tabs.inkColor(), theme("accent1"));
    QCOMPARE(tabs.backgroundColor(), theme("primary1"));
    QCOMPARE(tabs.textColor(), theme("canvas"));
}

void ColorPropertiesTest::styleSheetColorsApplyToTheirWidgetOnly()
{
    QWidget window;
    window.setStyleSheet(
        QStringLiteral("QtMaterialRaisedButton { qproperty-backgroundColor: #2196f3; "
                       "qproperty-foregroundColor: white; }"
                       "QtMaterialRaisedButton[class=\"revertButton\"] { "
                       "qproperty-backgroundColor: transparent; qproperty-foregroundColor: #2196f3; }"));
    auto* main = new QtMaterialRaisedButton(QStringLiteral("Обновить список"), &window);
    auto* revert = new QtMaterialRaisedButton(QStringLiteral("Сохранить"), &window);
    revert->setProperty("class", QStringLiteral("revertButton"));
    auto* flat = new QtMaterialFlatButton(QStringLiteral("flat"), &window);
    QtMaterialRaisedButton outside(QStringLiteral("outside"));
    for (QWidget* widget : {static_cast<QWidget*>(main), static_cast<QWidget*>(revert),
                            static_cast<QWidget*>(flat), static_cast<QWidget*>(&outside)})
        widget->ensurePolished();

    QVERIFY(!main->useThemeColors());
    QCOMPARE(main->backgroundColor(), QColor("#2196f3"));
    QCOMPARE(main->foregroundColor(), QColor(Qt::white));
    QVERIFY(!revert->useThemeColors());
    QCOMPARE(revert->backgroundColor(), QColor(Qt::transparent));
    QCOMPARE(revert->foregroundColor(), QColor("#2196f3"));
    // Colours the sheet does not name still come from the theme.
    QCOMPARE(main->disabledBackgroundColor(), theme("disabled3"));

    QVERIFY(flat->useThemeColors());
    QCOMPARE(flat->foregroundColor(), theme("text"));
    QVERIFY(outside.useThemeColors());
    QCOMPARE(outside.backgroundColor(), theme("text"));
    QCOMPARE(outside.foregroundColor(), theme("canvas"));
}

void ColorPropertiesTest::styleSheetTabColorsReachTheBar()
{
    QWidget window;
    window.setStyleSheet(
        QStringLiteral("QtMaterialTab { qproperty-inkColor: #2196f3; qproperty-textColor: #333333; "
                       "qproperty-tabBackgroundColor: #ffffff; }"));
    auto* tabs = new QtMaterialTabs(&window);
    tabs->addTab(QStringLiteral("Информация"));
    tabs->addTab(QStringLiteral("Уведомления"));
    QtMaterialTabs themed;
    themed.addTab(QStringLiteral("a"));
    window.ensurePolished();
    for (int i = 0; i < tabs->count(); ++i)
        tabs->tab(i)->ensurePolished();
    themed.tab(0)->ensurePolished();

    QVERIFY(!tabs->useThemeColors());
    QCOMPARE(tabs->inkColor(), QColor("#2196f3"));
    QCOMPARE(tabs->textColor(), QColor("#333333"));
    QCOMPARE(tabs->backgroundColor(), QColor("#ffffff"));
    for (int i = 0; i < tabs->count(); ++i) {
        QtMaterialTab* tab = tabs->tab(i);
        QCOMPARE(tab->foregroundColor(), QColor("#333333"));
        QCOMPARE(tab->backgroundColor(), QColor("#ffffff"));
        QCOMPARE(tab->inkColor(), QColor("#2196f3"));
    }
    // A tab added later takes the bar's colours.
    tabs->addTab(QStringLiteral("third"));
    QCOMPARE(tabs->tab(2)->foregroundColor(), QColor("#333333"));

    QVERIFY(themed.useThemeColors());
    QCOMPARE(themed.tab(0)->foregroundColor(), theme("canvas"));
    QCOMPARE(themed.tab(0)->backgroundColor(), theme("primary1"));
    QCOMPARE(themed.inkColor(), theme("accent1"));
}

QTEST_MAIN(ColorPropertiesTest)
#include "tst_colorproperties.moc"
