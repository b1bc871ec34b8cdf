#include "app/CommandLine.h"

#include "app/Settings.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

QString helpText()
{
    QString text = QStringLiteral(
        "Использование: torvo-gui [параметры]\n"
        "\n"
        "Окно оператора для службы Torvo на этом компьютере: состояние службы, ККТ, ЛМ ЧЗ,\n"
        "кассового ПО и ГИС МТ, настройка, запуск, регистрация и обновление службы, её настройки,\n"
        "выгрузка логов и уведомления. Клиент живёт в системном трее; повторный запуск показывает\n"
        "окно уже работающего клиента.\n"
        "\n"
        "Параметры:\n"
        "  -h, --help     показать эту справку\n"
        "  -v, --version  показать версию\n"
        "Стандартные параметры Qt (например, -platform, -style) тоже принимаются.\n");
    // Only where the files would be: nothing is read or created here.
    try {
        text += QStringLiteral("\nФайл настроек (порт службы): %1\nЖурнал: %2\n")
                    .arg(Settings::getSettingsPath(),
                         Settings::getLoggingPath() + QDir::separator() + QStringLiteral("gui.log"));
    } catch (const SettingsError&) {
    }
    return text;
}

} // namespace

QString commandLineAnswer(const QStringList& arguments)
{
    QCommandLineParser parser;
    // One dash and a word is one option, as Qt reads "-platform"; read as single letters,
    // "-reverse" would ask for the version.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // Its errors are the unknown options, which are Qt's or ignored.
    parser.parse(arguments);
    if (parser.isSet(help)) {
        return helpText();
    }
    if (parser.isSet(version)) {
        return QStringLiteral("torvo-gui " TORVO_VERSION "\n");
    }
    return QString();
}
