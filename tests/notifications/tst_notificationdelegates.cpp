// The three cell delegates painted into images: backgrounds, the unread bar, text colours and
// weight, and how the time column shows the service's time stamps.
#include "notifications/NotificationEventDelegate.h"
#include "notifications/NotificationModuleDelegate.h"
#include "notifications/NotificationRoles.h"
#include "notifications/NotificationTimeDelegate.h"
#include "ui/TextFit.h"

#include <QPainter>
#include <QStandardItemModel>
#include <QtTest>

#include <ctime>
#include <memory>

namespace {

const QColor highlight(0x12, 0x34, 0x56);
const QColor highlightedText(0xFE, 0xDC, 0xBA);
const QColor unpainted(Qt::magenta);
const QSize cellSize(220, 40);

struct Rendering
{
    QImage image;
    // Pixels of exactly this colour: with antialiasing off, the ink of text drawn in it.
    int count(const QColor& color) const
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += image.pixelColor(x, y) == color ? 1 : 0;
            }
        }
        return n;
    }
    QColor at(int x, int y) const { return image.pixelColor(x, y); }
};

Rendering render(int column, NotificationType type, bool selected)
{
    QStandardItemModel model(1, 3);
    for (int c = 0; c < 3; ++c) {
        model.setData(model.index(0, c), QStringLiteral("2026-12-08T10:00:00"), DateTimeRole);
        model.setData(model.index(0, c), int(DKKT), ModuleRole);
    }
    model.setData(model.index(0, 2), int(type), TypeRole);
    model.setData(model.index(0, 2), QStringLiteral("Заголовок"), HeaderRole);
    model.setData(model.index(0, 2), QStringLiteral("Текст уведомления"), MessageRole);

    std::unique_ptr<NotificationBaseDelegate> delegate;
    if (column == 0) {
        delegate = std::make_unique<NotificationTimeDelegate>();
    } else if (column == 1) {
        delegate = std::make_unique<NotificationModuleDelegate>();
    } else {
        delegate = std::make_unique<NotificationEventDelegate>();
    }

    QStyleOptionViewItem option;
    option.rect = QRect(QPoint(0, 0), cellSize);
    option.font = QFont(QStringLiteral("DejaVu Sans"), 10);
    option.font.setStyleStrategy(QFont::NoAntialias);
    option.palette.setColor(QPalette::Current, QPalette::Highlight, highlight);
    option.palette.setColor(QPalette::Current, QPalette::HighlightedText, highlightedText);
    option.state = selected ? QStyle::State_Selected : QStyle::State_None;

    Rendering result{QImage(cellSize, QImage::Format_RGB32)};
    result.image.fill(unpainted);
    QPainter painter(&result.image);
    delegate->paint(&painter, option, model.index(0, column));
    return result;
}

} // namespace

class NotificationDelegatesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cells_data();
    void cells();
    void errorIsBoldOnlyWhenNotSelected_data();
    void errorIsBoldOnlyWhenNotSelected();
    void typeOfUnreachableRowIsError();
    void timeText_data();
    void timeText();
    void fitText_data();
    void fitText();
};

void NotificationDelegatesTest::initTestCase()
{
    registerNotificationMetaTypes();
}

void NotificationDelegatesTest::cells_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("bar");
    QTest::addColumn<QList<QColor>>("ink");

    const QColor read("#F5F5F5"), unread("#E3F2FD"), error("#FFEBEE");
    const QColor blueBar("#2196F3"), redBar("#F44336");
    const QColor dark("#333333"), grey("#666666"), darkRed("#B71C1C");
    for (int column = 0; column < 2; ++column) {
        const QString name = column == 0 ? QStringLiteral("time") : QStringLiteral("module");
        QTest::addRow("%s read", qPrintable(name))
            << column << int(Read) << false << read << read << QList<QColor>{dark};
        QTest::addRow("%s unread", qPrintable(name))
            << column << int(Unread) << false << unread << unread << QList<QColor>{dark};
        QTest::addRow("%s error", qPrintable(name))
            << column << int(Error) << false << error << error << QList<QColor>{darkRed};
        QTest::addRow("%s error selected", qPrintable(name))
            << column << int(Error) << true << highlight << highlight << QList<QColor>{highlightedText};
    }
    QTest::newRow("event read") << 2 << int(Read) << false << read << read << QList<QColor>{dark, grey};
    QTest::newRow("event unread") << 2 << int(Unread) << false << unread << blueBar
                                  << QList<QColor>{dark, grey};
    QTest::newRow("event error") << 2 << int(Error) << false << error << redBar << QList<QColor>{dark, grey};
    QTest::newRow("event error selected")
        << 2 << int(Error) << true << highlight << redBar << QList<QColor>{highlightedText};
    QTest::newRow("event unread selected")
        << 2 << int(Unread) << true << highlight << blueBar << QList<QColor>{highlightedText};
}

