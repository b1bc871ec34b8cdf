#pragma once

#include "ui/ModulePanel.h"

class QtMaterialRaisedButton;

// ЛМ ЧЗ for the selected device, with the button that opens its connection settings.
class LMPanel : public ModulePanel
{
    Q_OBJECT

public:
    explicit LMPanel(QWidget* parent = nullptr);

    QtMaterialRaisedButton* getSettingsButton() const { return settingsButton; }

public slots:
    void updateInfo() override;
    void showSettingsDialog();

private:
    void setupPanel();
    void setupCallbacks();

    QLabel* statusLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* addressLabel = nullptr;
    QLabel* lastSyncLabel = nullptr;
    QtMaterialRaisedButton* settingsButton = nullptr;
};
