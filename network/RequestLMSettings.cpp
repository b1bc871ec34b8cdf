#include "network/RequestLMSettings.h"

#include <QJsonObject>

RequestLMSettings::RequestLMSettings(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/settings/lm/"), guiAgent)
{
}

void RequestLMSettings::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QString RequestLMSettings::readJson(const QJsonObject& object)
{
    address.clear();
    port.clear();
    login.clear();
    password.clear();
    for (const char* key : {"address", "port", "login", "password"}) {
        if (!object.contains(QLatin1String(key))) {
            return QStringLiteral("Не удалось получить настройки ЛМ");
        }
    }
    address = object.value(QStringLiteral("address")).toString();
    port = QString::number(object.value(QStringLiteral("port")).toInt());
    login = object.value(QStringLiteral("login")).toString();
    password = object.value(QStringLiteral("password")).toString();
    return QString();
}

QString RequestLMSettings::getAddress() const
{
    return address;
}

QString RequestLMSettings::getPort() const
{
    return port;
}

QString RequestLMSettings::getLogin() const
{
    return login;
}

QString RequestLMSettings::getPassword() const
{
    return password;
}
