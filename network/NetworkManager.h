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

public slots:
    void executeRequest(BaseReply* requestReply);

private:
    NetworkManager();

    QNetworkAccessManager* manager = nullptr;
};
