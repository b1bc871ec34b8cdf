#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// The simulator's notion of "now"; tests pass a fixed one.
using SimClock = std::function<QDateTime()>;

SimClock systemClock();

// "2026-12-08T10:15:00+03:00": ISO 8601 that always carries a numeric zone offset, never "Z".
QString isoTimestamp(const QDateTime& time);
