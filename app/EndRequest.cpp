#include "app/EndRequest.h"

#include "app/EndRequestEvent.h"

#include "app/Logger.h"

#ifdef Q_OS_WIN
#include <QWinEventNotifier>

#ifndef NOMINMAX
#define NOMINMAX
#endif
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on
#endif

EndRequest::EndRequest(QObject* parent)
    : QObject(parent)
{
#ifdef Q_OS_WIN
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(TORVO_END_REQUEST_SECURITY, SDDL_REVISION_1,
                                                         &descriptor, nullptr);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
    HANDLE handle = CreateEventW(descriptor ? &attributes : nullptr, TRUE, FALSE, TORVO_END_REQUEST_EVENT);
    if (!handle) {
        // Made by another account's client, which leaves this one the right to wait only.
        handle = OpenEventW(SYNCHRONIZE, FALSE, TORVO_END_REQUEST_EVENT);
    }
    LocalFree(descriptor);
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
