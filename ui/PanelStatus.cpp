#include "ui/PanelStatus.h"

StatusIndicator::Status statusFromText(const QString& text, const QString& successText)
{
    if (text == QStringLiteral("Неизвестно")) {
        return StatusIndicator::Unknown;
    }
    if (text == successText) {
        return StatusIndicator::Success;
    }
    return text.isEmpty() ? StatusIndicator::Hidden : StatusIndicator::Failure;
}

StatusIndicator::Status shiftStatus(const QString& shiftState)
{
    if (shiftState.isEmpty()) {
        return StatusIndicator::Hidden;
    }
    return shiftState == QStringLiteral("Открыта") ? StatusIndicator::Success : StatusIndicator::Failure;
}

QString panelLogLine(const QString& prefix, const QString& first, const QList<QPair<QString, QString>>& rest)
{
    QString line = prefix + QLatin1Char('`') + first;
    for (const auto& pair : rest) {
        line += QStringLiteral("` ") + pair.first + QStringLiteral("=`") + pair.second;
    }
    return line + QLatin1Char('`');
}

QString loadingText()
{
    return QStringLiteral("Загрузка…");
}

QString readStateLine(const QList<QPair<ReadState, QString>>& reads)
{
    QList<QPair<ReadState, QString>> failed;
    bool loading = false;
    for (const auto& read : reads) {
        if (read.first.phase == ReadState::Failed) {
            failed.append(read);
        }
        loading = loading || read.first.phase == ReadState::Loading;
    }
    if (!failed.isEmpty()) {
        const bool partly = failed.size() < reads.size();
        return QStringLiteral("Нет данных") +
               (partly ? QLatin1Char(' ') + failed.first().second : QString()) + QStringLiteral(": ") +
               failed.first().first.error;
    }
    return loading ? loadingText() : QString();
}
