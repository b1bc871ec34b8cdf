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
    QString text = QString::fromUtf8(body);
    text.replace(pattern, QStringLiteral("\\1\"***\""));
    return text.toUtf8();
}
