#include "ui/TorvoSettingsDialog.h"

#include "app/Logger.h"
#include "network/RequestTorvoSettings.h"
#include "network/RequestTorvoSettingsUpdate.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTextField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

TorvoSettingsDialog::TorvoSettingsDialog(QWidget* parent)
    : ServiceSettingsDialog(parent, QStringLiteral("Torvo"))
{
    setupUI();
    setupCallbacks();
    loadSettings();
}

void TorvoSettingsDialog::setupUI()
{
    setWindowTitle(QStringLiteral("Настройки Torvo"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // Higher than the editors need alone: the line that names the register stands above them.
    setFixedSize(400, 190);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(10, 10, 10, 10);

    layout->addWidget(createDeviceLine());

    auto* grid = new QGridLayout();
    compatibilityModeBox = new QCheckBox(this);
    remoteConnectionBox = new QCheckBox(this);
    // No wider than its box, which its focus border then frames.
    compatibilityModeBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    remoteConnectionBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    gismtAddressField = new QtMaterialTextField(this);
    gismtAddressField->setPlaceholderText(QStringLiteral("Введите IP адрес"));
    const QList<QPair<QString, QWidget*>> rows{
        {QStringLiteral("Режим совместимости:"), compatibilityModeBox},
        {QStringLiteral("Режим удалённого подключения:"), remoteConnectionBox},
        {QStringLiteral("Адрес ГИСМТ:"), gismtAddressField},
    };
    for (int row = 0; row < rows.size(); ++row) {
        auto* caption = new QLabel(rows.at(row).first, this);
        // A screen reader names the editor by its caption.
        caption->setBuddy(rows.at(row).second);
        grid->addWidget(caption, row, 0);
        grid->addWidget(rows.at(row).second, row, 1);
    }

    createSaveButton();

    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(saveButton, 1, Qt::AlignCenter);
}

void TorvoSettingsDialog::setupCallbacks()
{
    connect(saveButton, &QtMaterialRaisedButton::clicked, this, &TorvoSettingsDialog::saveSettings);
}

void TorvoSettingsDialog::clearLoadedFields()
{
    compatibilityModeBox->setChecked(false);
    remoteConnectionBox->setChecked(false);
    gismtAddressField->clear();
}

void TorvoSettingsDialog::loadSettings()
{
    sendLoad(new RequestTorvoSettings(this), [this](BaseReply* reply) {
        if (auto* settings = qobject_cast<RequestTorvoSettings*>(reply)) {
            compatibilityModeBox->setChecked(settings->getCompatibilityMode());
            remoteConnectionBox->setChecked(settings->getAllowRemoteConnection());
            gismtAddressField->setText(settings->getGismtAddress());
            // The narrow field shows where the address begins, not where it ends.
            gismtAddressField->setCursorPosition(0);
        }
    });
}

void TorvoSettingsDialog::saveSettings()
{
    logDebug(QStringLiteral("Сохранение настроек Torvo ..."));
    auto* request = new RequestTorvoSettingsUpdate(this);
    request->setCompatibilityMode(compatibilityModeBox->isChecked());
    request->setAllowRemoteConnection(remoteConnectionBox->isChecked());
    request->setGismtAddress(gismtAddressField->text());
    sendSave(request);
}
