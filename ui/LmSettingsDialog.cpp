#include "ui/LmSettingsDialog.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/NetworkManager.h"
#include "network/RequestLMSettings.h"
#include "network/RequestLMSettingsUpdate.h"
#include "ui/PlainCriticalBox.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTextField.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

void logDebug(const QString& message)
{
    Logger::getInstance()->debug(message.toStdString());
}

const char* const replySubject = "Обработка ответа на запрос настроек ЛМ";

QString errorLine(const QString& message)
{
    return QString::fromUtf8(replySubject) + QStringLiteral(": error: `") + message + QLatin1Char('`');
}

} // namespace

LmSettingsDialog::LmSettingsDialog(QWidget* parent)
    : QDialog(parent)
{
    setupUI();
    setupCallbacks();
    loadSettings();
}

QtMaterialTextField* LmSettingsDialog::addField(QGridLayout* grid, int row, const QString& caption,
                                                const QString& placeholder)
{
    grid->addWidget(new QLabel(caption, this), row, 0);
    auto* field = new QtMaterialTextField(this);
    field->setPlaceholderText(placeholder);
    grid->addWidget(field, row, 1);
    return field;
}

void LmSettingsDialog::setupUI()
{
    setWindowTitle(QStringLiteral("Настройки ЛМ ЧЗ"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(400, 300);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(5);
    layout->setContentsMargins(5, 5, 5, 5);

    auto* grid = new QGridLayout();
    addressField = addField(grid, 0, QStringLiteral("Адрес:"), QStringLiteral("Введите IP адрес"));
    portField = addField(grid, 1, QStringLiteral("Порт:"), QStringLiteral("Введите порт"));
    loginField = addField(grid, 2, QStringLiteral("Логин:"), QStringLiteral("Введите логин"));
    passwordField = addField(grid, 3, QStringLiteral("Пароль:"), QStringLiteral("Введите пароль"));
    newPasswordField =
        addField(grid, 4, QStringLiteral("Новый пароль:"), QStringLiteral("Введите новый пароль"));

    saveButton = new QtMaterialRaisedButton(QStringLiteral("Сохранить"), this);
    saveButton->setHaloVisible(false);

    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(saveButton, 1, Qt::AlignCenter);
}

void LmSettingsDialog::setupCallbacks()
{
    connect(saveButton, &QtMaterialRaisedButton::clicked, this, &LmSettingsDialog::saveSettings);
}

void LmSettingsDialog::clearLoadedFields()
{
    addressField->clear();
    portField->clear();
    loginField->clear();
    passwordField->clear();
}

void LmSettingsDialog::loadSettings()
{
    logDebug(QStringLiteral("Загрузка настроек ЛМ ..."));
    auto* request = new RequestLMSettings(this);
    device = ApplicationState::getInstance()->getCurrentDevice();
    request->setDevice(device);
    connect(request, &BaseReply::success, this, [this, request](BaseReply* reply) {
        logDebug(QString::fromUtf8(replySubject) + QStringLiteral(": success"));
        if (auto* settings = qobject_cast<RequestLMSettings*>(reply)) {
            addressField->setText(settings->getAddress());
            portField->setText(settings->getPort());
            loginField->setText(settings->getLogin());
            passwordField->setText(settings->getPassword());
        }
        request->deleteLater();
    });
    connect(request, &BaseReply::error, this, [this, request](const QString& message) {
        logDebug(errorLine(message));
        // A dialog the operator already closed has nobody left to tell.
        if (isVisible()) {
            showPlainCritical(this, QStringLiteral("Ошибка при загрузке настроек ЛМ"), message);
            clearLoadedFields();
        }
        request->deleteLater();
    });
    NetworkManager::getInstance()->executeRequest(request);
}

void LmSettingsDialog::saveSettings()
{
    logDebug(QStringLiteral("Сохранение настроек ЛМ ..."));
    saveButton->setEnabled(false);
    auto* request = new RequestLMSettingsUpdate(this);
    request->setDevice(device);
    request->setAddress(addressField->text());
    request->setPort(portField->text());
    request->setLogin(loginField->text());
    request->setPassword(passwordField->text());
    request->setNewPassword(newPasswordField->text());
    connect(request, &BaseReply::success, this, [this, request]() {
        logDebug(QString::fromUtf8(replySubject) + QStringLiteral(": success"));
        close();
        request->deleteLater();
    });
    connect(request, &BaseReply::error, this, [this, request](const QString& message) {
        logDebug(errorLine(message));
        showPlainCritical(this, QStringLiteral("Ошибка при сохранении настроек ЛМ"), message);
        saveButton->setEnabled(true);
        request->deleteLater();
    });
    NetworkManager::getInstance()->executeRequest(request);
}
