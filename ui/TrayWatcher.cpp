#include "ui/TrayWatcher.h"

#include <QCoreApplication>
#include <QSystemTrayIcon>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define TORVO_HAS_XCB 1
#endif

TrayWatcher::TrayWatcher(QObject* parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

TrayWatcher::~TrayWatcher()
{
    if (watching) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool TrayWatcher::nativeEventFilter(const QByteArray& eventType, void* message, long*)
{
#ifdef TORVO_HAS_XCB
    // Client messages are rare; any of them is worth one look at the tray selection's owner.
    // The look waits for the event loop: icons are not made in the middle of event delivery.
    if (!checkQueued && eventType == "xcb_generic_event_t" &&
        (static_cast<xcb_generic_event_t*>(message)->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
        checkQueued = true;
        QMetaObject::invokeMethod(this, &TrayWatcher::check, Qt::QueuedConnection);
    }
#else
    Q_UNUSED(eventType)
    Q_UNUSED(message)
#endif
    return false;
}

void TrayWatcher::check()
{
    checkQueued = false;
    if (!watching || !QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    watching = false;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    emit trayAvailable();
}
