#include "LogExport.h"

#include "SimDevice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace LogExport {

QString fileName(Kind kind, const QString& device, const QDateTime& now)
{
    QString safe = device;
    safe.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    if (safe.isEmpty() || safe.startsWith(QLatin1Char('.'))) {
        safe.prepend(QLatin1Char('_'));
    }
    return QStringLiteral("torvo-%1_%2_%3.log")
        .arg(kind == Kind::Service ? QStringLiteral("service") : QStringLiteral("business"), safe,
             now.toString(QStringLiteral("yyyyMMdd-HHmmss")));
}

QStringList businessLines(const SimDevice& device, const QDateTime& now)
{
    QRandomGenerator generator(qHash(device.id));
    QStringList lines;
    QDateTime at = now.addSecs(-4 * 3600);
    for (int receipt = 1; at < now; ++receipt) {
        const int positions = generator.bounded(1, 8);
        const int marked = generator.bounded(0, positions + 1);
        lines.append(QStringLiteral("%1 INFO  [business] Чек №%2: продажа, позиций: %3, кодов маркировки "
                                    "проверено: %4, сумма %5,%6 ₽")
                         .arg(at.toString(QStringLiteral("yyyy.MM.dd HH:mm:ss.zzz")))
                         .arg(receipt)
                         .arg(positions)
                         .arg(marked)
                         .arg(generator.bounded(60, 9000))
                         .arg(generator.bounded(100), 2, 10, QLatin1Char('0')));
        at = at.addSecs(generator.bounded(60, 900));
    }
    return lines;
}

SimReply write(const QString& folder, const QString& name, const QStringList& lines)
{
    if (folder.isEmpty()) {
        return SimReply::error(400, QStringLiteral("Не указана папка для сохранения логов"));
    }
    if (QDir::isRelativePath(folder)) {
        return SimReply::error(400, QStringLiteral("Путь к папке должен быть абсолютным: ") + folder);
    }
    const QFileInfo info(folder);
    if (!info.exists()) {
        return SimReply::error(404, QStringLiteral("Папка не найдена: ") + folder);
    }
    if (!info.isDir()) {
        return SimReply::error(400, QStringLiteral("Указанный путь не является папкой: ") + folder);
    }

    const QDir dir(folder);
    const QString base = name.left(name.lastIndexOf(QLatin1Char('.')));
    QFile file;
    for (int n = 1; n < 100; ++n) {
        file.setFileName(dir.filePath(n == 1 ? name : QStringLiteral("%1 (%2).log").arg(base).arg(n)));
        // NewOnly: never overwrite what the operator already keeps there.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            break;
        }
        if (!file.exists()) {
            return SimReply::error(403, QStringLiteral("Нет доступа к папке: ") + folder);
        }
    }
    if (!file.isOpen()) {
        return SimReply::error(409, QStringLiteral("В папке слишком много файлов с таким именем: ") + folder);
    }
    QByteArray content;
    for (const QString& line : lines) {
        content += line.toUtf8() + '\n';
    }
    if (file.write(content) != content.size() || !file.flush()) {
        file.remove();
        return SimReply::error(500, QStringLiteral("Не удалось записать файл: ") + file.fileName());
    }
    file.close();
    return SimReply::json(QJsonObject{{QStringLiteral("file"), QDir::toNativeSeparators(file.fileName())}});
}

} // namespace LogExport
