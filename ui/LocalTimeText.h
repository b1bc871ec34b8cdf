#pragma once

#include <QString>

// A time the service sends as ISO 8601 text with a zone ("2026-12-07T06:09:42+00:00", "...Z"),
// as the panels show it: in this computer's local time, "yyyy-MM-dd HH:mm:ss". A text without
// a zone (its zone is unknown) or one that does not parse is shown as sent. Only the display
// changes; records and log lines keep the text as received.
QString localTimeText(const QString& serviceText);
