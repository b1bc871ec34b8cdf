#include "network/RequestKKTStatus.h"

#include <QJsonArray>
#include <QJsonObject>

RequestKKTStatus::RequestKKTStatus(QObject* parent)
    : ServiceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/dkktList"), guiAgent)
{
}

void RequestKKTStatus::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

namespace {

void takeString(const QJsonObject& element, const QString& key, QString& target)
{
    const QJsonValue value = element.value(key);
    if (value.isString()) {
        target = value.toString();
    }
}

} // namespace

QString RequestKKTStatus::readJson(const QJsonObject& object)
{
    info = KktInfo();

    const QJsonArray elements = object.value(QStringLiteral("kkt")).toArray();
    for (const QJsonValue& value : elements) {
        const QJsonObject element = value.toObject();
        const QJsonValue elementSerial = element.value(QStringLiteral("kktSerial"));
        if (!elementSerial.isString() || elementSerial.toString() != serial) {
            continue;
        }
        takeString(element, QStringLiteral("modelName"), info.modelName);
        takeString(element, QStringLiteral("kktSerial"), info.kktSerial);
        takeString(element, QStringLiteral("fnSerial"), info.fnSerial);
        takeString(element, QStringLiteral("kktRnm"), info.kktRnm);
        takeString(element, QStringLiteral("kktInn"), info.kktInn);
        takeString(element, QStringLiteral("shiftState"), info.shiftState);
    }
    return QString();
}

void RequestKKTStatus::setSerial(const QString& serial)
{
    this->serial = serial;
}

QString RequestKKTStatus::getSerial() const
{
    return serial;
}
