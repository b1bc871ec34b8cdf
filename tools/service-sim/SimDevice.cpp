#include "SimDevice.h"

#include "SimTime.h"

namespace {

struct StateName
{
    ServiceState state;
    const char* text;
};

const StateName stateNames[] = {
    {ServiceState::NotConfigured, "Не настроен"},
    {ServiceState::Stopped, "Остановлен"},
    {ServiceState::Running, "Работает"},
    {ServiceState::Registered, "Зарегистрирован"},
};

struct TextField
{
    const char* key;
    QString SimDevice::*field;
};

const TextField textFields[] = {
    {"id", &SimDevice::id},
    {"modelName", &SimDevice::modelName},
    {"fnSerial", &SimDevice::fnSerial},
    {"kktRnm", &SimDevice::kktRnm},
    {"kktInn", &SimDevice::kktInn},
    {"shiftState", &SimDevice::shiftState},
    {"version", &SimDevice::version},
    {"velkorId", &SimDevice::velkorId},
    {"gismtVelkorId", &SimDevice::gismtVelkorId},
    {"updatePackage", &SimDevice::updatePackage},
    {"updateVersion", &SimDevice::updateVersion},
    {"gismtAddress", &SimDevice::gismtAddress},
    {"lmAddress", &SimDevice::lmAddress},
    {"lmLogin", &SimDevice::lmLogin},
    {"lmPassword", &SimDevice::lmPassword},
    {"lmStatus", &SimDevice::lmStatus},
    {"lmVersion", &SimDevice::lmVersion},
    {"softwareName", &SimDevice::softwareName},
    {"softwareVersion", &SimDevice::softwareVersion},
};

struct FlagField
{
    const char* key;
    bool SimDevice::*field;
};

const FlagField flagFields[] = {
    {"register", &SimDevice::hasRegister},
    {"updateQueued", &SimDevice::updateQueued},
    {"compatibilityMode", &SimDevice::compatibilityMode},
    {"allowRemoteConnection", &SimDevice::allowRemoteConnection},
};

struct LinkField
{
    const char* prefix;
    ModuleLink SimDevice::*link;
};

const LinkField linkFields[] = {
    {"gismt", &SimDevice::gismt},
    {"lm", &SimDevice::lm},
    {"zel", &SimDevice::zel},
    {"software", &SimDevice::software},
};

QString typeError(const QString& key, const char* expected)
{
    return QStringLiteral("Поле \"%1\" должно быть %2").arg(key, QString::fromUtf8(expected));
}

// An ISO 8601 text, or an empty one for "never".
bool readTime(const QJsonValue& value, QDateTime& time)
{
    if (!value.isString()) {
        return false;
    }
    if (value.toString().isEmpty()) {
        time = QDateTime();
        return true;
    }
    time = QDateTime::fromString(value.toString(), Qt::ISODate);
    return time.isValid();
}

} // namespace

QString serviceStateText(ServiceState state)
{
    for (const StateName& name : stateNames) {
        if (name.state == state) {
            return QString::fromUtf8(name.text);
        }
    }
    return QString();
}

bool serviceStateFromText(const QString& text, ServiceState& state)
{
    for (const StateName& name : stateNames) {
        if (text == QString::fromUtf8(name.text)) {
            state = name.state;
            return true;
        }
    }
    return false;
}

QJsonObject SimDevice::toJson() const
{
    QJsonObject object;
    for (const TextField& f : textFields) {
        object.insert(QLatin1String(f.key), this->*f.field);
    }
    for (const FlagField& f : flagFields) {
        object.insert(QLatin1String(f.key), this->*f.field);
    }
    for (const LinkField& f : linkFields) {
        const ModuleLink& link = this->*f.link;
        object.insert(QLatin1String(f.prefix) + QLatin1String("Error"), link.error);
        object.insert(QLatin1String(f.prefix) + QLatin1String("LastConnection"),
                      isoTimestamp(link.lastConnection));
    }
    object.insert(QStringLiteral("serviceState"), serviceStateText(state));
    object.insert(QStringLiteral("lmPort"), lmPort);
    object.insert(QStringLiteral("lmLastSync"), isoTimestamp(lmLastSync));
    return object;
}

QString SimDevice::apply(const QJsonObject& object)
{
    SimDevice changed = *this;
    for (const TextField& f : textFields) {
        const QString key = QLatin1String(f.key);
        if (object.contains(key)) {
            if (!object.value(key).isString()) {
                return typeError(key, "строкой");
            }
            changed.*f.field = object.value(key).toString();
        }
    }
    for (const FlagField& f : flagFields) {
        const QString key = QLatin1String(f.key);
        if (object.contains(key)) {
            if (!object.value(key).isBool()) {
                return typeError(key, "логическим значением");
            }
            changed.*f.field = object.value(key).toBool();
        }
    }
    for (const LinkField& f : linkFields) {
        const QString errorKey = QLatin1String(f.prefix) + QLatin1String("Error");
        const QString timeKey = QLatin1String(f.prefix) + QLatin1String("LastConnection");
        ModuleLink& link = changed.*f.link;
        if (object.contains(errorKey)) {
            if (!object.value(errorKey).isString()) {
                return typeError(errorKey, "строкой");
            }
            link.error = object.value(errorKey).toString();
        }
        if (object.contains(timeKey) && !readTime(object.value(timeKey), link.lastConnection)) {
            return typeError(timeKey, "временем ISO 8601");
        }
    }
    if (object.contains(QStringLiteral("serviceState")) &&
        !serviceStateFromText(object.value(QStringLiteral("serviceState")).toString(), changed.state)) {
        return QStringLiteral("Неизвестное состояние службы: ") +
               object.value(QStringLiteral("serviceState")).toString();
    }
    if (object.contains(QStringLiteral("lmPort"))) {
        const QJsonValue port = object.value(QStringLiteral("lmPort"));
        if (!port.isDouble() || port.toDouble() != port.toInt()) {
            return typeError(QStringLiteral("lmPort"), "целым числом");
        }
        changed.lmPort = port.toInt();
    }
    if (object.contains(QStringLiteral("lmLastSync")) &&
        !readTime(object.value(QStringLiteral("lmLastSync")), changed.lmLastSync)) {
        return typeError(QStringLiteral("lmLastSync"), "временем ISO 8601");
    }
    *this = changed;
    return QString();
}
