#pragma once

#include "TestEnvironment.h"
#include "TestServer.h"

#include <QObject>
#include <QString>

#include <memory>

class BaseReply;

// Qt replies that the network manager still holds: none once every exchange has ended.
int liveReplies();

// "Ошибка сети: " followed by Qt's text for the failure.
bool isNetworkError(const QString& message);

// The base of the request tests over the loopback server: the server, the client's configuration
// naming its port, the log read from the start of each case, and an owner for the requests a
// case makes, which go with it at the end of the case. A test that needs more at its start or
// end declares its own slot and calls this one.
class RequestTestCase : public QObject
{
    Q_OBJECT

protected slots:
    void initTestCase();
    void init();
    void cleanup();

protected:
    // Sends it through the client's one sender.
    BaseReply* send(BaseReply* request);

    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    LogReader log;
    QObject* owner = nullptr;
};
