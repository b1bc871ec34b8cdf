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
    setFixedSize(400, 150);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(10, 10, 10, 10);

    auto* grid = new QGridLayout();
    compatibilityModeBox = new QCheckBox(this);
    remoteConnectionBox = new QCheckBox(this);
    gismtAddressField = new QtMaterialTextField(this);
    gismtAddressField->setPlaceholderText(QStringLiteral("Введите IP адрес"));
    grid->addWidget(new QLabel(QStringLiteral("Режим совместимости:"), this), 0, 0);
    grid->addWidget(compatibilityModeBox, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Режим удалённого подключения:"), this), 1, 0);
    grid->addWidget(remoteConnectionBox, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Адрес ГИСМТ:"), this), 2, 0);
    grid->addWidget(gismtAddressField, 2, 1);

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
