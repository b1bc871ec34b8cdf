#include "Scenario.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

SimDevice Scenario::templateDevice(const QString& id, const QDateTime& now)
{
    SimDevice device;
    device.id = id;
    device.modelName = QStringLiteral("АТОЛ 30Ф");
    device.shiftState = QStringLiteral("Закрыта");
    device.state = ServiceState::Running;
    device.version = QStringLiteral("2.4.1");
    device.gismtAddress = QStringLiteral("https://markirovka.crpt.ru");
    device.lmAddress = QStringLiteral("127.0.0.1");
    device.lmPort = 5995;
    device.lmLogin = QStringLiteral("admin");
    device.lmPassword = QStringLiteral("admin");
    device.lmStatus = QStringLiteral("ready");
    device.lmVersion = QStringLiteral("1.4.2");
    device.lmLastSync = now.addSecs(-8 * 60);
    device.gismt.lastConnection = now.addSecs(-2 * 60);
    device.lm.lastConnection = now.addSecs(-60);
    device.zel.lastConnection = now.addSecs(-5 * 60);
    device.software.lastConnection = now.addSecs(-30);
    device.softwareName = QStringLiteral("Касса Плюс");
    device.softwareVersion = QStringLiteral("5.3.2");
    return device;
}

Scenario Scenario::standard(const QDateTime& now)
{
    Scenario scenario;

    SimDevice open = templateDevice(QStringLiteral("00106709871234"), now);
    open.fnSerial = QStringLiteral("9961440300512345");
    open.kktRnm = QStringLiteral("0006712345012345");
    open.kktInn = QStringLiteral("7725123456");
    open.shiftState = QStringLiteral("Открыта");
    open.state = ServiceState::NotConfigured;
    open.updatePackage = QStringLiteral("torvo-2.5.0-x64.msi");
    open.updateVersion = QStringLiteral("2.5.0");
    open.zel.error = QStringLiteral("Нет соединения с сервером ZEL: превышено время ожидания (30 с)");
    open.zel.lastConnection = now.addSecs(-3 * 3600);
    open.gismt.lastConnection = QDateTime();
    scenario.devices.append(open);

    SimDevice closed = templateDevice(QStringLiteral("00106709875678"), now);
    closed.modelName = QStringLiteral("ШТРИХ-М-01Ф");
    closed.fnSerial = QStringLiteral("9961440300698765");
    closed.kktRnm = QStringLiteral("0006798765043210");
    closed.kktInn = QStringLiteral("7725123456");
    closed.state = ServiceState::Registered;
    closed.velkorId = QStringLiteral("VK-000184");
    closed.gismtVelkorId = QStringLiteral("GM-5F2A19C3");
    closed.updatePackage = QStringLiteral("torvo-2.5.0-x64.msi");
    closed.updateVersion = QStringLiteral("2.5.0");
    closed.compatibilityMode = true;
    closed.lmStatus = QStringLiteral("sync_error");
    closed.lmLastSync = now.addSecs(-26 * 3600);
    closed.gismt.error = QStringLiteral("Ошибка авторизации в ГИС МТ: срок действия токена истёк");
    closed.gismt.lastConnection = now.addSecs(-26 * 3600);
    closed.softwareName = QStringLiteral("Кассир 5");
    closed.softwareVersion = QStringLiteral("5.12.0");
    scenario.devices.append(closed);

    SimDevice instance = templateDevice(QStringLiteral("torvo-7f3a2c91"), now);
    instance.hasRegister = false;
    instance.modelName.clear();
    instance.shiftState.clear();
    instance.state = ServiceState::Registered;
    instance.velkorId = QStringLiteral("VK-000097");
    instance.gismtVelkorId = QStringLiteral("GM-0B44D2E7");
    instance.version = QStringLiteral("2.5.0");
    instance.lmStatus = QStringLiteral("initialization");
    instance.lmLastSync = QDateTime();
    scenario.devices.append(instance);

    return scenario;
}

QString Scenario::read(const QByteArray& json, const QDateTime& now, Scenario& scenario)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return QStringLiteral("сценарий не является JSON: ") + parseError.errorString();
    }
    if (!document.isObject()) {
        return QStringLiteral("сценарий должен быть объектом JSON");
    }
    const QJsonObject object = document.object();
    Scenario result = standard(now);

    const auto readCount = [&object](const char* key, int& value) {
        const QJsonValue v = object.value(QLatin1String(key));
        if (v.isUndefined()) {
            return true;
        }
        if (!v.isDouble() || v.toDouble() < 0 || v.toDouble() != v.toInt()) {
            return false;
        }
        value = v.toInt();
        return true;
    };
    int seed = static_cast<int>(result.seed);
    if (!readCount("notifications", result.notificationsPerDevice) ||
        !readCount("latency", result.latencyMs) || !readCount("seed", seed)) {
        return QStringLiteral(
            "\"notifications\", \"latency\" и \"seed\" должны быть целыми числами не меньше 0");
    }
    result.seed = static_cast<quint32>(seed);

    if (object.contains(QStringLiteral("faults"))) {
        if (!object.value(QStringLiteral("faults")).isArray()) {
            return QStringLiteral("\"faults\" должен быть массивом");
        }
        result.faults = object.value(QStringLiteral("faults")).toArray();
    }

    if (object.contains(QStringLiteral("devices"))) {
        if (!object.value(QStringLiteral("devices")).isArray()) {
            return QStringLiteral("\"devices\" должен быть массивом");
        }
        result.devices.clear();
        QSet<QString> ids;
        for (const QJsonValue& value : object.value(QStringLiteral("devices")).toArray()) {
            const QString id = value.toObject().value(QStringLiteral("id")).toString();
            if (id.isEmpty()) {
                return QStringLiteral("у каждого устройства должен быть непустой \"id\"");
            }
            if (ids.contains(id)) {
                return QStringLiteral("устройство \"%1\" описано дважды").arg(id);
            }
            ids.insert(id);
            SimDevice device = templateDevice(id, now);
            const QString error = device.apply(value.toObject());
            if (!error.isEmpty()) {
                return QStringLiteral("устройство \"%1\": %2").arg(id, error);
            }
            result.devices.append(device);
        }
    }
    scenario = result;
    return QString();
}
