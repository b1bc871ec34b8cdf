// The settings file with arbitrary content: it reads as its JSON object, or fails with the one
// text for bad JSON; nothing else escapes.
#include "app/Settings.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir directory;
    static const QString path = directory.filePath(QStringLiteral("gui_settings.json"));
    check(directory.isValid(), "a folder for the file");

    const QByteArray content(reinterpret_cast<const char*>(data), int(size));
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size(),
          "the file is written");
    file.close();

    const QJsonDocument document = QJsonDocument::fromJson(content);
    try {
        const QJsonObject object = Settings::getInstance()->readJsonFile(path);
        check(document.isObject() && object == document.object(), "only a JSON object reads, as itself");
    } catch (const SettingsError& error) {
        check(!document.isObject(), "a JSON object is never refused");
        check(std::strcmp(error.what(), "Failed to read settings file - bad json") == 0,
              "bad content fails with the bad-JSON text");
    }
    return 0;
}
