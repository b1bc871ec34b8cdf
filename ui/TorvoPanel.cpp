#include "ui/TorvoPanel.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/RequestRegistration.h"
#include "network/RequestSender.h"
#include "network/RequestSetupTorvo.h"
#include "network/RequestStartTorvo.h"
#include "network/RequestUpgradeTorvo.h"
#include "ui/PanelStatus.h"
#include "ui/StatusLine.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QVariant>

namespace {

const char* const registrationTitle = "Ошибка регистрации";
const char* const missingRegistrationData = "Недостаточно данных для регистрации Torvo";
const char* const registrationFailed = "Не удалось зарегистрировать Torvo";

// The operator's actions on the service end for the device they were started on.
RequestCourse course(QObject* context, const char* subject, const QString& device)
{
    return RequestCourse::keepingDevice(context, QString::fromUtf8(subject), device);
}

} // namespace

TorvoPanel::TorvoPanel(QWidget* parent)
    : ModulePanel(parent, QStringLiteral("Torvo"), TORVO, &CriticalModuleNotification::hasCriticalTorvo)
{
    setupPanel();
    setupCallbacks();
}

void TorvoPanel::setupPanel()
{
    stateLabel = addRow(QStringLiteral("Состояние:"));
    idLabel = addRow(QStringLiteral("ID:"));

    versionLabel = createValueLabel(this);
    upgradeButton = new QtMaterialRaisedButton(QStringLiteral("Обновить Torvo"), this);
    upgradeButton->setProperty("class", QStringLiteral("revertButton"));
    upgradeButton->setHaloVisible(false);
    upgradeButton->hide();
    auto* versionRow = new QHBoxLayout();
    versionRow->addWidget(versionLabel, 0, Qt::AlignLeft);
    versionRow->addWidget(upgradeButton, 0, Qt::AlignRight | Qt::AlignTop);
    addLayoutRow(QStringLiteral("Версия:"), versionRow, versionLabel);

    registerButton = new QtMaterialRaisedButton(QStringLiteral("Зарегистрировать"), this);
    registerButton->setHaloVisible(false);
    registerButton->hide();
    panelLayout->addSpacing(10);
    panelLayout->addWidget(registerButton, 0, Qt::AlignCenter);
}

void TorvoPanel::setupCallbacks()
{
    connect(registerButton, &QtMaterialRaisedButton::clicked, this, &TorvoPanel::setupTorvo);
    connect(upgradeButton, &QtMaterialRaisedButton::clicked, this, &TorvoPanel::updateTorvo);
}

void TorvoPanel::updateInfo()
{
    const ApplicationState* state = ApplicationState::getInstance();
    const TorvoInfo info = state->getTorvoInfo();
    logDebug(panelLogLine(QStringLiteral("Обновление информации о Torvo: status="), info.state,
                          {{QStringLiteral("serial"), info.velkorId},
                           {QStringLiteral("version"), info.version},
                           {QStringLiteral("isAvailable"), QString::number(info.hasUpdate ? 1 : 0)},
                           {QStringLiteral("package"), info.updatePackage},
                           {QStringLiteral("version"), info.updateVersion}}));
    // Only what the service said of this device may offer a registration: its state, or its
    // answer that it has no instance for the register, which is what set-up is for. A read on its
    // way or failed otherwise says nothing, and the service may well be registered already.
    const ReadState torvoRead = state->getReadState(StatusRead::Torvo);
    registerButton->setVisible(!info.registered &&
                               (torvoRead.phase == ReadState::Read || torvoRead.isNotFound()));
    stateLabel->setText(info.state);
    idLabel->setText(info.velkorId);
    versionLabel->setText(info.version);
    // One upgrade at a time: the button comes back with the first redraw after its request ends.
    upgradeButton->setVisible(info.hasUpdate && !upgradeInFlight);
    if (torvoRead.isNotFound()) {
        getReadLine()->showStatus(QStringLiteral("Служба Torvo для этой кассы не настроена (ответ 404)"),
                                  StatusLine::Quiet);
    } else {
        showReads();
    }
}

void TorvoPanel::showCritical(const QString& title, const QString& text)
{
    QMessageBox::critical(this, title, text);
}

void TorvoPanel::setupTorvo()
{
    logDebug(QStringLiteral("Запрос запуска службы Torvo ..."));
    const QString device = ApplicationState::getInstance()->getCurrentDevice();
    const KktInfo kkt = ApplicationState::getInstance()->getKktInfo();
    if (device.isEmpty() || kkt.kktSerial.isEmpty() || kkt.fnSerial.isEmpty() || kkt.kktInn.isEmpty()) {
        Logger::getInstance()->error(missingRegistrationData);
        showCritical(QString::fromUtf8(registrationTitle), QString::fromUtf8(missingRegistrationData));
        return;
    }
    // The service registers only while the cash register's shift is open.
    if (kkt.shiftState != QStringLiteral("Открыта")) {
        Logger::getInstance()->error("Смена не открыта");
        showCritical(QString::fromUtf8(registrationTitle), QStringLiteral("Смена не открыта"));
        return;
    }

    registerButton->setEnabled(false);
    auto* request = new RequestSetupTorvo(this);
    request->setId(device);
    const QString kktSerial = kkt.kktSerial;
    const QString kktFn = kkt.fnSerial;
    const QString kktInn = kkt.kktInn;
    RequestSender::send<RequestSetupTorvo>(
        request, course(this, "регистрации службы Torvo", device),
        [=](RequestSetupTorvo*) { registerTorvo(device, kktSerial, kktFn, kktInn); },
        // A service that is already set up refuses the set-up; starting it is what is left.
        [=](const QString&) { startTorvo(device, kktSerial, kktFn, kktInn); });
}