void NotificationDelegatesTest::cells()
{
    QFETCH(int, column);
    QFETCH(int, type);
    QFETCH(bool, selected);
    QFETCH(QColor, background);
    QFETCH(QColor, bar);
    QFETCH(QList<QColor>, ink);

    const Rendering cell = render(column, NotificationType(type), selected);
    QCOMPARE(cell.count(unpainted), 0);
    QCOMPARE(cell.at(cellSize.width() - 2, cellSize.height() - 2), background);
    QCOMPARE(cell.at(cellSize.width() - 2, 1), background);
    // The bar is three pixels wide on the left edge; nothing else is drawn there.
    QCOMPARE(cell.at(0, cellSize.height() / 2), bar);
    QCOMPARE(cell.at(1, cellSize.height() / 2), bar);
    QCOMPARE(cell.at(3, cellSize.height() / 2), background);
    for (const QColor& color : ink) {
        QVERIFY2(cell.count(color) > 20, qPrintable(color.name()));
    }
    const QList<QColor> others{QColor("#333333"), QColor("#666666"), QColor("#B71C1C"), highlightedText};
    for (const QColor& color : others) {
        if (!ink.contains(color)) {
            QCOMPARE(cell.count(color), 0);
        }
    }
}

void NotificationDelegatesTest::errorIsBoldOnlyWhenNotSelected_data()
{
    QTest::addColumn<int>("column");
    QTest::newRow("time") << 0;
    QTest::newRow("module") << 1;
}

// Same text, same size: the bold error leaves more ink than the plain unread text.
void NotificationDelegatesTest::errorIsBoldOnlyWhenNotSelected()
{
    QFETCH(int, column);
    const int errorInk = render(column, Error, false).count(QColor("#B71C1C"));
    const int unreadInk = render(column, Unread, false).count(QColor("#333333"));
    QVERIFY2(errorInk > unreadInk, qPrintable(QStringLiteral("%1 vs %2").arg(errorInk).arg(unreadInk)));
    QCOMPARE(render(column, Error, true).count(highlightedText),
             render(column, Unread, true).count(highlightedText));
}

void NotificationDelegatesTest::typeOfUnreachableRowIsError()
{
    NotificationTimeDelegate delegate;
    QCOMPARE(delegate.getNotificationType(QModelIndex()), Error);

    QStandardItemModel twoColumns(1, 2);
    QCOMPARE(delegate.getNotificationType(twoColumns.index(0, 0)), Error);

    QStandardItemModel model(1, 3);
    model.setData(model.index(0, 2), int(Read), TypeRole);
    QCOMPARE(delegate.getNotificationType(model.index(0, 0)), Read);
    QCOMPARE(delegate.getNotificationType(model.index(0, 1)), Read);
}

void NotificationDelegatesTest::timeText_data()
{
    QTest::addColumn<QString>("stamp");
    QTest::addColumn<QString>("shown");
    QTest::newRow("offset, shown in local time") << "2026-12-08T10:00:00+03:00"
                                                 << "08.12.2026 12:00";
    QTest::newRow("UTC") << "2026-12-08T23:30:00Z"
                         << "09.12.2026 04:30";
    QTest::newRow("no zone is local already") << "2026-12-08T10:07:59"
                                              << "08.12.2026 10:07";
    QTest::newRow("not ISO, as received") << "08/12/2026 10:00"
                                          << "08/12/2026 10:00";
    QTest::newRow("empty") << ""
                           << "";
}

void NotificationDelegatesTest::timeText()
{
    QFETCH(QString, stamp);
    QFETCH(QString, shown);
    // Five hours east of UTC, with no daylight saving, whatever the machine's zone.
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "UTC-05:00");
    tzset();
    const QString text = NotificationTimeDelegate::displayText(stamp);
    if (zone.isNull()) {
        qunsetenv("TZ");
    } else {
        qputenv("TZ", zone);
    }
    tzset();
    QCOMPARE(text, shown);
}

void NotificationDelegatesTest::fitText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("cut");
    const QString sentence =
        QStringLiteral("Служба не смогла связаться с ЛМ ЧЗ по адресу 127.0.0.1:5995 в течение трёх попыток");
    QTest::newRow("long, one line") << sentence << 1 << true;
    QTest::newRow("long, two lines") << sentence << 2 << true;
    QTest::newRow("line break kept") << QStringLiteral("Первая\nВторая") << 2 << false;
    QTest::newRow("one long word") << QStringLiteral("Заводскойномерккт").repeated(4) << 2 << true;
}

// The message was wrapped and then cut off by the cell mid-line, the header mid-word.
void NotificationDelegatesTest::fitText()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    QFETCH(bool, cut);
    const QFont font(QStringLiteral("DejaVu Sans"), 9);
    const QFontMetrics metrics(font);
    const FittedText fit = ::fitText(text, font, 200, lines * metrics.lineSpacing() + 2);
    const QStringList& fitted = fit.lines;
    QCOMPARE(fit.cut, cut);
    QCOMPARE(fitted.size(), lines);
    for (const QString& line : fitted) {
        QVERIFY2(metrics.horizontalAdvance(line) <= 200, qPrintable(line));
    }
    QCOMPARE(fitted.last().endsWith(QChar(0x2026)), cut);
    if (!cut) {
        QCOMPARE(fitted.join(' '), QString(text).replace('\n', ' '));
    }
}

QTEST_MAIN(NotificationDelegatesTest)
#include "tst_notificationdelegates.moc"
