#include "ui/InfoPage.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/RequestSaveLogs.h"
#include "network/RequestSender.h"
#include "ui/BoxText.h"
#include "ui/FittedScrollArea.h"
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

    auto* panels = new QWidget(this);
    auto* panelsLayout = new QVBoxLayout(panels);
    panelsLayout->setContentsMargins(0, 0, 0, 0);
    panelsLayout->addLayout(upperRow);
    panelsLayout->addWidget(gisPanel);
    // The panels scroll when their lines outgrow the page, the buttons under them never do: they
    // are most needed exactly when the lines say that something failed.
    auto* panelArea = new FittedScrollArea(this);
    panelArea->setObjectName(QStringLiteral("panelArea"));
    panelArea->setWidget(panels);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panelArea);
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
    // A refresh lasts as long as the service's slowest answer: the button says it is under way.
    connect(ApplicationState::getInstance(), &ApplicationState::roundsChanged, updateButton, [this]() {
        updateButton->setText(ApplicationState::getInstance()->isInfoRoundRunning()
                                  ? QStringLiteral("Обновление информации ...")
                                  : QStringLiteral("Обновить информацию"));
    });
    connect(saveLogsButton, &QtMaterialRaisedButton::clicked, this, &InfoPage::saveServiceLogs);
    connect(settingsButton, &QtMaterialRaisedButton::clicked, this, &InfoPage::showSettingsDialog);
}

void InfoPage::showSettingsDialog()
{
    logInfo(QStringLiteral("Показ настроек Torvo ..."));
    if (ApplicationState::getInstance()->getCurrentDevice().isEmpty()) {
        logError(QStringLiteral("Не выбрано устройство"));
        return;
    }
    (new TorvoSettingsDialog(this))->openFrom(settingsButton);
}

void InfoPage::saveServiceLogs()
{
    logInfo(QStringLiteral("Сохранение сервисных логи ..."));
    saveLogsHadFocus = saveLogsButton->hasFocus();
    saveLogsButton->setEnabled(false);

    const QString device = ApplicationState::getInstance()->getCurrentDevice();
    if (device.isEmpty()) {
        logError(QStringLiteral("Не выбрано устройство"));
        showPlainCritical(this, QStringLiteral("Ошибка при выгрузке логов"),
                          QStringLiteral("Не выбрано устройство"));
        endLogExport();
        return;
    }

    const QString folder =
        chooseFolder(QStringLiteral("Выберите папку для сохранения логов ") + device, QDir::homePath());
    if (folder.isEmpty()) {
        logError(QStringLiteral("Не выбрана папка для сохранения логов"));
        endLogExport();
        return;
    }

    // The request reads the port from the settings as it is built, i.e. at this click.
    auto* request = new RequestSaveLogs(this);
    request->setDevice(device);
    request->setPath(folder);
    sendLogExport(request, device, folder, QStringLiteral("Сервисные логи сохранены"),
                  QStringLiteral("Ошибка при сохранении сервисных логи: "),
                  QStringLiteral("Ошибка при выгрузке сервисных логов"));
}

void InfoPage::endLogExport()
{
    saveLogsButton->setEnabled(true);
    // Disabled, the button passed the focus on: an operator at the keyboard goes on where they were.
    if (saveLogsHadFocus) {
        saveLogsButton->setFocus(Qt::OtherFocusReason);
    }
    saveLogsHadFocus = false;
}

void InfoPage::saveBusinessLogs(const QString& device, const QString& folder)
{
    logInfo(QStringLiteral("Сохранение бизнес логи ..."));
    auto* request = new RequestSaveLogs(this);
    request->useBusinessLog();
    request->setDevice(device);
    request->setPath(folder);
    sendLogExport(request, device, folder, QStringLiteral("Бизнес логи сохранены"),
                  QStringLiteral("Ошибка при сохранении бизнес логи: "),
                  QStringLiteral("Ошибка при выгрузке бизнес логов"));
}

void InfoPage::sendLogExport(RequestSaveLogs* request, const QString& device, const QString& folder,
                             const QString& savedLine, const QString& errorPrefix, const QString& errorTitle)
{
    // The export ends for the device it was started on, whatever is selected meanwhile; the box
    // names it.
    const QString deviceLine = BoxText::deviceLine(device);
    RequestSender::send<RequestSaveLogs>(
        request, RequestCourse::keepingDevice(this, QString(), device),
        [this, savedLine, deviceLine, folder](RequestSaveLogs*) {
            logInfo(savedLine);
            showPlainInformation(
                this, QStringLiteral("Выгрузка логов Velkor"),
                BoxText::join({QStringLiteral("Логи успешно выгружены"), deviceLine,
                               QStringLiteral("Папка: ") + QDir::toNativeSeparators(folder)}));
            endLogExport();
        },
        [this, request, deviceLine, errorPrefix, errorTitle](const QString& message) {
            logError(errorPrefix + message);
            showPlainCritical(this, errorTitle,
                              BoxText::join({QStringLiteral("Не удалось выгрузить логи"),
                                             BoxText::failure(request, message), deviceLine}));
            endLogExport();
        });
}
