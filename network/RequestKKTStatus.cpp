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
    modelName.clear();
    kktSerial.clear();
    fnSerial.clear();
    kktRnm.clear();
    kktInn.clear();
    shiftState.clear();

    const QJsonArray elements = object.value(QStringLiteral("kkt")).toArray();
    for (const QJsonValue& value : elements) {
        const QJsonObject element = value.toObject();
        const QJsonValue elementSerial = element.value(QStringLiteral("kktSerial"));
        if (!elementSerial.isString() || elementSerial.toString() != serial) {
            continue;
        }
        takeString(element, QStringLiteral("modelName"), modelName);
        takeString(element, QStringLiteral("kktSerial"), kktSerial);
        takeString(element, QStringLiteral("fnSerial"), fnSerial);
        takeString(element, QStringLiteral("kktRnm"), kktRnm);
        takeString(element, QStringLiteral("kktInn"), kktInn);
        takeString(element, QStringLiteral("shiftState"), shiftState);
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

QString RequestKKTStatus::getModelName() const
{
    return modelName;
}

QString RequestKKTStatus::getKktSerial() const
{
    return kktSerial;
}

QString RequestKKTStatus::getFnSerial() const
{
    return fnSerial;
}

QString RequestKKTStatus::getKktRnm() const
{
    return kktRnm;
}

QString RequestKKTStatus::getKktInn() const
{
    return kktInn;
}

QString RequestKKTStatus::getShiftState() const
{
    return shiftState;
}
