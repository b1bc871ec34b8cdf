// The status dot and the pure texts behind the panels: status-text mapping, shift mapping, the
// redraw log line and the line that says what of a panel is not known.
#include "ui/PanelStatus.h"
#include "ui/StatusIndicator.h"

#include <QtTest>

class StatusIndicatorTest : public QObject
{
    Q_OBJECT

private slots:
    void statusFromText_data();
    void statusFromText();
    void shiftStatus_data();
    void shiftStatus();
    void indicatorLook_data();
    void indicatorLook();
    void startsUnknownAndRound();
    void sameStatusKeepsStyle();
    void hiddenDotReturns();
    void logLine_data();
    void logLine();
    void readLine_data();
    void readLine();
};

void StatusIndicatorTest::statusFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("successText");
    QTest::addColumn<int>("expected");

    const QString stable = QStringLiteral("Стабильно");
    const QString ready = QStringLiteral("Готов к работе");
    QTest::newRow("unknown") << QStringLiteral("Неизвестно") << stable << int(StatusIndicator::Unknown);
    QTest::newRow("success") << stable << stable << int(StatusIndicator::Success);
    QTest::newRow("lm success") << ready << ready << int(StatusIndicator::Success);
    QTest::newRow("other panel's success") << stable << ready << int(StatusIndicator::Failure);
    QTest::newRow("lower case") << QStringLiteral("стабильно") << stable << int(StatusIndicator::Failure);
    QTest::newRow("trailing space") << QStringLiteral("Стабильно ") << stable
                                    << int(StatusIndicator::Failure);
    QTest::newRow("unknown lower case")
        << QStringLiteral("неизвестно") << stable << int(StatusIndicator::Failure);
    QTest::newRow("error text") << QStringLiteral("Нет связи с ГИС МТ") << stable
                                << int(StatusIndicator::Failure);
    QTest::newRow("empty") << QString() << stable << int(StatusIndicator::Hidden);
}

void StatusIndicatorTest::statusFromText()
{
    QFETCH(QString, text);
    QFETCH(QString, successText);
    QFETCH(int, expected);
    QCOMPARE(int(::statusFromText(text, successText)), expected);
}

void StatusIndicatorTest::shiftStatus_data()
{
    QTest::addColumn<QString>("shift");
    QTest::addColumn<int>("expected");
    QTest::newRow("open") << QStringLiteral("Открыта") << int(StatusIndicator::Success);
    QTest::newRow("closed") << QStringLiteral("Закрыта") << int(StatusIndicator::Failure);
    QTest::newRow("expired") << QStringLiteral("Истекла") << int(StatusIndicator::Failure);
    QTest::newRow("lower case") << QStringLiteral("открыта") << int(StatusIndicator::Failure);
    QTest::newRow("unknown") << QStringLiteral("Неизвестно") << int(StatusIndicator::Failure);
    QTest::newRow("empty") << QString() << int(StatusIndicator::Hidden);
}

void StatusIndicatorTest::shiftStatus()
{
    QFETCH(QString, shift);
    QFETCH(int, expected);
    QCOMPARE(int(::shiftStatus(shift)), expected);
}

void StatusIndicatorTest::indicatorLook_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("color");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("visible");
    QTest::newRow("success") << int(StatusIndicator::Success) << "#4CAF50" << QStringLiteral("Успешно")
                             << true;
    QTest::newRow("failure") << int(StatusIndicator::Failure) << "#F44336" << QStringLiteral("Ошибка")
                             << true;
    QTest::newRow("hidden") << int(StatusIndicator::Hidden) << "#9E9E9E" << QStringLiteral("Неизвестно")
                            << false;
}

void StatusIndicatorTest::indicatorLook()
{
    QFETCH(int, status);
    QFETCH(QString, color);
    QFETCH(QString, toolTip);
    QFETCH(bool, visible);

    QWidget parent;
    auto* dot = new StatusIndicator(&parent, 7);
    dot->setStatus(StatusIndicator::Status(status));
    QCOMPARE(int(dot->getStatus()), status);
    QCOMPARE(dot->styleSheet(),
             QStringLiteral("background-color: %1; border: 1px solid #ccc; border-radius: 7px;").arg(color));
    QCOMPARE(dot->toolTip(), toolTip);
    QCOMPARE(!dot->isHidden(), visible);
}

