#include "ui/InfoPage.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/RequestSaveLogs.h"
#include "network/RequestSender.h"
#include "ui/GISPanel.h"
#include "ui/KKTPanel.h"
#include "ui/LMPanel.h"
#include "ui/PlainCriticalBox.h"
#include "ui/SoftwarePanel.h"
#include "ui/TorvoPanel.h"
#include "ui/TorvoSettingsDialog.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QVariant>

namespace {

QString standardFolderChooser(const QString& caption, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(nullptr, caption, startFolder, QFileDialog::ShowDirsOnly);
}

} // namespace

InfoPage::InfoPage(QWidget* parent)
    : QWidget(parent)
    , chooseFolder(standardFolderChooser)
{
    setupUI();
    setupCallbacks();
}

QList<ModulePanel*> InfoPage::getPanels() const
{
    return {torvoPanel, kktPanel, lmPanel, softwarePanel, gisPanel};
}

void InfoPage::setFolderChooser(FolderChooser chooser)
{
    chooseFolder = chooser ? std::move(chooser) : FolderChooser(standardFolderChooser);
}

QtMaterialRaisedButton* InfoPage::createButton(const QString& text, bool secondary)
{
    auto* button = new QtMaterialRaisedButton(text, this);
    if (secondary) {
        button->setProperty("class", QStringLiteral("revertButton"));
    }
    button->setHaloVisible(false);
    return button;
}

void InfoPage::setupUI()
{
    torvoPanel = new TorvoPanel(this);
    lmPanel = new LMPanel(this);
    kktPanel = new KKTPanel(this);
    softwarePanel = new SoftwarePanel(this);
    gisPanel = new GISPanel(this);
    settingsButton = createButton(QStringLiteral("Настройки"), true);
    updateButton = createButton(QStringLiteral("Обновить информацию"), false);
    saveLogsButton = createButton(QStringLiteral("Сохранить логи"), true);

    auto* leftColumn = new QVBoxLayout();
    leftColumn->setContentsMargins(0, 0, 0, 0);
    leftColumn->setSpacing(0);
    leftColumn->addWidget(torvoPanel);
    leftColumn->addWidget(lmPanel);
    leftColumn->addStretch();

    auto* rightColumn = new QVBoxLayout();
    rightColumn->setContentsMargins(0, 0, 0, 0);
    rightColumn->setSpacing(0);
    rightColumn->addWidget(kktPanel);
    rightColumn->addWidget(softwarePanel);
    rightColumn->addStretch();

    auto* upperRow = new QHBoxLayout();
    // Equal halves, whatever length of text either column holds.
    upperRow->addLayout(leftColumn, 1);
    upperRow->addLayout(rightColumn, 1);

    auto* buttonRow = new QGridLayout();
    buttonRow->addWidget(settingsButton, 0, 0, Qt::AlignLeft);
    buttonRow->addWidget(updateButton, 0, 1, Qt::AlignCenter);
    buttonRow->addWidget(saveLogsButton, 0, 2, Qt::AlignRight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(upperRow);
    layout->addWidget(gisPanel);
    layout->addSpacing(10);
    layout->addLayout(buttonRow);
    layout->addSpacing(10);
    layout->addStretch();
}

void InfoPage::setupCallbacks()
{
    // Each panel redraws when its module's record changes.
    for (ModulePanel* panel : getPanels()) {
        connect(ApplicationState::getInstance(), ApplicationState::recordChanged(panel->getModule()), panel,
                &ModulePanel::updateInfo);
    }
    connect(saveLogsButton, &QtMaterialRaisedButton::clicked, this, &InfoPage::saveServiceLogs);
    connect(settingsButton, &QtMaterialRaisedButton::clicked, this, &InfoPage::showSettingsDialog);
}

void InfoPage::showSettingsDialog()
{
    Logger::getInstance()->info("Показ настроек Torvo ...");
    if (ApplicationState::getInstance()->getCurrentDevice().isEmpty()) {
        Logger::getInstance()->error("Не выбрано устройство");
        return;
    }
    settingsButton->setEnabled(false);
    auto* dialog = new TorvoSettingsDialog(this);
    connect(dialog, &QDialog::finished, this, [this, dialog]() {
        settingsButton->setEnabled(true);
        dialog->deleteLater();
    });
    dialog->show();
}

void InfoPage::saveServiceLogs()
{
    Logger::getInstance()->info("Сохранение сервисных логи ...");
    saveLogsButton->setEnabled(false);

    const QString device = ApplicationState::getInstance()->getCurrentDevice();
    if (device.isEmpty()) {
        Logger::getInstance()->error("Не выбрано устройство");
        showPlainCritical(this, QStringLiteral("Ошибка при выгрузке логов"),
                          QStringLiteral("Не выбрано устройство"));
        saveLogsButton->setEnabled(true);
        return;
    }

    const QString folder =
        chooseFolder(QStringLiteral("Выберите папку для сохранения логов ") + device, QDir::homePath());
    if (folder.isEmpty()) {
        Logger::getInstance()->error("Не выбрана папка для сохранения логов");
        saveLogsButton->setEnabled(true);
        return;
    }

    // The request reads the port from the settings as it is built, i.e. at this click.
    auto* request = new RequestSaveLogs(this);
    request->setDevice(device);
    request->setPath(folder);
    sendLogExport(request, "Сервисные логи сохранены",
                  QStringLiteral("Ошибка при сохранении сервисных логи: "),
                  QStringLiteral("Ошибка при выгрузке сервисных логов"));
}

void InfoPage::saveBusinessLogs(const QString& device, const QString& folder)
{
    Logger::getInstance()->info("Сохранение бизнес логи ...");
    auto* request = new RequestSaveLogs(this);
    request->useBusinessLog();
    request->setDevice(device);
    request->setPath(folder);
    sendLogExport(request, "Бизнес логи сохранены", QStringLiteral("Ошибка при сохранении бизнес логи: "),
                  QStringLiteral("Ошибка при выгрузке бизнес логов"));
}

void InfoPage::sendLogExport(RequestSaveLogs* request, const char* savedLine, const QString& errorPrefix,
                             const QString& errorTitle)
{
    // The export ends for the device it was started on, whatever is selected meanwhile.
    RequestSender::send<RequestSaveLogs>(
        request, RequestCourse::keepingDevice(this, QString(), request->getDevice()),
        [this, savedLine](RequestSaveLogs*) {
            Logger::getInstance()->info(savedLine);
            QMessageBox::information(this, QStringLiteral("Выгрузка логов Velkor"),
                                     QStringLiteral("Логи успешно выгружены"));
            saveLogsButton->setEnabled(true);
        },
        [this, errorPrefix, errorTitle](const QString& message) {
            logError(errorPrefix + message);
            // The reason, on a line of its own, may be the service's own words.
            showPlainCritical(this, errorTitle, QStringLiteral("Не удалось выгрузить логи\n") + message);
            saveLogsButton->setEnabled(true);
        });
}
