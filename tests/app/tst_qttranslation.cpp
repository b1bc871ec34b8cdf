// Qt's own texts in Russian: which file is taken from where, a question box's buttons, and
// Qt's words for a failed exchange.
#include "app/QtTranslation.h"
#include "network/NetworkManager.h"
#include "network/RequestKKTList.h"

#include "TestEnvironment.h"
#include "TestServer.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

class QtTranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void firstFileThatLoads_data();
    void firstFileThatLoads();
    void httpErrorInRussian();

private:
    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    QTemporaryDir beside;  // a good copy, as the Windows build ships it
    QTemporaryDir damaged; // a file of that name that is no translation
    QTemporaryDir shorter; // only "qtbase.qm", a name QTranslator would try on its own
    QString qtFolder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
};

void QtTranslationTest::initTestCase()
{
    environment = std::make_unique<TestEnvironment>(server.port());
    const QString system = qtFolder + QStringLiteral("/qtbase_ru.qm");
    QVERIFY2(QFile::exists(system), "Qt's Russian translation is installed (scripts/install-deps)");
    QVERIFY(QFile::copy(system, beside.filePath(QStringLiteral("qtbase_ru.qm"))));
    QVERIFY(QFile::copy(system, shorter.filePath(QStringLiteral("qtbase.qm"))));
    QFile junk(damaged.filePath(QStringLiteral("qtbase_ru.qm")));
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a translation") > 0);
}

void QtTranslationTest::cleanup()
{
    qDeleteAll(qApp->findChildren<QTranslator*>());
}

void QtTranslationTest::firstFileThatLoads_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("loaded"); // empty: none
    const QString qt = qtFolder + QStringLiteral("/qtbase_ru.qm");
    QTest::newRow("beside the program first")
        << QStringList{beside.path(), qtFolder} << beside.filePath(QStringLiteral("qtbase_ru.qm"));
    QTest::newRow("Qt's own when none beside") << QStringList{shorter.path(), qtFolder} << qt;
    QTest::newRow("a damaged file passed over") << QStringList{damaged.path(), qtFolder} << qt;
    QTest::newRow("none") << QStringList{shorter.path(), damaged.path()} << QString();
}

void QtTranslationTest::firstFileThatLoads()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, loaded);
    LogReader log;

    QCOMPARE(installQtTranslation(folders), loaded);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Удалить все"), QString(),
                    QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), loaded.isEmpty() ? "&Yes" : "&Да");
    QCOMPARE(box.button(QMessageBox::No)->text(), loaded.isEmpty() ? "&No" : "&Нет");
    // One line either way: which file, or that Qt stays English and where it was looked for.
    QCOMPARE(log.lines().size(), 1);
    QVERIFY2(log.lines().first().contains(loaded.isEmpty() ? " ERROR [GUI] " : " INFO  [GUI] "),
             qPrintable(log.lines().first()));
    QVERIFY(log.contains(loaded.isEmpty() ? QDir::toNativeSeparators(folders.last())
                                          : QDir::toNativeSeparators(loaded)));
}

// The one text Qt leaves English when an HTTP status is an error.
void QtTranslationTest::httpErrorInRussian()
{
    QVERIFY(!installQtTranslation().isEmpty());
    server.setJson(QStringLiteral("GET"), QStringLiteral("/api/v1/dkktList"), "{}", 500);
    auto* request = new RequestKKTList(this);
    QSignalSpy failed(request, &BaseReply::error);
    NetworkManager::getInstance()->executeRequest(request);
    QVERIFY(failed.wait(20000));
    const QString message = failed.first().first().toString();
    QVERIFY2(message.startsWith(QStringLiteral("Ошибка сети: Ошибка передачи http://127.0.0.1:")) &&
                 message.endsWith(QStringLiteral("Internal Server Error")),
             qPrintable(message));
    delete request;
}

QTEST_MAIN(QtTranslationTest)
#include "tst_qttranslation.moc"
