#pragma once

#include <QDialog>

class QCheckBox;
class QtMaterialRaisedButton;
class QtMaterialTextField;

// Edits the service's own options for the selected device: loads them when built, sends the
// edited ones on "Сохранить" and closes once the service accepts them.
class TorvoSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TorvoSettingsDialog(QWidget* parent);

    void setupUI();
    void setupCallbacks();
    void loadSettings();
    void saveSettings();

private:
    void clearLoadedFields();

    QCheckBox* compatibilityModeBox = nullptr;
    QCheckBox* remoteConnectionBox = nullptr;
    QtMaterialTextField* gismtAddressField = nullptr;
    QtMaterialRaisedButton* saveButton = nullptr;
    // The device the dialog was opened for; its settings go back there even if the selection moves.
    QString device;
};
