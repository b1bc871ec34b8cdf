#pragma once

#include <QObject>

// The installer and the uninstaller replace or remove the program's files, which Windows keeps
// while a client runs: before they do, they ask every client on the machine, in every session and
// of every account, to end, through one machine-wide event (app/EndRequestEvent.h) that this
// object watches from start to end. A client started while the request stands ends at once.
// Nothing is watched but on Windows.

class EndRequest : public QObject
{
    Q_OBJECT

public:
    explicit EndRequest(QObject* parent = nullptr);
    ~EndRequest() override;

signals:
    void requested();

private:
    void* event = nullptr;
    QObject* notifier = nullptr; // goes before the event it waits on
};
