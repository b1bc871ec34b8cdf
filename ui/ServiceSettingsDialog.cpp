#include "ui/ServiceSettingsDialog.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/DeviceRequest.h"
#include "network/RequestSender.h"
#include "ui/BoxText.h"
#include "ui/PlainCriticalBox.h"
#include "ui/StatusPalette.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

ServiceSettingsDialog::ServiceSettingsDialog(QWidget* parent, const QString& subject)
    : QDialog(parent)
    , subject(subject)
    , device(ApplicationState::getInstance()->getCurrentDevice())
{
    connect(ApplicationState::getInstance(), &ApplicationState::deviceChanged, this,
            &ServiceSettingsDialog::showDeviceLine);
}

void ServiceSettingsDialog::openFrom(QWidget* opener)
{
    const bool hadFocus = opener->hasFocus();
    opener->setEnabled(false);
    connect(this, &QDialog::finished, opener, [this, opener, hadFocus]() {
        opener->setEnabled(true);
        // Disabled, it passed the focus on: an operator at the keyboard goes on where they were.
        if (hadFocus) {
            opener->setFocus(Qt::OtherFocusReason);
        }
        deleteLater();
    });
    show();
}

RequestCourse ServiceSettingsDialog::course()
{
    // The dialog keeps the device it was opened for: its settings go there, whatever is selected.
    return RequestCourse::keepingDevice(this, QStringLiteral("настроек ") + subject, device);
}

QtMaterialRaisedButton* ServiceSettingsDialog::createSaveButton()
{
    saveButton = new QtMaterialRaisedButton(QStringLiteral("Сохранить"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setHaloVisible(false);
    // Enter in any field saves, as in every dialog; never while the button is disabled.
    saveButton->setDefault(true);
    // Until the service's values are in, saving would write empty fields over them.
    saveButton->setEnabled(false);
    return saveButton;
}

QLabel* ServiceSettingsDialog::createDeviceLine()
{
    deviceLine = new QLabel(this);
    deviceLine->setObjectName(QStringLiteral("deviceLine"));
    deviceLine->setTextFormat(Qt::PlainText);
    deviceLine->setWordWrap(true);
    // Two lines are kept for it, so that the editors stay where they are as its text changes.
    deviceLine->setMinimumHeight(2 * deviceLine->fontMetrics().lineSpacing());
    deviceLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return deviceLine;
}

void ServiceSettingsDialog::setPhase(Phase next)
{
    phase = next;
    // Read-only while loading: a value typed before the service's arrives would be overwritten
    // unseen. After a failed load there is nothing that could be saved.
    const bool editable = phase == Phase::Loaded;
    for (QLineEdit* field : findChildren<QLineEdit*>()) {
        field->setReadOnly(!editable);
    }
    for (QCheckBox* box : findChildren<QCheckBox*>()) {
        box->setEnabled(editable);
    }
    showDeviceLine();
}

void ServiceSettingsDialog::showDeviceLine()
{
    if (!deviceLine) {
        return;
    }
    QString state;
    QColor color(0x33, 0x33, 0x33);
    if (phase == Phase::Loading) {
        state = QStringLiteral("Загрузка настроек ...");
        color = StatusPalette::quietText();
    } else if (phase == Phase::LoadFailed) {
        state = QStringLiteral("Настройки не загружены, сохранить их нельзя");
        color = StatusPalette::failureText();
    } else if (ApplicationState::getInstance()->getCurrentDevice() != device) {
        state = QStringLiteral("Выбрана другая касса, но сохранены настройки будут для этой");
        color = StatusPalette::failureText();
    }
    deviceLine->setText(BoxText::join({BoxText::deviceLine(device), state}));
    deviceLine->setStyleSheet(QStringLiteral("color: ") + StatusPalette::styleName(color) + QLatin1Char(';'));
}

void ServiceSettingsDialog::showFailure(const QString& title, const QString& message,
                                        const BaseReply* request)
{
    showPlainCritical(
        this, title,
        BoxText::join({message, BoxText::reason(request, QString()), BoxText::deviceLine(device)}));
}

void ServiceSettingsDialog::sendLoad(DeviceRequest* request, const std::function<void(BaseReply*)>& apply)
{
    setPhase(Phase::Loading);
    request->setDevice(device);
    RequestSender::send<DeviceRequest>(
        request, course(),
        [this, apply](DeviceRequest* reply) {
            apply(reply);
            setPhase(Phase::Loaded);
            saveButton->setEnabled(true);
        },
        [this, request](const QString& message) {
            setPhase(Phase::LoadFailed);
            // A dialog the operator already closed has nobody left to tell.
            if (isVisible()) {
                showFailure(QStringLiteral("Ошибка при загрузке настроек ") + subject, message, request);
                clearLoadedFields();
            }
        });
}

void ServiceSettingsDialog::sendSave(DeviceRequest* request)
{
    saveButton->setEnabled(false);
    request->setDevice(device);
    RequestSender::send<DeviceRequest>(
        request, course(),
        [this](DeviceRequest*) {
            // The panels show what the service now holds, e.g. ЛМ ЧЗ's new address.
            ApplicationState::getInstance()->refreshAfterChange(device);
            close();
        },
        [this, request](const QString& message) {
            showFailure(QStringLiteral("Ошибка при сохранении настроек ") + subject, message, request);
            saveButton->setEnabled(true);
        });
}
