#pragma once

#include "SimReply.h"

#include <QDateTime>
#include <QStringList>

struct SimDevice;

// The log export of the service: the lines of a log written as a new file into a folder that the
// client names.
namespace LogExport {

enum class Kind
{
    Service,
    Business
};

// "torvo-service_<device>_<yyyyMMdd-HHmmss>.log"; characters unsafe in a file name become "_".
QString fileName(Kind kind, const QString& device, const QDateTime& now);

// The business log: the receipts of the last hours, as the cash software reported them.
QStringList businessLines(const SimDevice& device, const QDateTime& now);

// Writes `lines` into `folder`/`name` (a free name: " (2)" and so on is added when taken).
// 200 {"file": path}; 400 for a folder that is empty, relative or not a folder; 404 for a missing
// folder; 403 when it cannot be written.
SimReply write(const QString& folder, const QString& name, const QStringList& lines);

} // namespace LogExport
