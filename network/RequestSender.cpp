#include "network/RequestSender.h"

#include "app/Logger.h"
#include "network/NetworkManager.h"

namespace {

// False (and logged) when the outcome belongs to a device that is no longer selected.
bool belongsToSelection(const RequestCourse& course)
{
    if (!course.selectedDevice) {
        return true;
    }
    const QString selected = course.selectedDevice();
    if (selected == course.device) {
        return true;
    }
    logDebug(QStringLiteral("Ответ на запрос %1 для устройства %2 пропущен: выбрано устройство %3")
                 .arg(course.subject, course.device, selected));
    return false;
}

void logOutcome(const RequestCourse& course, const QString& outcome)
{
    if (!course.subject.isEmpty()) {
        logDebug(QStringLiteral("Обработка ответа на запрос ") + course.subject + QStringLiteral(": ") +
                 outcome);
    }
}

} // namespace

RequestCourse::RequestCourse(QObject* context, const QString& subject, const QString& device)
    : context(context)
    , subject(subject)
    , device(device)
{
}

RequestCourse RequestCourse::forSelection(QObject* context, const QString& subject, const QString& device,
                                          std::function<QString()> selectedDevice)
{
    RequestCourse course(context, subject, device);
    course.selectedDevice = std::move(selectedDevice);
    return course;
}

RequestCourse RequestCourse::keepingDevice(QObject* context, const QString& subject, const QString& device)
{
    return RequestCourse(context, subject, device);
}

RequestCourse RequestCourse::forService(QObject* context, const QString& subject)
{
    return RequestCourse(context, subject, QString());
}

void RequestSender::sendRequest(BaseReply* request, const RequestCourse& course,
                                std::function<void()> onSuccess, std::function<void(const QString&)> onError)
{
    QObject* context = course.context ? course.context : request;
    // The handlers are connected to the request's own signals, so they never outlive it.
    QObject::connect(
        request, &BaseReply::success, context,
        [request, course, onSuccess]() {
            logOutcome(course, QStringLiteral("success"));
            if (belongsToSelection(course)) {
                onSuccess();
            }
            request->deleteLater();
        },
        Qt::DirectConnection);
    QObject::connect(
        request, &BaseReply::error, context,
        [request, course, onError](const QString& message) {
            logOutcome(course, QStringLiteral("error: `") + message + QLatin1Char('`'));
            if (belongsToSelection(course) && onError) {
                onError(message);
            }
            request->deleteLater();
        },
        Qt::DirectConnection);
    NetworkManager::getInstance()->executeRequest(request);
}

void RequestSender::cancel(BaseReply* request)
{
    if (!request) {
        return;
    }
    QObject::disconnect(request, &BaseReply::success, nullptr, nullptr);
    QObject::disconnect(request, &BaseReply::error, nullptr, nullptr);
    NetworkManager::getInstance()->abandonRequest(request);
}

void RequestSender::cancelAll(const QList<QPointer<BaseReply>>& requests)
{
    int cancelled = 0;
    for (const QPointer<BaseReply>& request : requests) {
        if (request) {
            cancel(request);
            ++cancelled;
        }
    }
    if (cancelled > 0) {
        logDebug(QStringLiteral("Отменено незавершённых запросов: %1").arg(cancelled));
    }
}
