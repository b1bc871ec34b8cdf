#include "network/NetworkManager.h"

#include "app/Logger.h"
#include "network/BaseReply.h"
#include "network/LogMasking.h"

#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>

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
        Logger::getInstance()->error("Ошибка: пустой запрос");
        return;
    }

    const QNetworkRequest request = requestReply->createRequest();
    const QByteArray body = requestReply->createRequestData();
    const QString url = requestReply->getUrl();
    const QString method = requestReply->getMethod();

    Logger::getInstance()->debug("Отправляем запрос " + method.toStdString() + " to " + url.toStdString() +
                                 " " + maskSecretsForLog(body).toStdString());

    QNetworkReply* reply = nullptr;
    if (method == QLatin1String("GET")) {
        reply = manager->get(request);
    } else if (method == QLatin1String("POST")) {
        reply = manager->post(request, body);
    } else if (method == QLatin1String("PUT")) {
        reply = manager->put(request, body);
    } else if (method == QLatin1String("DELETE") || method == QLatin1String("PATCH")) {
        auto* buffer = new QBuffer();
        buffer->setData(body);
        buffer->open(QIODevice::ReadOnly);
        reply = manager->sendCustomRequest(request, method.toLatin1(), buffer);
        buffer->setParent(reply);
    } else {
        Logger::getInstance()->error("Неизвестный метод запроса: " + method.toStdString());
        return;
    }

    requestReply->inFlightReply = reply;
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
