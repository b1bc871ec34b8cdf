#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QString>

class QJsonParseError;
class QNetworkReply;

// One exchange with the local service. NetworkManager sends it; processReply() turns the HTTP
// reply into the subclass's members and emits exactly one of success() and error().
class BaseReply : public QObject
{
    Q_OBJECT

public:
    explicit BaseReply(QObject* parent);
    ~BaseReply() override;

    virtual void processReply(QNetworkReply* reply) = 0;
    virtual QNetworkRequest createRequest() const = 0;
    virtual QByteArray createRequestData() const;
    QString getUrl() const;

    QString getMethod() const { return method; }

    // The longest the whole exchange may take before it ends with an error.
    int getTimeLimit() const { return timeLimit; }
    void setTimeLimit(int milliseconds) { timeLimit = milliseconds; }

    // How the exchange failed, as the operator is to be told.
    enum class Failure
    {
        None,
        NoConnection, // refused, reset, or closed before the whole reply came
        TimeLimit,    // no whole answer within the time limit
        TooLarge,     // the reply went past the size bound
        ErrorStatus,  // the service answered with an HTTP error status: getHttpStatus()
        Unreadable,   // the reply is not the JSON it should be
        Refused       // the reply lacks what the request asks of it: an empty list, a missing key
    };
    Failure getFailure() const { return failure; }
    // True when the error came from the way to the service (no reply, a network error, a limit),
    // not from what the service answered.
    bool failedInTransport() const
    {
        return failure != Failure::None && failure != Failure::Unreadable && failure != Failure::Refused;
    }
    // The HTTP status of an answer the service gave with an error status; 0 when the exchange
    // failed without one (refused, closed, a limit) or did not fail.
    int getHttpStatus() const { return httpStatus; }
    // The service's own words for a refusal, from an error answer's body {"error": {"text": …}};
    // empty when it gave none.
    QString getServiceReason() const { return serviceReason; }
    // The text at "error" → "text" of a reply object; empty when there is none.
    static QString refusalText(const QJsonObject& object);

    // Request objects alive in the process: a leak shows as a count that never returns to zero.
    static int liveCount();

    // Reads a parsed reply object into the members; returns the content error text, or an empty
    // text for success. Needs no socket, so tests and fuzzers call it directly.
    virtual QString readJson(const QJsonObject& object);

    // "http://127.0.0.1:<port>" + path, with the port from Settings.
    static QString serviceUrl(const QString& path);
    // Appends the device identifier as exactly one percent-encoded path segment, so that no
    // identifier can address another endpoint ("/", "?", "#", "." and ".." included).
    static QString appendDeviceSegment(const QString& baseUrl, const QString& device);
    static QByteArray encodeDeviceSegment(const QString& device);
    // The request for `fullUrl` with the two headers every call of this client sends.
    static QNetworkRequest buildRequest(const QString& fullUrl, const QByteArray& userAgent);

    static const QByteArray guiAgent;    // "Torvo-GUI/1.0"
    static const QByteArray clientAgent; // "Torvo-Client/1.0"

signals:
    void success(BaseReply* reply);
    void error(QString message, BaseReply* reply);

protected:
    QJsonObject parseJsonResponse(QNetworkReply* reply, bool& ok, bool emitOnError);
    void emitNetworkError(QNetworkReply* reply);
    // Takes from a reply that reports an error how it failed: its status and the service's own
    // words for it (getServiceReason()).
    void noteFailedReply(QNetworkReply* reply);
    void emitParseError(const QJsonParseError& parseError);

    // The first two steps of every processReply: a null reply or a network error emits error();
    // true when it did.
    bool emitTransportFailure(QNetworkReply* reply);
    // The common start of processReply: null reply, network error, then the JSON body, which
    // readJson() turns into members.
    void processJsonReply(QNetworkReply* reply);
    // For requests whose reply body is never read: only the null-reply and network-error steps.
    void processBodylessReply(QNetworkReply* reply);

    // True when the client itself ended the exchange for its time or size limit; the body, if
    // any, is then incomplete and must not be read.
    bool wasCutOff() const { return cutOff != Failure::None; }

    QString method = QStringLiteral("GET");
    QString url;
    int timeLimit;

private:
    friend class NetworkManager;
    QPointer<QNetworkReply> inFlightReply; // the reply of the last send, while it exists
    QString cutOffText;                    // why NetworkManager aborted the reply, if it did
    Failure cutOff = Failure::None;        // TimeLimit or TooLarge when it did
    Failure failure = Failure::None;
    int httpStatus = 0;
    QString serviceReason;
};
