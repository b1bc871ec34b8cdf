#include "app/ServiceProblem.h"

#include <QStringList>

namespace {

bool same(const ReadState& a, const ReadState& b)
{
    return a.phase == b.phase && a.error == b.error && a.failure == b.failure &&
           a.httpStatus == b.httpStatus && a.when == b.when;
}

// Each failed list with its words: "Не удалось получить список касс: …".
QStringList listLines(const ReadState& registers, const ReadState& instances, bool technical)
{
    QStringList lines;
    const auto add = [&](const ReadState& list, const QString& what) {
        if (list.isFailed()) {
            lines << what + (technical ? list.error : list.said());
        }
    };
    add(registers, QStringLiteral("Не удалось получить список касс: "));
    add(instances, QStringLiteral("Не удалось получить список экземпляров Torvo: "));
    return lines;
}

} // namespace

QString ServiceProblem::text() const
{
    switch (kind) {
    case None:
        break;
    case Unreachable:
        return QStringLiteral("Служба Torvo недоступна (%1): нет соединения (в %2)")
            .arg(address, cause.when.toString(QStringLiteral("HH:mm")));
    case ListsUnread:
        return listLines(registers, instances, false).join(QStringLiteral("; "));
    case PartlyAnswered:
        return QStringLiteral("Служба Torvo ответила не на все запросы: ") + cause.said();
    case NoDevices: {
        QStringList said{registers.error, instances.error};
        said.removeAll(QString());
        return QStringLiteral("Служба Torvo не сообщила ни одного устройства: ") +
               said.join(QStringLiteral("; "));
    }
    }
    return QString();
}

QString ServiceProblem::details() const
{
    switch (kind) {
    case None:
    case NoDevices:
        break;
    case Unreachable:
    case PartlyAnswered:
        return cause.error;
    case ListsUnread:
        return listLines(registers, instances, true).join(QLatin1Char('\n'));
    }
    return QString();
}

bool ServiceProblem::operator==(const ServiceProblem& other) const
{
    return kind == other.kind && address == other.address && same(cause, other.cause) &&
           same(registers, other.registers) && same(instances, other.instances);
}
