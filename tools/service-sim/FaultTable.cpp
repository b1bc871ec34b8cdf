#include "FaultTable.h"

namespace {

bool readWhole(const QJsonValue& value, int low, int high, int& result)
{
    if (!value.isDouble() || value.toDouble() != value.toInt() || value.toInt() < low ||
        value.toInt() > high) {
        return false;
    }
    result = value.toInt();
    return true;
}

} // namespace

QJsonObject Fault::toJson() const
{
    QJsonObject object{{QStringLiteral("path"), path}};
    if (!method.isEmpty()) {
        object.insert(QStringLiteral("method"), method);
    }
    if (status) {
        object.insert(QStringLiteral("status"), status);
    }
    if (latencyMs) {
        object.insert(QStringLiteral("latency"), latencyMs);
    }
    if (hang) {
        object.insert(QStringLiteral("hang"), true);
    }
    if (notJson) {
        object.insert(QStringLiteral("notJson"), true);
    }
    if (endless) {
        object.insert(QStringLiteral("endless"), true);
    }
    return object;
}

QString FaultTable::add(const QJsonObject& object)
{
    if (object.value(QStringLiteral("refuse")).toBool()) {
        int seconds = 10;
        if (object.contains(QStringLiteral("seconds")) &&
            !readWhole(object.value(QStringLiteral("seconds")), 1, 24 * 3600, seconds)) {
            return QStringLiteral("\"seconds\" должно быть целым числом от 1 до 86400");
        }
        pendingRefusal = seconds;
        return QString();
    }

    Fault fault;
    const QJsonValue path = object.value(QStringLiteral("path"));
    const QJsonValue method = object.value(QStringLiteral("method"));
    if (!(path.isUndefined() || path.isString()) || !(method.isUndefined() || method.isString())) {
        return QStringLiteral("\"path\" и \"method\" должны быть строками");
    }
    fault.path = path.toString();
    fault.method = method.toString().toUpper();
    if (object.contains(QStringLiteral("status")) &&
        !readWhole(object.value(QStringLiteral("status")), 400, 599, fault.status)) {
        return QStringLiteral("\"status\" должен быть кодом ошибки HTTP от 400 до 599");
    }
    if (object.contains(QStringLiteral("latency")) &&
        !readWhole(object.value(QStringLiteral("latency")), 0, 600000, fault.latencyMs)) {
        return QStringLiteral("\"latency\" должна быть целым числом миллисекунд от 0 до 600000");
    }
    fault.hang = object.value(QStringLiteral("hang")).toBool();
    fault.notJson = object.value(QStringLiteral("notJson")).toBool();
    fault.endless = object.value(QStringLiteral("endless")).toBool();
    if (fault.isEmpty()) {
        return QStringLiteral("нужен один из ключей \"status\", \"latency\", \"hang\", \"notJson\", "
                              "\"endless\" или \"refuse\"");
    }
    for (int i = 0; i < faults.size(); ++i) {
        if (faults.at(i).path == fault.path && faults.at(i).method == fault.method) {
            faults.removeAt(i);
            break;
        }
    }
    faults.append(fault);
    return QString();
}

void FaultTable::clear()
{
    faults.clear();
    pendingRefusal = 0;
}

Fault FaultTable::match(const QString& method, const QString& path) const
{
    Fault combined;
    combined.path = path;
    combined.method = method;
    if (path.startsWith(QLatin1String("/sim/"))) {
        return combined;
    }
    for (const Fault& fault : faults) {
        if (!path.startsWith(fault.path) || (!fault.method.isEmpty() && fault.method != method)) {
            continue;
        }
        combined.latencyMs = qMax(combined.latencyMs, fault.latencyMs);
        combined.hang = combined.hang || fault.hang;
        combined.notJson = combined.notJson || fault.notJson;
        combined.endless = combined.endless || fault.endless;
        if (fault.status) {
            combined.status = fault.status;
        }
    }
    return combined;
}

int FaultTable::takeRefusal()
{
    const int seconds = pendingRefusal;
    pendingRefusal = 0;
    return seconds;
}

QJsonArray FaultTable::toJson() const
{
    QJsonArray list;
    for (const Fault& fault : faults) {
        list.append(fault.toJson());
    }
    return list;
}