void StatusIndicatorTest::startsUnknownAndRound()
{
    QWidget parent;
    auto* dot = new StatusIndicator(&parent, 9);
    QCOMPARE(dot->getStatus(), StatusIndicator::Unknown);
    QCOMPARE(dot->toolTip(), QStringLiteral("Неизвестно"));
    QVERIFY(!dot->isHidden());
    QCOMPARE(dot->minimumSize(), QSize(9, 9));
    QCOMPARE(dot->maximumSize(), QSize(9, 9));
    QCOMPARE(dot->styleSheet(),
             QStringLiteral("background-color: #9E9E9E; border: 1px solid #ccc; border-radius: 9px;"));
}

void StatusIndicatorTest::sameStatusKeepsStyle()
{
    QWidget parent;
    auto* dot = new StatusIndicator(&parent, 7);
    dot->setStatus(StatusIndicator::Failure);
    dot->setStyleSheet(QStringLiteral("marker"));
    dot->setStatus(StatusIndicator::Failure);
    QCOMPARE(dot->styleSheet(), QStringLiteral("marker"));
    dot->setStatus(StatusIndicator::Success);
    QVERIFY(dot->styleSheet().contains(QStringLiteral("#4CAF50")));
}

void StatusIndicatorTest::hiddenDotReturns()
{
    QWidget parent;
    auto* dot = new StatusIndicator(&parent, 7);
    parent.show();
    dot->setStatus(StatusIndicator::Hidden);
    QVERIFY(!dot->isVisible());
    dot->setStatus(StatusIndicator::Failure);
    QVERIFY(dot->isVisible());
    QCOMPARE(dot->toolTip(), QStringLiteral("Ошибка"));
    dot->setStatus(StatusIndicator::Unknown);
    QVERIFY(dot->isVisible());
    QCOMPARE(dot->toolTip(), QStringLiteral("Неизвестно"));
}

void StatusIndicatorTest::logLine_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QStringList>("rest"); // key, value, key, value ...
    QTest::addColumn<QString>("expected");

    QTest::newRow("one value") << QStringLiteral("Обновление информации о ПО: version=")
                               << QStringLiteral("6.9") << QStringList()
                               << QStringLiteral("Обновление информации о ПО: version=`6.9`");
    QTest::newRow("two values") << QStringLiteral("Обновление информации о ГИС МТ: connectionStatus=")
                                << QStringLiteral("Стабильно")
                                << QStringList{QStringLiteral("lastConnection"), QStringLiteral("2026-12-01")}
                                << QStringLiteral(
                                       "Обновление информации о ГИС МТ: connectionStatus=`Стабильно` "
                                       "lastConnection=`2026-12-01`");
    QTest::newRow("empty values") << QStringLiteral("p=") << QString()
                                  << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b"),
                                                 QString()}
                                  << QStringLiteral("p=`` a=`` b=``");
}

void StatusIndicatorTest::logLine()
{
    QFETCH(QString, prefix);
    QFETCH(QString, first);
    QFETCH(QStringList, rest);
    QFETCH(QString, expected);
    QList<QPair<QString, QString>> pairs;
    for (int i = 0; i + 1 < rest.size(); i += 2) {
        pairs.append({rest.at(i), rest.at(i + 1)});
    }
    QCOMPARE(panelLogLine(prefix, first, pairs), expected);
}

void StatusIndicatorTest::readLine_data()
{
    QTest::addColumn<QString>("phases"); // one letter per read: n not asked, l loading, f failed, r read
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing asked") << "n" << QString();
    QTest::newRow("read") << "rr" << QString();
    QTest::newRow("loading") << "rl" << QStringLiteral("Загрузка…");
    QTest::newRow("the one read failed") << "f" << QStringLiteral("Нет данных: e0");
    QTest::newRow("one part failed") << "rf" << QStringLiteral("Нет данных об адресе: e1");
    QTest::newRow("a failure before loading") << "lf" << QStringLiteral("Нет данных об адресе: e1");
    QTest::newRow("both failed") << "ff" << QStringLiteral("Нет данных: e0");
}

void StatusIndicatorTest::readLine()
{
    QFETCH(QString, phases);
    QFETCH(QString, expected);
    const QStringList words{QStringLiteral("о статусе"), QStringLiteral("об адресе")};
    QList<QPair<ReadState, QString>> reads;
    for (int i = 0; i < phases.size(); ++i) {
        ReadState read;
        read.phase = ReadState::Phase(QStringLiteral("nlfr").indexOf(phases.at(i))); // in the enum's order
        read.error = QStringLiteral("e%1").arg(i);
        reads.append({read, words.at(i)});
    }
    QCOMPARE(readStateLine(reads), expected);
}

QTEST_MAIN(StatusIndicatorTest)
#include "tst_statusindicator.moc"
