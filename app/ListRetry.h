#pragma once

#include <QObject>

class QTimer;

// On a till the service often starts after the desktop. While no device list was ever read, a
// list round that could read none is tried again by itself after a pause that grows: 5 s, 10 s,
// 20 s, then every 30 s. Once a list was read nothing is retried by itself. For tests only,
// TORVO_TEST_LIST_RETRY_MS (milliseconds) stands for the 5 s.
class ListRetry : public QObject
{
    Q_OBJECT

public:
    explicit ListRetry(QObject* parent);

    // A list round ended: `listed` when it brought devices, `unread` when a list could not be read.
    void roundEnded(bool listed, bool unread);
    // A round begins anyway (the operator's): the pending try goes.
    void stop();

signals:
    // Time for the next try; logged.
    void retry();

private:
    QTimer* timer = nullptr;
    int tries = 0;
    bool everListed = false;
};
