#include "ui/SoftwarePanel.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "ui/PanelStatus.h"

#include <QLabel>

SoftwarePanel::SoftwarePanel(QWidget* parent)
    : ModulePanel(parent, QStringLiteral("Кассовое ПО"), CLIENT_SOFTWARE,
                  &CriticalModuleNotification::hasCriticalSoftware)
{
    setupPanel();
}

void SoftwarePanel::setupPanel()
{
    statusLabel = addStatusRow(QStringLiteral("Статус:"));
    versionLabel = addRow(QStringLiteral("Версия:"));
    nameLabel = addRow(QStringLiteral("Название:"));
}

void SoftwarePanel::updateInfo()
{
    const ApplicationState* state = ApplicationState::getInstance();
    const SoftwareInfo info = state->getSoftwareInfo();
    logDebug(panelLogLine(QStringLiteral("Обновление информации о ПО: version="), info.version,
                          {{QStringLiteral("status"), info.status}}));
    statusLabel->setText(info.status);
    versionLabel->setText(info.version);
    nameLabel->setText(info.name);
    getStatusIndicator()->setStatus(statusFromText(info.status, QStringLiteral("Стабильно")));
    showReads();
}
