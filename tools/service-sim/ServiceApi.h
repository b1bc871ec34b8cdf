#pragma once

#include "SimReply.h"

#include <QStringList>

class ServiceModel;

// The service's HTTP endpoints: picks the operation of the model by method and path, checks the
// request body, and answers 404 for an unknown path or device and 405 for a wrong method.
class ServiceApi
{
public:
    explicit ServiceApi(ServiceModel& model);

    // `target` is the raw request target as sent (percent-encoded, query allowed).
    SimReply handle(const QString& method, const QByteArray& target, const QByteArray& body);

    // The decoded path segments of a raw target: "/api/v1/status/a%2Fb?x" gives api, v1, status, a/b.
    // A device identifier is always exactly one segment, whatever characters it holds.
    static QStringList splitPath(const QByteArray& target);

private:
    ServiceModel& model;
};
