// Secrets never reach gui.log in clear text; everything else of a body is logged as it is.
#include "network/LogMasking.h"

#include <QtTest>

class LogMaskingTest : public QObject
{
    Q_OBJECT

private slots:
    void mask_data();
    void mask();
};

void LogMaskingTest::mask_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("logged");
    QTest::newRow("no secret") << QByteArray("{\"login\": \"op\"}") << QByteArray("{\"login\": \"op\"}");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("indented") << QByteArray(
                                     "{\n    \"login\": \"op\",\n    \"password\": \"s3cr\\\"et\"\n}\n")
                              << QByteArray("{\n    \"login\": \"op\",\n    \"password\": \"***\"\n}\n");
    QTest::newRow("both keys compact") << QByteArray(R"({"password":"a","newPassword":"b, c}"})")
                                       << QByteArray(R"({"password":"***","newPassword":"***"})");
    QTest::newRow("number value") << QByteArray(R"({"password": 12345, "port": 1})")
                                  << QByteArray(R"({"password": "***", "port": 1})");
    QTest::newRow("nested") << QByteArray(R"({"lm": {"password": "x"}})")
                            << QByteArray(R"({"lm": {"password": "***"}})");
    QTest::newRow("cyrillic secret") << QByteArray("{\"password\": \"пароль\"}")
                                     << QByteArray("{\"password\": \"***\"}");
    QTest::newRow("other key ending alike")
        << QByteArray(R"({"oldpassword": "x"})") << QByteArray(R"({"oldpassword": "x"})");
    // Every byte outside the secret is kept, also where the body is not UTF-8 text.
    const char withNul[] = "{\"port\": 1,\0\"password\": \"x\"}";
    const char withNulMasked[] = "{\"port\": 1,\0\"password\": \"***\"}";
    QTest::newRow("NUL byte") << QByteArray(withNul, sizeof withNul - 1)
                              << QByteArray(withNulMasked, sizeof withNulMasked - 1);
    QTest::newRow("not UTF-8") << QByteArray("{\"password\": \"a\xff\", \"x\": \"\xe9t\xe9\"}")
                               << QByteArray("{\"password\": \"***\", \"x\": \"\xe9t\xe9\"}");
    QTest::newRow("value mentioning password")
        << QByteArray(R"({"text": "wrong password"})") << QByteArray(R"({"text": "wrong password"})");
}

void LogMaskingTest::mask()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, logged);
    QCOMPARE(maskSecretsForLog(body), logged);
}

QTEST_APPLESS_MAIN(LogMaskingTest)
#include "tst_logmasking.moc"
