#pragma once

#include "ui/ServiceSettingsDialog.h"

class QCheckBox;
class QtMaterialTextField;

// Edits the service's own options for the selected device: loads them when built, sends the
// edited ones on "Сохранить" and closes once the service accepts them.
class TorvoSettingsDialog : public ServiceSettingsDialog
{
    Q_OBJECT

public:
    explicit TorvoSettingsDialog(QWidget* parent);

    void setupUI();
    void setupCallbacks();
    void loadSettings();
    void saveSettings();

private:
    void clearLoadedFields() override;

    QCheckBox* compatibilityModeBox = nullptr;
    QCheckBox* remoteConnectionBox = nullptr;
    QtMaterialTextField* gismtAddressField = nullptr;
};
