#include "ui/ServiceSettingsDialog.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/DeviceRequest.h"
#include "network/RequestSender.h"
#include "ui/PlainCriticalBox.h"
#include "widgets/QtMaterialRaisedButton.h"

ServiceSettingsDialog::ServiceSettingsDialog(QWidget* parent, const QString& subject)
    : QDialog(parent)
    , subject(subject)
{
}

RequestCourse ServiceSettingsDialog::course()
{
    // The dialog keeps the device it was opened for: its settings go there, whatever is selected.
    return RequestCourse::keepingDevice(this, QStringLiteral("настроек ") + subject, device);
}

QtMaterialRaisedButton* ServiceSettingsDialog::createSaveButton()
{
    saveButton = new QtMaterialRaisedButton(QStringLiteral("Сохранить"), this);
    saveButton->setHaloVisible(false);
    // Until the service's values are in, saving would write empty fields over them.
    saveButton->setEnabled(false);
    return saveButton;
}

void ServiceSettingsDialog::sendLoad(DeviceRequest* request, const std::function<void(BaseReply*)>& apply)
{
    device = ApplicationState::getInstance()->getCurrentDevice();
    request->setDevice(device);
    RequestSender::send<DeviceRequest>(
        request, course(),
        [this, apply](DeviceRequest* reply) {
            apply(reply);
            saveButton->setEnabled(true);
        },
        [this](const QString& message) {
            // A dialog the operator already closed has nobody left to tell.
            if (isVisible()) {
                showPlainCritical(this, QStringLiteral("Ошибка при загрузке настроек ") + subject, message);
                clearLoadedFields();
            }
        });
}

void ServiceSettingsDialog::sendSave(DeviceRequest* request)
{
    saveButton->setEnabled(false);
    request->setDevice(device);
    RequestSender::send<DeviceRequest>(
        request, course(),
        [this](DeviceRequest*) {
            // The panels show what the service now holds, e.g. ЛМ ЧЗ's new address.
            ApplicationState::getInstance()->refreshAfterChange(device);
            close();
        },
        [this](const QString& message) {
            showPlainCritical(this, QStringLiteral("Ошибка при сохранении настроек ") + subject, message);
            saveButton->setEnabled(true);
        });
}
