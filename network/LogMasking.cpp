#include "network/LogMasking.h"

#include <QRegularExpression>

QByteArray maskSecretsForLog(const QByteArray& body)
{
    if (!body.contains("assword")) {
        return body;
    }
    // A JSON value: a string with escapes, or a bare scalar (number, true, false, null).
    static const QRegularExpression pattern(
        QStringLiteral(R"re(("(?:password|newPassword)"\s*:\s*)(?:"(?:[^"\\]|\\.)*"|[^\s,\}\]]+))re"));
    // Latin-1 maps each byte to one character and back, so bytes that are not UTF-8 and NUL bytes
    // (where the QByteArray overloads would stop) reach the log unchanged.
    QString text = QString::fromLatin1(body.constData(), body.size());
    text.replace(pattern, QStringLiteral("\\1\"***\""));
    return text.toLatin1();
}
