#include "ui/KKTPanel.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "ui/PanelStatus.h"

#include <QLabel>

KKTPanel::KKTPanel(QWidget* parent)
    : ModulePanel(parent, QStringLiteral("Информация о кассе"), DKKT,
                  &CriticalModuleNotification::hasCriticalDkkt)
{
    setupPanel();
}

void KKTPanel::setupPanel()
{
    modelLabel = addRow(QStringLiteral("Модель:"));
    serialLabel = addRow(QStringLiteral("Заводской номер:"));
    fnLabel = addRow(QStringLiteral("ФН:"));
    rnmLabel = addRow(QStringLiteral("РНМ:"));
    innLabel = addRow(QStringLiteral("ИНН:"));
    shiftLabel = addStatusRow(QStringLiteral("Смена:"));
}

void KKTPanel::updateInfo()
{
    const ApplicationState* state = ApplicationState::getInstance();
    const KktInfo info = state->getKktInfo();
    logDebug(panelLogLine(QStringLiteral("Обновление информации о ККТ: model="), info.modelName,
                          {{QStringLiteral("serial"), info.kktSerial},
                           {QStringLiteral("fn"), info.fnSerial},
                           {QStringLiteral("rnm"), info.kktRnm},
                           {QStringLiteral("inn"), info.kktInn},
                           {QStringLiteral("shift"), info.shiftState}}));
    modelLabel->setText(info.modelName);
    serialLabel->setText(info.kktSerial);
    fnLabel->setText(info.fnSerial);
    rnmLabel->setText(info.kktRnm);
    innLabel->setText(info.kktInn);
    shiftLabel->setText(info.shiftState);
    getStatusIndicator()->setStatus(shiftStatus(info.shiftState));
    showReads();
}
