#include "network/NetworkManager.h"

#include "app/Logger.h"
#include "network/BaseReply.h"
#include "network/LogMasking.h"
#include "network/RequestLimits.h"

#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>

NetworkManager* NetworkManager::getInstance()
{
    static NetworkManager* instance = new NetworkManager();
    return instance;
}

NetworkManager::NetworkManager()
    : manager(new QNetworkAccessManager(this))
{
}

void NetworkManager::executeRequest(BaseReply* requestReply)
{
    if (!requestReply) {
        logError(QStringLiteral("Ошибка: пустой запрос"));
        return;
    }

    const QNetworkRequest request = requestReply->createRequest();
    const QByteArray body = requestReply->createRequestData();
    const QString method = requestReply->getMethod();

    if (isDebugLogged()) {
        logDebug(QStringLiteral("Отправляем запрос ") + method + QStringLiteral(" to ") +
                 requestReply->getUrl() + QLatin1Char(' ') + QString::fromUtf8(maskSecretsForLog(body)));
    }

    QNetworkReply* reply = send(method, request, body);
    if (!reply) {
        const QString text = QStringLiteral("Неизвестный метод запроса: ") + method;
        logError(text);
        // Its caller still waits for an outcome (a disabled button, a pending flag); it gets one
        // from the event loop, as from any reply, never from inside this call.
        QPointer<BaseReply> guardedRequest(requestReply);
        QTimer::singleShot(0, requestReply, [guardedRequest, text]() {
            if (guardedRequest) {
                emit guardedRequest->error(text, guardedRequest.data());
            }
        });
        return;
    }

    requestReply->inFlightReply = reply;
    requestReply->cutOffText.clear();
    requestReply->cutOff = BaseReply::Failure::None;
    watchLimits(reply, requestReply);
    QPointer<BaseReply> guardedRequest(requestReply);
    QPointer<QNetworkReply> guardedReply(reply);
    connect(reply, &QNetworkReply::finished, this, [guardedRequest, guardedReply]() {
        if (guardedRequest) {
            guardedRequest->processReply(guardedReply.data());
        }
        if (guardedReply) {
            guardedReply->deleteLater();
        }
    });
}

QNetworkReply* NetworkManager::send(const QString& method, const QNetworkRequest& request,
                                    const QByteArray& body)
{
    if (method == QLatin1String("GET")) {
        return manager->get(request);
    }
    if (method == QLatin1String("POST")) {
        return manager->post(request, body);
    }
    if (method == QLatin1String("PUT")) {
        return manager->put(request, body);
    }
    if (method == QLatin1String("DELETE") || method == QLatin1String("PATCH")) {
        auto* buffer = new QBuffer();
        buffer->setData(body);
        buffer->open(QIODevice::ReadOnly);
        QNetworkReply* reply = manager->sendCustomRequest(request, method.toLatin1(), buffer);
        buffer->setParent(reply);
        return reply;
    }
    return nullptr;
}

void NetworkManager::watchLimits(QNetworkReply* reply, BaseReply* requestReply)
{
    QPointer<BaseReply> guardedRequest(requestReply);
    // Aborting finishes the reply at once, through the ordinary path, with the reason attached.
    auto cutOff = [reply, guardedRequest](BaseReply::Failure kind, const QString& reason) {
        if (reply->isFinished()) {
            return;
        }
        if (guardedRequest) {
            guardedRequest->cutOff = kind;
            guardedRequest->cutOffText = reason;
        }
        reply->abort();
    };

    // A deadline for the whole exchange: Qt's transfer timeout restarts with every byte, so a
    // service that drips one byte a second would never be cut.
    const int limit = timeLimitOverride > 0 ? timeLimitOverride : requestReply->getTimeLimit();
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, [cutOff, limit]() {
        cutOff(BaseReply::Failure::TimeLimit, RequestLimits::timeLimitText(limit));
    });
    connect(reply, &QNetworkReply::finished, deadline, &QTimer::stop);
    deadline->start(limit);

    // Qt buffers the whole body until it is read: past the bound the exchange ends instead. Its
    // progress signal comes at most every 100 ms, time enough for a quick service to send far
    // more, so a length announced past the bound ends it before the body, every piece that
    // arrives is counted, and Qt stops reading a little past the bound (it may stop just short
    // of its buffer's size, so the buffer is larger than the bound by a margin).
    reply->setReadBufferSize(RequestLimits::maxReplyBytes + 1024 * 1024);
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, cutOff]() {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > RequestLimits::maxReplyBytes) {
            cutOff(BaseReply::Failure::TooLarge, RequestLimits::tooLargeText());
        }
    });
    connect(reply, &QNetworkReply::readyRead, reply, [reply, cutOff]() {
        if (reply->bytesAvailable() > RequestLimits::maxReplyBytes) {
            cutOff(BaseReply::Failure::TooLarge, RequestLimits::tooLargeText());
        }
    });
}

void NetworkManager::abandonRequest(BaseReply* requestReply)
{
    if (!requestReply) {
        return;
    }
    // Once the request is gone its reply is aborted, so that a service that never answers does
    // not hold one of the few connections per host for good; nothing is processed.
    if (QNetworkReply* reply = requestReply->inFlightReply) {
        connect(requestReply, &QObject::destroyed, reply, &QNetworkReply::abort);
    }
    requestReply->deleteLater();
}
