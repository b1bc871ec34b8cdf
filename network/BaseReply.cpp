#include "network/BaseReply.h"

#include "app/Logger.h"
#include "app/Settings.h"
#include "network/LogMasking.h"
#include "network/RequestLimits.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QNetworkReply>
#include <QUrl>

const QByteArray BaseReply::guiAgent = QByteArrayLiteral("Torvo-GUI/1.0");
const QByteArray BaseReply::clientAgent = QByteArrayLiteral("Torvo-Client/1.0");

namespace {

int liveRequests = 0;

// Qt's text for the failure. For an HTTP error status Qt builds its text without translating it:
// here it gets the same words translated, as Qt's other texts are.
QString qtErrorText(const QNetworkReply* reply)
{
    const int code = reply->error();
    const bool fromStatus =
        (code >= QNetworkReply::ContentAccessDenied && code <= QNetworkReply::UnknownContentError) ||
        code == QNetworkReply::ProtocolInvalidOperationError ||
        (code >= QNetworkReply::InternalServerError && code <= QNetworkReply::UnknownServerError);
    if (fromStatus && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) {
        return QCoreApplication::translate("QNetworkReply", "Error transferring %1 - server replied: %2")
            .arg(reply->url().toString(),
                 reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    }
    return reply->errorString();
}

} // namespace

BaseReply::BaseReply(QObject* parent)
    : QObject(parent)
    , timeLimit(RequestLimits::quickMs)
{
    ++liveRequests;
}

BaseReply::~BaseReply()
{
    --liveRequests;
}

int BaseReply::liveCount()
{
    return liveRequests;
}

QByteArray BaseReply::createRequestData() const
{
    return QByteArray();
}

QString BaseReply::getUrl() const
{
    return url;
}

QString BaseReply::serviceUrl(const QString& path)
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(Settings::getInstance()->getPort()) + path;
}

QByteArray BaseReply::encodeDeviceSegment(const QString& device)
{
    QByteArray encoded = device.toUtf8().toPercentEncoding();
    // "." and ".." would be dot segments that climb out of the endpoint. QUrl always decodes
    // "%2E" and Qt's HTTP layer then normalises the path, so the percent sign itself is encoded:
    // the service sees the literal text "%2E", which names no device, and the path stays put.
    if (encoded == "." || encoded == "..") {
        encoded.replace(".", "%252E");
    }
    return encoded;
}

QString BaseReply::appendDeviceSegment(const QString& baseUrl, const QString& device)
{
    return baseUrl + QString::fromLatin1(encodeDeviceSegment(device));
}

QNetworkRequest BaseReply::buildRequest(const QString& fullUrl, const QByteArray& userAgent)
{
    // Strict parsing keeps the percent-encoded segment exactly as built (no "%2E" decoding).
    QNetworkRequest request(QUrl::fromEncoded(fullUrl.toLatin1(), QUrl::StrictMode));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setRawHeader(QByteArrayLiteral("User-Agent"), userAgent);
    return request;
}

QJsonObject BaseReply::parseJsonResponse(QNetworkReply* reply, bool& ok, bool emitOnError)
{
    ok = false;
    if (!reply) {
        return QJsonObject();
    }
    const QByteArray body = reply->readAll();
    // Masking reads the whole body: not for a line that would not be written.
    if (isDebugLogged()) {
        logDebug(QStringLiteral("Ответ сервера:") + QString::fromUtf8(maskSecretsForLog(body)));
    }

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (emitOnError) {
            emitParseError(parseError);
        }
        return QJsonObject();
    }
    ok = true;
    return document.object();
}

void BaseReply::noteFailedReply(QNetworkReply* reply)
{
    // Headers of a reply cut off for its limit may carry a status; the exchange still failed on
    // the way.
    // A connection closed after a good status line is no error status.
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    httpStatus = wasCutOff() || status < 400 ? 0 : status;
    failure = wasCutOff() ? cutOff : httpStatus != 0 ? Failure::ErrorStatus : Failure::NoConnection;
    if (httpStatus != 0) {
        // Peeked, not read: a request that reads the body itself still finds it whole.
        serviceReason = refusalText(QJsonDocument::fromJson(reply->peek(reply->bytesAvailable())).object());
    }
}

void BaseReply::emitNetworkError(QNetworkReply* reply)
{
    if (!reply) {
        return;
    }
    noteFailedReply(reply);
    const QString text = wasCutOff() ? cutOffText : qtErrorText(reply);
    logError(QStringLiteral("Ошибка сети:") + text);
    // The client's own limits speak for themselves; Qt would only say "Operation canceled".
    emit error(wasCutOff() ? text : QStringLiteral("Ошибка сети: ") + text, this);
}

void BaseReply::emitParseError(const QJsonParseError& parseError)
{
    failure = Failure::Unreadable;
    const QString text = parseError.errorString();
    logError(QStringLiteral("Ошибка парсинга JSON:") + text);
    emit error(QStringLiteral("Ошибка парсинга ответа: ") + text, this);
}

bool BaseReply::emitTransportFailure(QNetworkReply* reply)
{
    if (!reply) {
        failure = Failure::NoConnection;
        emit error(QStringLiteral("Получен пустой ответ"), this);
        return true;
    }
    if (reply->error() != QNetworkReply::NoError) {
        emitNetworkError(reply);
        return true;
    }
    // When the service closes the connection just after the headers, Qt may finish the reply
    // without an error and with the body cut short. Fewer bytes than announced (of a body sent
    // as it is, not compressed) is the same closed connection, in the words Qt uses for it
    // (translated, as Qt's are).
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    if (announced.isValid() && reply->rawHeader(QByteArrayLiteral("Content-Encoding")).isEmpty() &&
        reply->bytesAvailable() < announced.toLongLong()) {
        const QString text = QCoreApplication::translate("QHttp", "Connection closed");
        failure = Failure::NoConnection;
        logError(QStringLiteral("Ошибка сети:") + text);
        emit error(QStringLiteral("Ошибка сети: ") + text, this);
        return true;
    }
    return false;
}

void BaseReply::processJsonReply(QNetworkReply* reply)
{
    if (emitTransportFailure(reply)) {
        return;
    }
    bool ok = false;
    const QJsonObject object = parseJsonResponse(reply, ok, true);
    if (!ok) {
        return;
    }
    const QString refusal = readJson(object);
    if (refusal.isEmpty()) {
        emit success(this);
    } else {
        failure = Failure::Refused;
        emit error(refusal, this);
    }
}

QString BaseReply::refusalText(const QJsonObject& object)
{
    return object.value(QStringLiteral("error")).toObject().value(QStringLiteral("text")).toString();
}

QString BaseReply::readJson(const QJsonObject&)
{
    return QString();
}

void BaseReply::processBodylessReply(QNetworkReply* reply)
{
    if (!emitTransportFailure(reply)) {
        emit success(this);
    }
}
