#include "ui/TorvoPanel.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/NetworkManager.h"
#include "network/RequestRegistration.h"
#include "network/RequestSetupTorvo.h"
#include "network/RequestStartTorvo.h"
#include "network/RequestUpgradeTorvo.h"
#include "ui/PanelStatus.h"
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

QString errorLine(const QString& prefix, const QString& message)
{
    return prefix + QStringLiteral(": error: `") + message + QLatin1Char('`');
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
    const TorvoInfo info = ApplicationState::getInstance()->getTorvoInfo();
    logDebug(panelLogLine(QStringLiteral("Обновление информации о Torvo: status="), info.state,
                          {{QStringLiteral("serial"), info.velkorId},
                           {QStringLiteral("version"), info.version},
                           {QStringLiteral("isAvailable"), QString::number(info.hasUpdate ? 1 : 0)},
                           {QStringLiteral("package"), info.updatePackage},
                           {QStringLiteral("version"), info.updateVersion}}));
    registerButton->setVisible(!info.registered);
    idLabel->setText(info.velkorId);
    versionLabel->setText(info.version);
    upgradeButton->setVisible(info.hasUpdate);
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
    connect(request, &BaseReply::success, this, [=]() {
        logDebug(QStringLiteral("Обработка ответа на запрос регистрации службы Torvo: success"));
        registerTorvo(device, kktSerial, kktFn, kktInn);
        request->deleteLater();
    });
    connect(request, &BaseReply::error, this, [=](const QString& message) {
        logDebug(errorLine(QStringLiteral("Обработка ответа на запрос регистрации службы Torvo"), message));
        // A service that is already set up refuses the set-up; starting it is what is left.
        startTorvo(device, kktSerial, kktFn, kktInn);
        request->deleteLater();
    });
    NetworkManager::getInstance()->executeRequest(request);
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
    connect(request, &BaseReply::success, this, [=]() {
        logDebug(QStringLiteral("Обработка ответа на запрос запуска Torvo: success"));
        registerTorvo(currentDevice, kktSerial, kktFn, kktInn);
        request->deleteLater();
    });
    connect(request, &BaseReply::error, this, [=](const QString& message) {
        logDebug(errorLine(QStringLiteral("Обработка ответа на запрос запуска Torvo"), message));
        showCritical(QString::fromUtf8(registrationTitle), QString::fromUtf8(registrationFailed));
        registerButton->setEnabled(true);
        request->deleteLater();
    });
    NetworkManager::getInstance()->executeRequest(request);
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
    connect(request, &BaseReply::success, this, [=]() {
        logDebug(QStringLiteral("Обработка ответа на запрос регистрации Torvo: success"));
        ApplicationState::getInstance()->refreshInfo();
        registerButton->setEnabled(true);
        request->deleteLater();
    });
    connect(request, &BaseReply::error, this, [=](const QString& message) {
        logDebug(errorLine(QStringLiteral("Обработка ответа на запрос регистрации Torvo"), message));
        showCritical(QString::fromUtf8(registrationTitle), QString::fromUtf8(registrationFailed));
        registerButton->setEnabled(true);
        request->deleteLater();
    });
    NetworkManager::getInstance()->executeRequest(request);
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
    auto* request = new RequestUpgradeTorvo(this);
    request->setDevice(device);
    request->setPackage(torvo.updatePackage);
    request->setVersionName(torvo.updateVersion);
    connect(request, &BaseReply::success, this, [this, request]() {
        logDebug(QStringLiteral("Обработка ответа на запрос обновления Torvo: success"));
        QMessageBox::information(this, QStringLiteral("Обновление Torvo"),
                                 QStringLiteral("Обновление Torvo успешно поставлено в очередь"));
        request->deleteLater();
    });
    connect(request, &BaseReply::error, this, [this, request](const QString& message) {
        logDebug(errorLine(QStringLiteral("Обработка ответа на запрос обновления Torvo"), message));
        showCritical(QStringLiteral("Ошибка обновления"), QStringLiteral("Не удалось обновить Torvo"));
        request->deleteLater();
    });
    NetworkManager::getInstance()->executeRequest(request);
}
