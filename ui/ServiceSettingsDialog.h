#pragma once

#include <QDialog>

#include <functional>

class BaseReply;
class DeviceRequest;
class RequestCourse;
class QtMaterialRaisedButton;

// What the two settings dialogs share: the device they were opened for, the "Сохранить" button,
// and the course of the read and the write request with their log lines and error boxes.
class ServiceSettingsDialog : public QDialog
{
    Q_OBJECT

protected:
    // `subject` names the settings in log lines and box titles: "ЛМ" or "Torvo".
    ServiceSettingsDialog(QWidget* parent, const QString& subject);

    QtMaterialRaisedButton* createSaveButton();
    // Sends the read request for the selected device, which the dialog then keeps; `apply`
    // copies a successful reply into the widgets, and only then may the operator save.
    void sendLoad(DeviceRequest* request, const std::function<void(BaseReply*)>& apply);
    // Sends the write request to the dialog's device; closes once the service accepts it.
    void sendSave(DeviceRequest* request);
    // Empties what a load fills, after a failed load.
    virtual void clearLoadedFields() = 0;

    QtMaterialRaisedButton* saveButton = nullptr;

private:
    RequestCourse course();

    const QString subject;

    // The device the dialog was opened for; its settings go back there even if the selection moves.
    QString device;
};
