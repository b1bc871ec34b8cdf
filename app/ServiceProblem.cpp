#include "app/ServiceProblem.h"

#include <QStringList>

QString ServiceProblem::text() const
{
    switch (kind) {
    case None:
        break;
    case Unreachable:
        return QStringLiteral("Служба Torvo недоступна (%1): ").arg(address) + detail;
    case ListsUnread: {
        QStringList lines;
        if (!registers.isEmpty()) {
            lines << QStringLiteral("Не удалось получить список касс: ") + registers;
        }
        if (!instances.isEmpty()) {
            lines << QStringLiteral("Не удалось получить список экземпляров Torvo: ") + instances;
        }
        return lines.join(QStringLiteral("; "));
    }
    case NoDevices: {
        QStringList said{registers, instances};
        said.removeAll(QString());
        return QStringLiteral("Служба Torvo не сообщила ни одного устройства: ") +
               said.join(QStringLiteral("; "));
    }
    }
    return QString();
}

bool ServiceProblem::operator==(const ServiceProblem& other) const
{
    return kind == other.kind && address == other.address && detail == other.detail &&
           registers == other.registers && instances == other.instances;
}
