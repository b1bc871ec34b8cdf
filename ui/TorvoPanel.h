#pragma once

#include "app/ModuleInfo.h"
#include "ui/ModulePanel.h"

#include <QHash>

class BaseReply;
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
    // A critical box whose lines are those not empty.
    void showCritical(const QString& title, const QStringList& lines);
    // The chain from the set-up on, with the register's details as read for `device`.
    void beginRegistration(const QString& device, const KktInfo& kkt);
    // A start or registration refused: the box says why and for which register.
    void refuseRegistration(const BaseReply* request, const QString& error, const QString& device);
    // Ends a step that cannot go on for want of data; the chain stops quietly.
    bool refuseIncomplete(const QString& currentDevice, const QString& kktSerial, const QString& kktFn,
                          const QString& kktInn);

    QLabel* stateLabel = nullptr;
    QLabel* idLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QtMaterialRaisedButton* upgradeButton = nullptr;
    QtMaterialRaisedButton* registerButton = nullptr;
    bool upgradeInFlight = false;
    // What the service accepted to install, per register, and the version it had then.
    struct AcceptedUpgrade
    {
        QString package;
        QString versionName;
        QString installedVersion;
    };
    QHash<QString, AcceptedUpgrade> acceptedUpgrades;
};
