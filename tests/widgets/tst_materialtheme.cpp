// The colour theme, the palette by name and the one shared style.
#include "widgets/QtMaterialIconButton.h"
#include "widgets/QtMaterialPalette.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialStyle.h"
#include "widgets/QtMaterialTabs.h"
#include "widgets/QtMaterialTextField.h"
#include "widgets/QtMaterialTheme.h"

#include <QSet>
#include <QtTest>

namespace {

QStringList messages;

void collect(QtMsgType, const QMessageLogContext&, const QString& message)
{
    messages << message;
}

} // namespace

class MaterialThemeTest : public QObject
{
    Q_OBJECT

private slots:
    void styleIsCreatedQuietly();
    void defaultColors_data();
    void defaultColors();
    void paletteByName_data();
    void paletteByName();
    void paletteNamesAreUniqueAndRoundTrip();
    void themeFromPalette();
    void missingKeyWarnsAndGivesInvalidColor();
    void everyWidgetSharesTheStyle();
};

void MaterialThemeTest::styleIsCreatedQuietly()
{
    // The font registrations find no fonts in the bundle; that must not be reported.
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    QtMaterialStyle& style = QtMaterialStyle::instance();
    qInstallMessageHandler(previous);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    QCOMPARE(&QtMaterialStyle::instance(), &style);
    QVERIFY(style.theme());
}

void MaterialThemeTest::defaultColors_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QColor>("expected");
    auto black = [](int alpha) {
        return QColor(0, 0, 0, alpha);
    };
    QTest::newRow("primary1") << "primary1" << QColor("#00bcd4");
    QTest::newRow("primary2") << "primary2" << QColor("#0097a7");
    QTest::newRow("primary3") << "primary3" << black(138);
    QTest::newRow("accent1") << "accent1" << QColor("#ff4081");
    QTest::newRow("accent2") << "accent2" << QColor("#f5f5f5");
    QTest::newRow("accent3") << "accent3" << QColor("#9e9e9e");
    QTest::newRow("text") << "text" << black(222);
    QTest::newRow("alternateText") << "alternateText" << QColor("#ffffff");
    QTest::newRow("canvas") << "canvas" << QColor("#ffffff");
    QTest::newRow("border") << "border" << QColor("#e0e0e0");
    QTest::newRow("disabled") << "disabled" << black(66);
    QTest::newRow("disabled2") << "disabled2" << black(31);
    QTest::newRow("disabled3") << "disabled3" << QColor("#e0e0e0");
}

void MaterialThemeTest::defaultColors()
{
    QFETCH(QString, key);
    QFETCH(QColor, expected);
    QtMaterialTheme theme;
    QCOMPARE(theme.getColor(key).rgba(), expected.rgba());
    QCOMPARE(QtMaterialStyle::instance().themeColor(key).rgba(), expected.rgba());
}

void MaterialThemeTest::paletteByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("red500") << "red500" << QColor("#f44336");
    QTest::newRow("pinkA200") << "pinkA200" << QColor("#ff4081");
    QTest::newRow("blue500") << "blue500" << QColor("#2196f3");
    QTest::newRow("deepOrangeA700") << "deepOrangeA700" << QColor("#dd2c00");
    QTest::newRow("blueGrey900") << "blueGrey900" << QColor("#263238");
    QTest::newRow("grey300") << "grey300" << QColor("#e0e0e0");
    QTest::newRow("darkBlack") << "darkBlack" << QColor(0, 0, 0, 222);
    QTest::newRow("faintBlack") << "faintBlack" << QColor(0, 0, 0, 31);
    QTest::newRow("lightWhite") << "lightWhite" << QColor(255, 255, 255, 138);
    QTest::newRow("transparent") << "transparent" << QColor(0, 0, 0, 0);
    // Brown, blue grey and grey have no accents; names are case-sensitive.
    QTest::newRow("brownA100") << "brownA100" << QColor();
    QTest::newRow("Red500") << "Red500" << QColor();
    QTest::newRow("empty") << "" << QColor();
}

void MaterialThemeTest::paletteByName()
{
    QFETCH(QString, name);
    QFETCH(QColor, expected);
    const QColor found = Material::colorByName(name);
    QCOMPARE(found.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(found.rgba(), expected.rgba());
}

void MaterialThemeTest::paletteNamesAreUniqueAndRoundTrip()
{
    // 16 hues with 10 shades and 4 accents, 3 with shades only, and 11 plain entries.
    QCOMPARE(int(Material::ColorCount), 16 * 14 + 3 * 10 + 11);
    QSet<QString> names;
    for (int i = 0; i < Material::ColorCount; ++i) {
        const auto entry = static_cast<Material::Color>(i);
        const QString name = Material::colorName(entry);
        QVERIFY2(!names.contains(name), qPrintable(name));
        names.insert(name);
        QCOMPARE(Material::colorByName(name).rgba(), Material::color(entry).rgba());
    }
    QVERIFY(!Material::color(Material::ColorCount).isValid());
}

void MaterialThemeTest::themeFromPalette()
{
    QtMaterialTheme theme;
    theme.setColor(QStringLiteral("primary1"), Material::blue500);
    QCOMPARE(theme.getColor(QStringLiteral("primary1")), QColor("#2196f3"));
    theme.setColor(QStringLiteral("custom"), Material::colorByName(QStringLiteral("tealA400")));
    QCOMPARE(theme.getColor(QStringLiteral("custom")), QColor("#1de9b6"));
}

void MaterialThemeTest::missingKeyWarnsAndGivesInvalidColor()
{
    QtMaterialTheme theme;
    QTest::ignoreMessage(QtWarningMsg, "A theme color matching the key 'primary4' could not be found.");
    QVERIFY(!theme.getColor(QStringLiteral("primary4")).isValid());
}

void MaterialThemeTest::everyWidgetSharesTheStyle()
{
    QWidget parent;
    QStyle* style = &QtMaterialStyle::instance();
    QCOMPARE((new QtMaterialRaisedButton(QStringLiteral("a"), &parent))->style(), style);
    QCOMPARE((new QtMaterialFlatButton(QStringLiteral("b"), &parent))->style(), style);
    QCOMPARE((new QtMaterialIconButton(QIcon(), &parent))->style(), style);
    QCOMPARE((new QtMaterialTextField(&parent))->style(), style);
    auto* tabs = new QtMaterialTabs(&parent);
    tabs->addTab(QStringLiteral("c"));
    QCOMPARE(tabs->style(), style);
}

QTEST_MAIN(MaterialThemeTest)
#include "tst_materialtheme.moc"
