#include "notifications/NotificationPollInterval.h"

#include <QtGlobal>

int notificationPollIntervalMs()
{
    bool ok = false;
    const int testInterval = qEnvironmentVariableIntValue("TORVO_TEST_POLL_MS", &ok);
    return ok && testInterval > 0 ? testInterval : 300000;
}
