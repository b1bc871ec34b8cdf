#include "network/RequestLimits.h"

QString RequestLimits::timeLimitText(int milliseconds)
{
    return QStringLiteral("Нет ответа от службы Torvo за %1 с").arg(milliseconds / 1000.0);
}

QString RequestLimits::tooLargeText()
{
    return QStringLiteral("Ответ службы слишком большой");
}
