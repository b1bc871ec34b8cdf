#include "app/ListRetry.h"

#include "app/Logger.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

int delayMs(int attempt)
{
    bool ok = false;
    const int testUnit = qEnvironmentVariableIntValue("TORVO_TEST_LIST_RETRY_MS", &ok);
    const int unit = ok && testUnit > 0 ? testUnit : 5000;
    static const int steps[] = {1, 2, 4, 6};
    return unit * steps[qMin(attempt, 3)];
}

} // namespace

ListRetry::ListRetry(QObject* parent)
    : QObject(parent)
    , timer(new QTimer(this))
{
    timer->setSingleShot(true);
    // Nothing is retried once the event loop has ended.
    if (QCoreApplication* application = QCoreApplication::instance()) {
        connect(application, &QCoreApplication::aboutToQuit, timer, &QTimer::stop);
    }
    connect(timer, &QTimer::timeout, this, [this] {
        ++tries;
        logDebug(QStringLiteral("Повторный запрос списка устройств: попытка %1, через %2 с после предыдущей")
                     .arg(tries)
                     .arg(timer->interval() / 1000.0));
        emit retry();
    });
}

void ListRetry::roundEnded(bool listed, bool unread)
{
    everListed = everListed || listed;
    if (!everListed && unread) {
        timer->start(delayMs(tries));
    }
}

void ListRetry::stop()
{
    timer->stop();
}
