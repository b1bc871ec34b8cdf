#include "app/EndRequest.h"

#include "app/EndRequestEvent.h"
#include "app/Logger.h"

#ifdef Q_OS_WIN
#include <QWinEventNotifier>
#endif

EndRequest::EndRequest(QObject* parent)
    : QObject(parent)
{
#ifdef Q_OS_WIN
    HANDLE handle = openEndRequestEvent(SYNCHRONIZE);
    if (!handle) {
        logError(QStringLiteral("Запрос установщика на завершение не будет услышан: ошибка Windows %1")
                     .arg(GetLastError()));
        return;
    }
    event = handle;
    auto* watch = new QWinEventNotifier(handle, this);
    notifier = watch;
    connect(watch, &QWinEventNotifier::activated, this, [this, watch]() {
        watch->setEnabled(false);
        emit requested();
    });
#endif
}

EndRequest::~EndRequest()
{
#ifdef Q_OS_WIN
    delete notifier;
    if (event) {
        CloseHandle(event);
    }
#endif
}
