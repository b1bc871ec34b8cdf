#pragma once

#include <QString>

// How long one exchange with the service may take and how much it may send back. A service
// that hangs or streams without end must cost the operator a message, never the client.
namespace RequestLimits {

// Status, list, notification and settings requests: the service answers these at once.
constexpr int quickMs = 30000;
// Set-up, start, registration, upgrade and log export may keep the service busy for a while.
constexpr int longMs = 120000;
// No reply of the service comes near 1 MiB; a body past this is a fault, not data.
constexpr qint64 maxReplyBytes = 16 * 1024 * 1024;

// "Нет ответа от службы Torvo за 30 с"
QString timeLimitText(int milliseconds);
QString tooLargeText();

} // namespace RequestLimits
