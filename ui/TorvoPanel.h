#pragma once

#include "ui/ModulePanel.h"

class QtMaterialRaisedButton;

// The service itself for the selected device, and the operator's actions on it: registration
// (set-up, start on a failed set-up, then registration) and the upgrade.
class TorvoPanel : public ModulePanel
{
    Q_OBJECT

public:
    explicit TorvoPanel(QWidget* parent = nullptr);

    QtMaterialRaisedButton* getRegisterButton() const { return registerButton; }
    QtMaterialRaisedButton* getUpgradeButton() const { return upgradeButton; }

public slots:
    void updateInfo() override;
    void updateTorvo();
    void setupTorvo();
    void startTorvo(QString currentDevice, QString kktSerial, QString kktFn, QString kktInn);
    void registerTorvo(QString currentDevice, QString kktSerial, QString kktFn, QString kktInn);

private:
    void setupPanel();
    void setupCallbacks();
    void showCritical(const QString& title, const QString& text);
    // Ends a step that cannot go on for want of data; the chain stops quietly.
    bool refuseIncomplete(const QString& currentDevice, const QString& kktSerial, const QString& kktFn,
                          const QString& kktInn);

    QLabel* stateLabel = nullptr;
    QLabel* idLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QtMaterialRaisedButton* upgradeButton = nullptr;
    QtMaterialRaisedButton* registerButton = nullptr;
    bool upgradeInFlight = false;
};
