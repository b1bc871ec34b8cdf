#pragma once

#include "SimDevice.h"
#include "SimReply.h"

#include <QList>

// The replies of the endpoints that only read a device.
namespace DeviceReplies {

SimReply kktList(const QList<SimDevice>& devices);
SimReply instanceList(const QList<SimDevice>& devices);
// A service that does not run reports no links, no ЛМ ЧЗ details and the code "not_configured".
SimReply connectionStatus(const SimDevice& device);
SimReply lmStatus(const SimDevice& device);
SimReply torvoStatus(const SimDevice& device);
SimReply updates(const SimDevice& device);
SimReply settings(const SimDevice& device);
SimReply lmSettings(const SimDevice& device);

} // namespace DeviceReplies
