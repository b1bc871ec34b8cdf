#include "ui/LmSettingsDialog.h"

#include "app/Logger.h"
#include "network/RequestLMSettings.h"
#include "network/RequestLMSettingsUpdate.h"
#include "ui/PlainCriticalBox.h"
#include "ui/StatusPalette.h"
#include "widgets/QtMaterialIconButton.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTextField.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// A TCP port as the operator may type it: digits only, 1 to 65535. Anything else would be sent
// as port 0 and silently break the service's connection to ЛМ ЧЗ.
bool isValidPort(const QString& text)
{
    if (text.isEmpty() || text.size() > 5) {
        return false;
    }
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    const int port = text.toInt();
    return port >= 1 && port <= 65535;
}

} // namespace

LmSettingsDialog::LmSettingsDialog(QWidget* parent)
    : ServiceSettingsDialog(parent, QStringLiteral("ЛМ"))
{
    setupUI();
    setupCallbacks();
    loadSettings();
}

QtMaterialTextField* LmSettingsDialog::addField(QGridLayout* grid, int row, const QString& caption,
                                                const QString& placeholder)
{
    auto* label = new QLabel(caption, this);
    grid->addWidget(label, row, 0);
    auto* field = new QtMaterialTextField(this);
    // A screen reader names the field by its caption.
    label->setBuddy(field);
    field->setPlaceholderText(placeholder);
    grid->addWidget(field, row, 1);
    return field;
}

void LmSettingsDialog::hideSecret(QGridLayout* grid, int row, QtMaterialTextField* field)
{
    // The till's screen faces the customer: a password shows only while the operator asks.
    field->setEchoMode(QLineEdit::Password);
    auto* reveal = new QtMaterialIconButton(QIcon(QStringLiteral(":/images/eye.svg")), this);
    reveal->setObjectName(field->objectName() + QStringLiteral("Reveal"));
    reveal->setIconSize(QSize(20, 20));
    const auto show = [field, reveal](bool shown) {
        field->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
        reveal->setColor(shown ? QColor(QStringLiteral("#2196F3")) : StatusPalette::quietText());
        const QString text = shown ? QStringLiteral("Скрыть пароль") : QStringLiteral("Показать пароль");
        reveal->setToolTip(text);
        reveal->setAccessibleName(text);
    };
    show(false);
    connect(reveal, &QtMaterialIconButton::clicked, field,
            [field, show]() { show(field->echoMode() != QLineEdit::Normal); });
    grid->addWidget(reveal, row, 2);
    setTabOrder(field, reveal);
}

void LmSettingsDialog::setupUI()
{
    setWindowTitle(QStringLiteral("Настройки ЛМ ЧЗ"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // Higher than the fields need alone: the line that names the register stands above them.
    setFixedSize(400, 340);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(5);
    layout->setContentsMargins(5, 5, 5, 5);

    layout->addWidget(createDeviceLine());

    auto* grid = new QGridLayout();
    addressField = addField(grid, 0, QStringLiteral("Адрес:"), QStringLiteral("Введите IP адрес"));
    portField = addField(grid, 1, QStringLiteral("Порт:"), QStringLiteral("Введите порт"));
    loginField = addField(grid, 2, QStringLiteral("Логин:"), QStringLiteral("Введите логин"));
    passwordField = addField(grid, 3, QStringLiteral("Пароль:"), QStringLiteral("Введите пароль"));
    newPasswordField =
        addField(grid, 4, QStringLiteral("Новый пароль:"), QStringLiteral("Введите новый пароль"));
    passwordField->setObjectName(QStringLiteral("passwordField"));
    newPasswordField->setObjectName(QStringLiteral("newPasswordField"));
    hideSecret(grid, 3, passwordField);
    hideSecret(grid, 4, newPasswordField);

    createSaveButton();

    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(saveButton, 1, Qt::AlignCenter);
}

void LmSettingsDialog::setupCallbacks()
{
    connect(saveButton, &QtMaterialRaisedButton::clicked, this, &LmSettingsDialog::saveSettings);
}

void LmSettingsDialog::clearLoadedFields()
{
    addressField->clear();
    portField->clear();
    loginField->clear();
    passwordField->clear();
}

void LmSettingsDialog::loadSettings()
{
    logDebug(QStringLiteral("Загрузка настроек ЛМ ..."));
    sendLoad(new RequestLMSettings(this), [this](BaseReply* reply) {
        if (auto* settings = qobject_cast<RequestLMSettings*>(reply)) {
            addressField->setText(settings->getAddress());
            portField->setText(settings->getPort());
            loginField->setText(settings->getLogin());
            passwordField->setText(settings->getPassword());
        }
    });
}

void LmSettingsDialog::saveSettings()
{
    logDebug(QStringLiteral("Сохранение настроек ЛМ ..."));
    const QString port = portField->text().trimmed();
    if (!isValidPort(port)) {
        logError(QStringLiteral("Неверный порт ЛМ ЧЗ: `") + portField->text() + QLatin1Char('`'));
        showPlainCritical(this, QStringLiteral("Ошибка при сохранении настроек ЛМ"),
                          QStringLiteral("Неверный порт: укажите целое число от 1 до 65535"));
        return;
    }
    auto* request = new RequestLMSettingsUpdate(this);
    request->setAddress(addressField->text());
    request->setPort(port);
    request->setLogin(loginField->text());
    request->setPassword(passwordField->text());
    request->setNewPassword(newPasswordField->text());
    sendSave(request);
}
