#include "ui/BoxText.h"

#include "app/ReadState.h"
#include "network/BaseReply.h"

QString BoxText::deviceLine(const QString& device)
{
    return QStringLiteral("Касса: ") + device;
}

QString BoxText::reason(const BaseReply* request, const QString& fallback)
{
    const QString said = request ? request->getServiceReason() : QString();
    return said.isEmpty() ? fallback : said;
}

QString BoxText::failure(const BaseReply* request, const QString& error)
{
    return reason(request, request ? ReadState::failed(*request, error).said() : error);
}

QString BoxText::join(const QStringList& lines)
{
    QStringList shown = lines;
    shown.removeAll(QString());
    // A refusal whose message already is the service's reason says it once.
    shown.removeDuplicates();
    return shown.join(QLatin1Char('\n'));
}
