#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

// Tells once when a system tray comes up after the client, as a session's panel often does at
// autostart. Qt has no signal for it. On X11 a new tray announces itself with a MANAGER client
// message to the root window, which already reaches the client's event stream, so waiting costs
// nothing; the filter goes as soon as the tray is there. Elsewhere it never fires.
class TrayWatcher : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit TrayWatcher(QObject* parent);
    ~TrayWatcher() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override;

signals:
    void trayAvailable();

private:
    void check();

    bool watching = true;
    bool checkQueued = false;
};
