#include "ui/PanelStatus.h"

#include <QStringList>

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

QString readStateLine(const QList<QPair<ReadState, QString>>& reads)
{
    const QPair<ReadState, QString>* firstFailed = nullptr;
    int failed = 0;
    bool loading = false;
    for (const auto& read : reads) {
        if (read.first.phase == ReadState::Failed && failed++ == 0) {
            firstFailed = &read;
        }
        loading = loading || read.first.phase == ReadState::Loading;
    }
    if (firstFailed) {
        const QString part = failed < reads.size() ? QLatin1Char(' ') + firstFailed->second : QString();
        return QStringLiteral("Нет данных") + part + QStringLiteral(": ") + firstFailed->first.said();
    }
    return loading ? QStringLiteral("Загрузка…") : QString();
}

QString readStateDetails(const QList<QPair<ReadState, QString>>& reads)
{
    QStringList errors;
    for (const auto& read : reads) {
        if (read.first.isFailed()) {
            errors << read.first.error;
        }
    }
    return errors.join(QLatin1Char('\n'));
}
