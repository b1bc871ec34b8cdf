#include "ui/GISPanel.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "ui/LocalTimeText.h"
#include "ui/PanelStatus.h"

#include <QLabel>

GISPanel::GISPanel(QWidget* parent)
    : ModulePanel(parent, QStringLiteral("ГИС МТ"), GISMT, &CriticalModuleNotification::hasCriticalGismt)
{
    setupPanel();
}

void GISPanel::setupPanel()
{
    statusLabel = addStatusRow(QStringLiteral("Статус:"));
    idLabel = addRow(QStringLiteral("ID:"));
    lastSyncLabel = addRow(QStringLiteral("Последняя синхронизация:"));
}

void GISPanel::updateInfo()
{
    const ApplicationState* state = ApplicationState::getInstance();
    const GismtInfo info = state->getGismtInfo();
    logDebug(panelLogLine(QStringLiteral("Обновление информации о ГИС МТ: connectionStatus="), info.status,
                          {{QStringLiteral("lastConnection"), info.lastConnection}}));
    statusLabel->setText(info.status);
    idLabel->setText(info.gismtVelkorId);
    lastSyncLabel->setText(localTimeText(info.lastConnection));
    getStatusIndicator()->setStatus(statusFromText(info.status, QStringLiteral("Стабильно")));
    showReads();
}
