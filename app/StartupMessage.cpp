#include "app/StartupMessage.h"

#include "app/ConsoleOutput.h"
#include "app/Logger.h"
#include "app/Settings.h"
#include "app/Startup.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>

namespace {

const char* const title = "Запуск Torvo";

bool screenShown()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

QString configFolder()
{
    try {
        return Settings::getPathConfig();
    } catch (const SettingsError&) {
        return QString();
    }
}

QMessageBox* makeBox(QMessageBox::Icon icon, const QString& text, QWidget* parent)
{
    auto* box = new QMessageBox(icon, QString::fromUtf8(title), text, QMessageBox::Ok, parent);
    box->setWindowIcon(QIcon(QStringLiteral(":/images/gui_velkor.ico")));
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

} // namespace

void reportStartupFailure(const QString& reason)
{
    writeToConsole(ConsoleStream::Error, reason + QLatin1Char('\n'));
    if (!screenShown()) {
        return;
    }
    QString text = QStringLiteral("Клиент Torvo не запущен.\n\n") + reason;
    const QString folder = configFolder();
    if (!folder.isEmpty()) {
        text += QStringLiteral("\n\nПапка настроек и журнала клиента:\n") + folder;
    }
    makeBox(QMessageBox::Critical, text, nullptr)->exec();
}

void reportUnwritten(const StartupOutcome& outcome)
{
    writeToConsole(ConsoleStream::Error, outcome.unwritten.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    logError(QStringLiteral("Не записано в папку клиента: ") + outcome.unwritten.join(QStringLiteral("; ")));
}

void showUnwritten(const StartupOutcome& outcome, QWidget* window)
{
    if (!screenShown()) {
        return;
    }
    QString consequences;
    if (!outcome.logging) {
        consequences += QStringLiteral("Журнал не ведётся.\n");
    }
    if (outcome.defaultPort) {
        consequences +=
            QStringLiteral("Служба ищется на порту по умолчанию, %1.\n").arg(Settings::defaultPort);
    }
    const QString text =
        QStringLiteral("Клиент Torvo работает, но не может писать в свою папку\n%1:\n\n%2\n\n%3"
                       "Попросите администратора дать вашей учётной записи право изменять "
                       "эту папку.")
            .arg(configFolder(), outcome.unwritten.join(QLatin1Char('\n')), consequences);
    QMessageBox* box = makeBox(QMessageBox::Warning, text, window);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
