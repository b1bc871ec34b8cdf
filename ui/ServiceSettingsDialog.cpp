#include "ui/ServiceSettingsDialog.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/DeviceRequest.h"
#include "network/NetworkManager.h"
#include "ui/PlainCriticalBox.h"
#include "widgets/QtMaterialRaisedButton.h"

ServiceSettingsDialog::ServiceSettingsDialog(QWidget* parent, const QString& subject)
    : QDialog(parent)
    , subject(subject)
{
}

QString ServiceSettingsDialog::replyLine(const QString& outcome) const
{
    return QStringLiteral("Обработка ответа на запрос настроек ") + subject + QStringLiteral(": ") + outcome;
}

QtMaterialRaisedButton* ServiceSettingsDialog::createSaveButton()
{
    saveButton = new QtMaterialRaisedButton(QStringLiteral("Сохранить"), this);
    saveButton->setHaloVisible(false);
    return saveButton;
}

void ServiceSettingsDialog::sendLoad(DeviceRequest* request, const std::function<void(BaseReply*)>& apply)
{
    device = ApplicationState::getInstance()->getCurrentDevice();
    request->setDevice(device);
    connect(request, &BaseReply::success, this, [this, request, apply](BaseReply* reply) {
        logDebug(replyLine(QStringLiteral("success")));
        apply(reply);
        request->deleteLater();
    });
    connect(request, &BaseReply::error, this, [this, request](const QString& message) {
        logDebug(replyLine(QStringLiteral("error: `") + message + QLatin1Char('`')));
        // A dialog the operator already closed has nobody left to tell.
        if (isVisible()) {
            showPlainCritical(this, QStringLiteral("Ошибка при загрузке настроек ") + subject, message);
            clearLoadedFields();
        }
        request->deleteLater();
    });
    NetworkManager::getInstance()->executeRequest(request);
}

void ServiceSettingsDialog::sendSave(DeviceRequest* request)
{
    saveButton->setEnabled(false);
    request->setDevice(device);
    connect(request, &BaseReply::success, this, [this, request]() {
        logDebug(replyLine(QStringLiteral("success")));
        close();
        request->deleteLater();
    });
    connect(request, &BaseReply::error, this, [this, request](const QString& message) {
        logDebug(replyLine(QStringLiteral("error: `") + message + QLatin1Char('`')));
        showPlainCritical(this, QStringLiteral("Ошибка при сохранении настроек ") + subject, message);
        saveButton->setEnabled(true);
        request->deleteLater();
    });
    NetworkManager::getInstance()->executeRequest(request);
}
