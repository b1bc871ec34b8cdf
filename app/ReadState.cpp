#include "app/ReadState.h"

#include "network/BaseReply.h"

ReadState ReadState::failed(const BaseReply& request, const QString& error)
{
    const int status = request.getHttpStatus();
    return ReadState{Failed, error, !request.failedInTransport() || status != 0, status};
}
