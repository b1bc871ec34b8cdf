#include "ui/TorvoSettingsDialog.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/NetworkManager.h"
#include "network/RequestTorvoSettings.h"
#include "network/RequestTorvoSettingsUpdate.h"
#include "ui/PlainCriticalBox.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTextField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

void logDebug(const QString& message)
{
    Logger::getInstance()->debug(message.toStdString());
}

const char* const replySubject = "Обработка ответа на запрос настроек Torvo";

QString errorLine(const QString& message)
{
    return QString::fromUtf8(replySubject) + QStringLiteral(": error: `") + message + QLatin1Char('`');
}

} // namespace

TorvoSettingsDialog::TorvoSettingsDialog(QWidget* parent)
    : QDialog(parent)
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

    saveButton = new QtMaterialRaisedButton(QStringLiteral("Сохранить"), this);
    saveButton->setHaloVisible(false);

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
    auto* request = new RequestTorvoSettings(this);
    device = ApplicationState::getInstance()->getCurrentDevice();
    request->setDevice(device);
    connect(request, &BaseReply::success, this, [this, request](BaseReply* reply) {
        logDebug(QString::fromUtf8(replySubject) + QStringLiteral(": success"));
        if (auto* settings = qobject_cast<RequestTorvoSettings*>(reply)) {
            compatibilityModeBox->setChecked(settings->getCompatibilityMode());
            remoteConnectionBox->setChecked(settings->getAllowRemoteConnection());
            gismtAddressField->setText(settings->getGismtAddress());
            // The narrow field shows where the address begins, not where it ends.
            gismtAddressField->setCursorPosition(0);
        }
        request->deleteLater();
    });
    connect(request, &BaseReply::error, this, [this, request](const QString& message) {
        logDebug(errorLine(message));
        // A dialog the operator already closed has nobody left to tell.
        if (isVisible()) {
            showPlainCritical(this, QStringLiteral("Ошибка при загрузке настроек Torvo"), message);
            clearLoadedFields();
        }
        request->deleteLater();
    });
    NetworkManager::getInstance()->executeRequest(request);
}

void TorvoSettingsDialog::saveSettings()
{
    logDebug(QStringLiteral("Сохранение настроек Torvo ..."));
    saveButton->setEnabled(false);
    auto* request = new RequestTorvoSettingsUpdate(this);
    request->setDevice(device);
    request->setCompatibilityMode(compatibilityModeBox->isChecked());
    request->setAllowRemoteConnection(remoteConnectionBox->isChecked());
    request->setGismtAddress(gismtAddressField->text());
    connect(request, &BaseReply::success, this, [this, request]() {
        logDebug(QString::fromUtf8(replySubject) + QStringLiteral(": success"));
        close();
        request->deleteLater();
    });
    connect(request, &BaseReply::error, this, [this, request](const QString& message) {
        logDebug(errorLine(message));
        showPlainCritical(this, QStringLiteral("Ошибка при сохранении настроек Torvo"), message);
        saveButton->setEnabled(true);
        request->deleteLater();
    });
    NetworkManager::getInstance()->executeRequest(request);
}
