#include "RequestTestCase.h"

#include "network/NetworkManager.h"

#include <QNetworkReply>
#include <QtTest>

int liveReplies()
{
    return NetworkManager::getInstance()->findChildren<QNetworkReply*>().size();
}

bool isNetworkError(const QString& message)
{
    const QString prefix = QStringLiteral("Ошибка сети: ");
    return message.startsWith(prefix) && message.size() > prefix.size();
}

void RequestTestCase::initTestCase()
{
    environment = std::make_unique<TestEnvironment>(server.port());
}

void RequestTestCase::init()
{
    owner = new QObject();
    server.clearReplies();
    server.clearRequests();
    log.mark();
}

void RequestTestCase::cleanup()
{
    delete owner;
    owner = nullptr;
    QTRY_COMPARE(liveReplies(), 0);
}

BaseReply* RequestTestCase::send(BaseReply* request)
{
    NetworkManager::getInstance()->executeRequest(request);
    return request;
}
