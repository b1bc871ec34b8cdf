#include "network/RequestLMSettingsUpdate.h"

#include <QJsonObject>
#include <QNetworkReply>

RequestLMSettingsUpdate::RequestLMSettingsUpdate(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("PUT"), QStringLiteral("/api/v1/settings/lm/"), guiAgent)
{
}

void RequestLMSettingsUpdate::processReply(QNetworkReply* reply)
{
    if (!reply) {
        emit error(QStringLiteral("Получен пустой ответ"), this);
        return;
    }
    if (reply->error() == QNetworkReply::NoError) {
        emit success(this);
        return;
    }
    if (wasCutOff()) {
        emitNetworkError(reply);
        return;
    }
    noteFailedReply(reply);
    bool ok = false;
    parseJsonResponse(reply, ok, false); // the body goes to the log
    // Without the service's own words the operator gets the transport text, never an empty box.
    if (getServiceReason().isEmpty()) {
        emitNetworkError(reply);
        return;
    }
    emit error(getServiceReason(), this);
}

QByteArray RequestLMSettingsUpdate::createRequestData() const
{
    QJsonObject body{
        {QStringLiteral("address"), address},
        {QStringLiteral("port"), port.toInt()}, // 0 when the text is not a decimal number
        {QStringLiteral("login"), login},
        {QStringLiteral("password"), password},
    };
    if (!newPassword.isEmpty()) {
        body.insert(QStringLiteral("newPassword"), newPassword);
    }
    return jsonBody(body);
}

void RequestLMSettingsUpdate::setAddress(const QString& address)
{
    this->address = address;
}

void RequestLMSettingsUpdate::setPort(const QString& port)
{
    this->port = port;
}

void RequestLMSettingsUpdate::setLogin(const QString& login)
{
    this->login = login;
}

void RequestLMSettingsUpdate::setPassword(const QString& password)
{
    this->password = password;
}

void RequestLMSettingsUpdate::setNewPassword(const QString& newPassword)
{
    this->newPassword = newPassword;
}
