#include "app/QtTranslation.h"

#include "app/Logger.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const QString fileName = QStringLiteral("qtbase_ru.qm");

} // namespace

QStringList qtTranslationFolders()
{
    return {QCoreApplication::applicationDirPath(), QLibraryInfo::location(QLibraryInfo::TranslationsPath)};
}

QString installQtTranslation(const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder), fileName);
        // Only this file: given a name, QTranslator would also try shorter ones ("qtbase.qm").
        if (!file.isFile()) {
            continue;
        }
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(file.filePath()) && QCoreApplication::installTranslator(translator)) {
            logInfo(QStringLiteral("Перевод Qt: ") + QDir::toNativeSeparators(file.filePath()));
            return file.filePath();
        }
        delete translator;
    }
    QStringList tried;
    for (const QString& folder : folders) {
        tried << QDir::toNativeSeparators(folder);
    }
    logError(QStringLiteral("Перевод Qt (%1) не найден в %2: кнопки и системные сообщения Qt останутся "
                            "на английском")
                 .arg(fileName, tried.join(QStringLiteral(", "))));
    return QString();
}
