#include "ui/LMPanel.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "ui/LmSettingsDialog.h"
#include "ui/PanelStatus.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

LMPanel::LMPanel(QWidget* parent)
    : ModulePanel(parent, QStringLiteral("ЛМ ЧЗ"), LDB, &CriticalModuleNotification::hasCriticalLdb)
{
    setupPanel();
    setupCallbacks();
}

void LMPanel::setupPanel()
{
    statusLabel = addStatusRow(QStringLiteral("Статус:"));
    versionLabel = addRow(QStringLiteral("Версия:"));
    addressLabel = addRow(QStringLiteral("IP:"));
    lastSyncLabel = addRow(QStringLiteral("Последняя синхронизация:"));

    settingsButton = new QtMaterialRaisedButton(QStringLiteral("Настроить адрес"), this);
    settingsButton->setHaloVisible(false);
    settingsButton->hide();
    panelLayout->addWidget(settingsButton, 0, Qt::AlignCenter);
}

void LMPanel::setupCallbacks()
{
    connect(settingsButton, &QtMaterialRaisedButton::clicked, this, &LMPanel::showSettingsDialog);
}

void LMPanel::updateInfo()
{
    const ApplicationState* state = ApplicationState::getInstance();
    const LmInfo info = state->getLmInfo();
    logDebug(panelLogLine(QStringLiteral("Обновление информации о ЛМ: connectionStatus="), info.status,
                          {{QStringLiteral("version"), info.version},
                           {QStringLiteral("ip"), info.address},
                           {QStringLiteral("lastConnection"), info.lastSync}}));
    statusLabel->setText(info.status);
    versionLabel->setText(info.version);
    addressLabel->setText(info.address);
    lastSyncLabel->setText(info.lastSync);
    getStatusIndicator()->setStatus(statusFromText(info.status, QStringLiteral("Готов к работе")));
    showReads();
    // The dialog edits the selected device's settings: without one there is nothing to edit.
    settingsButton->setVisible(!state->getCurrentDevice().isEmpty());
}

void LMPanel::showSettingsDialog()
{
    (new LmSettingsDialog(this))->openFrom(settingsButton);
}
