#include "ui/TorvoPanel.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/RequestKKTStatus.h"
#include "network/RequestRegistration.h"
#include "network/RequestSender.h"
#include "network/RequestSetupTorvo.h"
#include "network/RequestStartTorvo.h"
#include "network/RequestUpgradeTorvo.h"
#include "ui/BoxText.h"
#include "ui/PanelStatus.h"
#include "ui/PlainCriticalBox.h"
#include "ui/StatusLine.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QVariant>

namespace {

const QString registrationTitle = QStringLiteral("Ошибка регистрации");
const QString missingRegistrationData = QStringLiteral("Недостаточно данных для регистрации Torvo");
const QString registrationFailed = QStringLiteral("Не удалось зарегистрировать Torvo");
const QString shiftNotOpen = QStringLiteral("Смена не открыта");
const QString openShift = QStringLiteral("Открыта");

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
    // One upgrade at a time: the button comes back with the first redraw after its request ends,
    // unless the service accepted it: then only a new version or another offer brings it back.
    auto accepted = acceptedUpgrades.find(state->getCurrentDevice());
    if (accepted != acceptedUpgrades.end() && !info.version.isEmpty() &&
        info.version != accepted->installedVersion) {
        acceptedUpgrades.erase(accepted); // installed: done with
        accepted = acceptedUpgrades.end();
    }
    const bool alreadyAccepted = accepted != acceptedUpgrades.end() &&
                                 accepted->package == info.updatePackage &&
                                 accepted->versionName == info.updateVersion;
    upgradeButton->setVisible(info.hasUpdate && !upgradeInFlight && !alreadyAccepted);
    if (torvoRead.isNotFound()) {
        getReadLine()->showStatus(QStringLiteral("Служба Torvo для этой кассы не настроена (ответ 404)"),
                                  StatusLine::Quiet);
    } else {
        showReads();
    }
}

void TorvoPanel::showCritical(const QString& title, const QStringList& lines)
{
    showPlainCritical(this, title, BoxText::join(lines));
}

void TorvoPanel::setupTorvo()
{
    logDebug(QStringLiteral("Запрос запуска службы Torvo ..."));
    const QString device = ApplicationState::getInstance()->getCurrentDevice();
    const KktInfo kkt = ApplicationState::getInstance()->getKktInfo();
    if (device.isEmpty() || kkt.kktSerial.isEmpty() || kkt.fnSerial.isEmpty() || kkt.kktInn.isEmpty()) {
        logError(missingRegistrationData);
        showCritical(registrationTitle,
                     {missingRegistrationData, device.isEmpty() ? QString() : BoxText::deviceLine(device)});
        return;
    }
    registerButton->setEnabled(false);
    if (kkt.shiftState == openShift) {
        beginRegistration(device, kkt);
        return;
    }
    // The service registers only while the shift is open, and the record may be older than the
    // shift: only the cash register's answer now refuses.
    auto* request = new RequestKKTStatus(this);
    request->setSerial(device);
    RequestSender::send<RequestKKTStatus>(
        request, course(this, "статуса ККТ", device),
        [this, device, kkt](RequestKKTStatus* reply) {
            const KktInfo fresh = reply->getKktInfo();
            // The cash register panel shows the shift as it is now.
            if (fresh.shiftState != kkt.shiftState &&
                ApplicationState::getInstance()->getCurrentDevice() == device) {
                ApplicationState::getInstance()->refreshKktStatus();
            }
            if (fresh.shiftState != openShift) {
                logError(shiftNotOpen);
                showCritical(registrationTitle, {shiftNotOpen, BoxText::deviceLine(device)});
                registerButton->setEnabled(true);
                return;
            }
            beginRegistration(device, fresh);
        },
        [this, device, request](const QString& error) {
            logError(QStringLiteral("Не удалось узнать состояние смены: ") + error);
            showCritical(registrationTitle, {QStringLiteral("Не удалось узнать состояние смены"),
                                             BoxText::failure(request, error), BoxText::deviceLine(device)});
            registerButton->setEnabled(true);
        });
}

void TorvoPanel::beginRegistration(const QString& device, const KktInfo& kkt)
{
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
    logError(missingRegistrationData);
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
        [this, request, currentDevice](const QString& error) {
            refuseRegistration(request, error, currentDevice);
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
        [this, request, currentDevice](const QString& error) {
            refuseRegistration(request, error, currentDevice);
        });
}

void TorvoPanel::refuseRegistration(const BaseReply* request, const QString& error, const QString& device)
{
    showCritical(registrationTitle,
                 {registrationFailed, BoxText::failure(request, error), BoxText::deviceLine(device)});
    registerButton->setEnabled(true);
}

void TorvoPanel::updateTorvo()
{
    logDebug(QStringLiteral("Запрос обновления Torvo ..."));
    const TorvoInfo torvo = ApplicationState::getInstance()->getTorvoInfo();
    const KktInfo kkt = ApplicationState::getInstance()->getKktInfo();
    const QString device = ApplicationState::getInstance()->getCurrentDevice();
    if (device.isEmpty() || torvo.updatePackage.isEmpty() || torvo.updateVersion.isEmpty()) {
        const QString text = QStringLiteral("Недостаточно данных для обновления Torvo");
        showCritical(QStringLiteral("Ошибка обновления"),
                     {text, device.isEmpty() ? QString() : BoxText::deviceLine(device)});
        logError(text);
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
        [this, device, torvo](RequestUpgradeTorvo*) {
            upgradeInFlight = false;
            // Accepted, it is not offered again for this register until the service's version
            // or its offer changes.
            acceptedUpgrades.insert(device,
                                    AcceptedUpgrade{torvo.updatePackage, torvo.updateVersion, torvo.version});
            // The version, or the update still on offer, as the service now sees them.
            ApplicationState::getInstance()->refreshAfterChange(device);
            showPlainInformation(
                this, QStringLiteral("Обновление Torvo"),
                BoxText::join({QStringLiteral("Обновление Torvo успешно поставлено в очередь"),
                               BoxText::deviceLine(device)}));
        },
        [this, request, device](const QString& error) {
            upgradeInFlight = false;
            showCritical(QStringLiteral("Ошибка обновления"),
                         {QStringLiteral("Не удалось обновить Torvo"), BoxText::failure(request, error),
                          BoxText::deviceLine(device)});
        });
}
