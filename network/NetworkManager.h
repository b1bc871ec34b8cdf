#pragma once

#include <QObject>

class BaseReply;
class QNetworkAccessManager;

// The one sender: every request of the client goes through executeRequest() and the one
// QNetworkAccessManager of the program.
class NetworkManager : public QObject
{
    Q_OBJECT

public:
    static NetworkManager* getInstance();

    // Gives up on a request whose answer is no longer wanted: the request is deleted later and
    // its reply, if still in flight, aborted and released without being processed.
    void abandonRequest(BaseReply* requestReply);

public slots:
    void executeRequest(BaseReply* requestReply);

private:
    NetworkManager();

    QNetworkAccessManager* manager = nullptr;
};
