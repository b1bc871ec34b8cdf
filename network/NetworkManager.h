#pragma once

#include <QObject>

class BaseReply;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// The one sender: every request of the client goes through executeRequest() and the one
// QNetworkAccessManager of the program. Each exchange is held to its request's time limit and
// to one bound on the reply's size.
class NetworkManager : public QObject
{
    Q_OBJECT

public:
    static NetworkManager* getInstance();

    // Gives up on a request whose answer is no longer wanted: the request is deleted later and
    // its reply, if still in flight, aborted and released without being processed.
    void abandonRequest(BaseReply* requestReply);

    // Test seam: every request gets this time limit instead of its own (0: their own).
    void setTimeLimitOverride(int milliseconds) { timeLimitOverride = milliseconds; }

public slots:
    void executeRequest(BaseReply* requestReply);

private:
    NetworkManager();

    QNetworkReply* send(const QString& method, const QNetworkRequest& request, const QByteArray& body);
    void watchLimits(QNetworkReply* reply, BaseReply* requestReply);

    QNetworkAccessManager* manager = nullptr;
    int timeLimitOverride = 0;
};
