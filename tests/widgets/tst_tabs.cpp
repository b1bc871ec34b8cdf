// The tab bar: tabs, the current index and its signal, and the ink bar under the current tab.
#include "WidgetImages.h"

#include "widgets/QtMaterialTab.h"
#include "widgets/QtMaterialTabs.h"
#include "widgets/QtMaterialTabsInkBar.h"

#include <QAccessible>
#include <QPropertyAnimation>
#include <QtTest>

namespace {

QRectF underTab(const QtMaterialTab* tab)
{
    const QRect g = tab->geometry();
    return QRectF(g.x(), g.bottom() - 1, g.width(), 2);
}

} // namespace

class TabsTest : public QObject
{
    Q_OBJECT

private slots:
    void emptyBar();
    void tabsAreConfigured();
    void firstTabIsCurrentAtOnce();
    void setCurrentTab_data();
    void setCurrentTab();
    void inkBarSlidesToTheNewTab();
    void clickingATabSelectsIt();
    void screenReaderSeesPageTabs();
    void inkBarFollowsResize();
    void haloAndRippleReachEveryTab();
    void cleanup();

private:
    static QtMaterialTabs* shownTabs(QWidget* window, int count);
};

void TabsTest::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

QtMaterialTabs* TabsTest::shownTabs(QWidget* window, int count)
{
    auto* tabs = new QtMaterialTabs(window);
    for (int i = 0; i < count; ++i)
        tabs->addTab(QStringLiteral("Tab %1").arg(i));
    tabs->setGeometry(0, 0, 300, 50);
    window->resize(300, 60);
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return nullptr;
    return tabs;
}

void TabsTest::emptyBar()
{
    QtMaterialTabs tabs;
    QCOMPARE(tabs.currentIndex(), -1);
    QCOMPARE(tabs.count(), 0);
    QVERIFY(tabs.isHaloVisible());
    QCOMPARE(tabs.rippleStyle(), Material::CenteredRipple);
    QSignalSpy changed(&tabs, &QtMaterialTabs::currentChanged);
    tabs.setCurrentTab(0);
    QCOMPARE(changed.count(), 0);
    QVERIFY(tabs.inkBar()->barGeometry().isNull());
}

void TabsTest::tabsAreConfigured()
{
    QtMaterialTabs tabs;
    tabs.addTab(QStringLiteral("Информация"));
    QPixmap pixmap(10, 10);
    pixmap.fill(Qt::black);
    tabs.addTab(QStringLiteral("Уведомления"), QIcon(pixmap));
    QtMaterialTab* plain = tabs.tab(0);
    QtMaterialTab* withIcon = tabs.tab(1);
    QCOMPARE(plain->text(), QStringLiteral("Информация"));
    QCOMPARE(plain->role(), Material::Primary);
    QCOMPARE(plain->backgroundMode(), Qt::OpaqueMode);
    QCOMPARE(plain->cornerRadius(), 0.0);
    QCOMPARE(plain->baseOpacity(), 0.25);
    QCOMPARE(plain->minimumHeight(), 50);
    QCOMPARE(plain->font().styleName(), QStringLiteral("Normal"));
    QCOMPARE(plain->sizeHint(), plain->QtMaterialFlatButton::sizeHint());
    QVERIFY(plain->icon().isNull());
    QCOMPARE(withIcon->iconSize(), QSize(22, 22));
    QCOMPARE(withIcon->sizeHint(), QSize(40, 22 + 46));
    QVERIFY(!tabs.tab(2));
    QVERIFY(!tabs.tab(-1));
}