bool TorvoPanel::refuseIncomplete(const QString& currentDevice, const QString& kktSerial,
                                  const QString& kktFn, const QString& kktInn)
{
    if (!currentDevice.isEmpty() && !kktSerial.isEmpty() && !kktFn.isEmpty() && !kktInn.isEmpty()) {
        return false;
    }
    Logger::getInstance()->error(missingRegistrationData);
    registerButton->setEnabled(true);
    return true;
}

void TorvoPanel::startTorvo(QString currentDevice, QString kktSerial, QString kktFn, QString kktInn)
{
    logDebug(QStringLiteral("Запрос старта службы Torvo ..."));
    if (refuseIncomplete(currentDevice, kktSerial, kktFn, kktInn)) {
        return;
    }
    auto* request = new RequestStartTorvo(this);
    request->setDevice(currentDevice);
    RequestSender::send<RequestStartTorvo>(
        request, course(this, "запуска Torvo", currentDevice),
        [=](RequestStartTorvo*) { registerTorvo(currentDevice, kktSerial, kktFn, kktInn); },
        [this](const QString&) {
            showCritical(QString::fromUtf8(registrationTitle), QString::fromUtf8(registrationFailed));
            registerButton->setEnabled(true);
        });
}

void TorvoPanel::registerTorvo(QString currentDevice, QString kktSerial, QString kktFn, QString kktInn)
{
    logDebug(QStringLiteral("Запрос регистрации Torvo ..."));
    if (refuseIncomplete(currentDevice, kktSerial, kktFn, kktInn)) {
        return;
    }
    auto* request = new RequestRegistration(this);
    request->setId(currentDevice);
    request->setKktSerial(kktSerial);
    request->setFnSerial(kktFn);
    request->setKktInn(kktInn);
    RequestSender::send<RequestRegistration>(
        request, course(this, "регистрации Torvo", currentDevice),
        [this](RequestRegistration*) {
            ApplicationState::getInstance()->refreshInfo();
            registerButton->setEnabled(true);
        },
        [this](const QString&) {
            showCritical(QString::fromUtf8(registrationTitle), QString::fromUtf8(registrationFailed));
            registerButton->setEnabled(true);
        });
}

void TorvoPanel::updateTorvo()
{
    logDebug(QStringLiteral("Запрос обновления Torvo ..."));
    const TorvoInfo torvo = ApplicationState::getInstance()->getTorvoInfo();
    const KktInfo kkt = ApplicationState::getInstance()->getKktInfo();
    const QString device = ApplicationState::getInstance()->getCurrentDevice();
    if (device.isEmpty() || torvo.updatePackage.isEmpty() || torvo.updateVersion.isEmpty()) {
        const QString text = QStringLiteral("Недостаточно данных для обновления Torvo");
        showCritical(QStringLiteral("Ошибка обновления"), text);
        Logger::getInstance()->error(text.toStdString());
        return;
    }
    // Only a closed shift lets the upgrade run at once; otherwise the service queues it.
    if (kkt.shiftState != QStringLiteral("Закрыта")) {
        const auto answer = QMessageBox::question(
            this, QStringLiteral("Обновление Torvo"),
            QStringLiteral("Обновление сейчас невозможно, так как смена не закрыта. Поставить обновление в "
                           "очередь, чтобы оно выполнилось после закрытия смены?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            return;
        }
    }

    upgradeButton->hide();
    upgradeInFlight = true;
    auto* request = new RequestUpgradeTorvo(this);
    request->setDevice(device);
    request->setPackage(torvo.updatePackage);
    request->setVersionName(torvo.updateVersion);
    RequestSender::send<RequestUpgradeTorvo>(
        request, course(this, "обновления Torvo", device),
        [this, device](RequestUpgradeTorvo*) {
            upgradeInFlight = false;
            // The version, or the update still on offer, as the service now sees them.
            ApplicationState::getInstance()->refreshAfterChange(device);
            QMessageBox::information(this, QStringLiteral("Обновление Torvo"),
                                     QStringLiteral("Обновление Torvo успешно поставлено в очередь"));
        },
        [this](const QString&) {
            upgradeInFlight = false;
            showCritical(QStringLiteral("Ошибка обновления"), QStringLiteral("Не удалось обновить Torvo"));
        });
}
