#pragma once

#include "SimReply.h"

class ServiceModel;

// The notification endpoints of one device: count, page, mark read, delete, and the per-module
// critical flags. The device is known to exist.
namespace NotificationApi {

SimReply count(const ServiceModel& model, const QString& device);
SimReply page(const ServiceModel& model, const QString& device, const QJsonObject& body);
SimReply markRead(ServiceModel& model, const QString& device, const QJsonObject& body);
SimReply remove(ServiceModel& model, const QString& device, const QJsonObject& body);
SimReply critical(const ServiceModel& model, const QString& device);

// The largest page the service hands out at once.
constexpr int maxPage = 500;

} // namespace NotificationApi