void TabsTest::firstTabIsCurrentAtOnce()
{
    QWidget window;
    auto* tabs = new QtMaterialTabs(&window);
    QSignalSpy changed(tabs, &QtMaterialTabs::currentChanged);
    tabs->addTab(QStringLiteral("only"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(tabs->tab(0)->isActive());
    QCOMPARE(tabs->inkBar()->animation()->state(), QAbstractAnimation::Stopped);
    tabs->addTab(QStringLiteral("second"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(!tabs->tab(1)->isActive());

    tabs->setGeometry(0, 0, 300, 50);
    window.resize(300, 60);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(tabs->inkBar()->barGeometry(), underTab(tabs->tab(0)));
    QCOMPARE(tabs->inkBar()->animation()->state(), QAbstractAnimation::Stopped);
    // The bar is drawn in the ink colour along the bottom of the first tab only.
    tabs->setInkColor(Qt::red);
    const QImage image = renderOverWhite(&window);
    const QRect first = tabs->tab(0)->geometry();
    QCOMPARE(image.pixelColor(first.center().x(), first.bottom()), QColor(Qt::red));
    QVERIFY(image.pixelColor(first.center().x(), first.bottom() - 3) != QColor(Qt::red));
    QVERIFY(image.pixelColor(tabs->tab(1)->geometry().center().x(), first.bottom()) != QColor(Qt::red));
}

void TabsTest::setCurrentTab_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("emitted");
    QTest::newRow("another tab") << 2 << 2 << true;
    QTest::newRow("the same tab") << 0 << 0 << true;
    QTest::newRow("past the end") << 3 << 0 << false;
    QTest::newRow("negative") << -1 << 0 << false;
}

void TabsTest::setCurrentTab()
{
    QFETCH(int, index);
    QFETCH(int, current);
    QFETCH(bool, emitted);
    QtMaterialTabs tabs;
    for (const char* text : {"a", "b", "c"})
        tabs.addTab(QString::fromLatin1(text));
    QSignalSpy changed(&tabs, &QtMaterialTabs::currentChanged);
    tabs.setCurrentTab(index);
    QCOMPARE(tabs.currentIndex(), current);
    QCOMPARE(changed.count(), emitted ? 1 : 0);
    if (emitted)
        QCOMPARE(changed.first().first().toInt(), index);
    for (int i = 0; i < tabs.count(); ++i)
        QCOMPARE(tabs.tab(i)->isActive(), i == current);
}

void TabsTest::inkBarSlidesToTheNewTab()
{
    QWidget window;
    QtMaterialTabs* tabs = shownTabs(&window, 3);
    QVERIFY(tabs);
    QTRY_COMPARE(tabs->inkBar()->barGeometry(), underTab(tabs->tab(0)));

    QPropertyAnimation* slide = tabs->inkBar()->animation();
    QCOMPARE(slide->duration(), 700);
    QCOMPARE(slide->easingCurve().type(), QEasingCurve::OutCirc);
    tabs->setCurrentTab(2);
    QCOMPARE(slide->state(), QAbstractAnimation::Running);
    const QRectF from = underTab(tabs->tab(0));
    const QRectF to = underTab(tabs->tab(2));
    // Half way in time the out-circ curve has covered most of the way.
    slide->pause();
    slide->setCurrentTime(350);
    const qreal tween = tabs->inkBar()->tweenValue();
    QCOMPARE(tween, QEasingCurve(QEasingCurve::OutCirc).valueForProgress(0.5));
    const QRectF between = tabs->inkBar()->barGeometry();
    QCOMPARE(between.left(), from.left() + (to.left() - from.left()) * tween);
    QCOMPARE(between.width(), from.width() + (to.width() - from.width()) * tween);
    slide->resume();
    QTRY_COMPARE(tabs->inkBar()->barGeometry(), to);
    QTRY_COMPARE(slide->state(), QAbstractAnimation::Stopped);

    // Re-selecting the current tab announces it but leaves the bar still.
    tabs->setCurrentTab(2);
    QCOMPARE(slide->state(), QAbstractAnimation::Stopped);
    QCOMPARE(tabs->inkBar()->barGeometry(), to);
}

void TabsTest::clickingATabSelectsIt()
{
    QWidget window;
    QtMaterialTabs* tabs = shownTabs(&window, 2);
    QVERIFY(tabs);
    QSignalSpy changed(tabs, &QtMaterialTabs::currentChanged);
    QTest::mouseClick(tabs->tab(1), Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), 1);
    QCOMPARE(tabs->currentIndex(), 1);
    QTest::mouseClick(tabs->tab(1), Qt::LeftButton);
    QCOMPARE(changed.count(), 2);
}

void TabsTest::screenReaderSeesPageTabs()
{
    QWidget window;
    QtMaterialTabs* tabs = shownTabs(&window, 2);
    QVERIFY(tabs);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(tabs);
    QCOMPARE(bar->role(), QAccessible::PageTabList);
    QAccessibleInterface* first = QAccessible::queryAccessibleInterface(tabs->tab(0));
    QAccessibleInterface* second = QAccessible::queryAccessibleInterface(tabs->tab(1));
    for (QAccessibleInterface* tab : {first, second}) {
        QCOMPARE(tab->role(), QAccessible::PageTab);
        QCOMPARE(tab->parent(), bar);
        QVERIFY(tab->state().selectable);
    }
    QCOMPARE(second->text(QAccessible::Name), QStringLiteral("Tab 1"));
    QVERIFY(first->state().selected);
    QVERIFY(!second->state().selected);

    // Pressing through the screen reader selects the tab as a click does.
    QSignalSpy changed(tabs, &QtMaterialTabs::currentChanged);
    QVERIFY(second->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    second->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(second->state().selected);
    QVERIFY(!first->state().selected);
}

void TabsTest::inkBarFollowsResize()
{
    QWidget window;
    QtMaterialTabs* tabs = shownTabs(&window, 2);
    QVERIFY(tabs);
    tabs->setCurrentTab(1);
    QTRY_COMPARE(tabs->inkBar()->animation()->state(), QAbstractAnimation::Stopped);
    const QRectF before = tabs->inkBar()->barGeometry();
    tabs->resize(600, 50);
    QTRY_COMPARE(tabs->inkBar()->geometry(), tabs->rect());
    QTRY_COMPARE(tabs->inkBar()->barGeometry(), underTab(tabs->tab(1)));
    QVERIFY(tabs->inkBar()->barGeometry() != before);
}

void TabsTest::haloAndRippleReachEveryTab()
{
    QtMaterialTabs tabs;
    tabs.addTab(QStringLiteral("a"));
    tabs.setHaloVisible(false);
    tabs.setRippleStyle(Material::PositionedRipple);
    tabs.addTab(QStringLiteral("b"));
    for (int i = 0; i < tabs.count(); ++i) {
        QVERIFY(!tabs.tab(i)->isHaloVisible());
        QCOMPARE(tabs.tab(i)->rippleStyle(), Material::PositionedRipple);
    }
}

QTEST_MAIN(TabsTest)
#include "tst_tabs.moc"
