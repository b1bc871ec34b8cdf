#pragma once

#include <QDialog>

#include <functional>

class BaseReply;
class DeviceRequest;
class QLabel;
class RequestCourse;
class QtMaterialRaisedButton;

// What the two settings dialogs share: the device they were opened for and the line that names
// it, the "Сохранить" button, and the course of the read and the write request with their log
// lines and error boxes.
class ServiceSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // Shows the dialog without blocking. `opener` stays disabled until the dialog finishes; it
    // then takes the keyboard focus back if it had it, and the dialog is deleted.
    void openFrom(QWidget* opener);

protected:
    // `subject` names the settings in log lines and box titles: "ЛМ" or "Torvo".
    ServiceSettingsDialog(QWidget* parent, const QString& subject);

    QtMaterialRaisedButton* createSaveButton();
    // The line over the editors: the register the settings belong to, whether they are still
    // loading, and that they go back to it even when another register is selected meanwhile.
    QLabel* createDeviceLine();
    // Sends the read request for the dialog's device; `apply` copies a successful reply into the
    // widgets, and only then may the operator type and save.
    void sendLoad(DeviceRequest* request, const std::function<void(BaseReply*)>& apply);
    // Sends the write request to the dialog's device; closes once the service accepts it.
    void sendSave(DeviceRequest* request);
    // Empties what a load fills, after a failed load.
    virtual void clearLoadedFields() = 0;

    QtMaterialRaisedButton* saveButton = nullptr;

private:
    enum class Phase
    {
        Loading,
        Loaded,
        LoadFailed
    };

    RequestCourse course();
    void setPhase(Phase next);
    void showDeviceLine();
    // A box about the dialog's device: the error, the service's own reason, the register.
    void showFailure(const QString& title, const QString& message, const BaseReply* request);

    const QString subject;
    // The device the dialog was opened for; its settings go back there even if the selection moves.
    const QString device;
    Phase phase = Phase::Loading;
    QLabel* deviceLine = nullptr;
};
