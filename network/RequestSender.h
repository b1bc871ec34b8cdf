#pragma once

#include "network/BaseReply.h"

#include <QList>
#include <QPointer>

#include <functional>

// What a caller says about one exchange besides the request itself.
struct RequestCourse
{
    // Both outcomes are delivered in this object's lifetime only.
    QObject* context = nullptr;
    // Names the request in the line "Обработка ответа на запрос <subject>: …"; empty writes none.
    QString subject;
    // The device the request was sent for. When `selectedDevice` is set, an outcome that arrives
    // after another device was selected is logged and dropped, and no handler runs.
    QString device;
    std::function<QString()> selectedDevice;
};

// The course of every exchange with the service, written once: connect both outcomes to the
// context, log the outcome, drop what belongs to a device no longer selected, release the
// request exactly once. Time and size limits are held by NetworkManager, which it sends through.
class RequestSender
{
public:
    template <typename R>
    static R* send(R* request, const RequestCourse& course, std::function<void(R*)> onSuccess,
                   std::function<void(const QString&)> onError = nullptr)
    {
        sendRequest(
            request, course,
            [request, onSuccess]() {
                if (onSuccess) {
                    onSuccess(request);
                }
            },
            std::move(onError));
        return request;
    }

    // Gives up on a request in flight: neither handler runs, its reply is aborted and released.
    static void cancel(BaseReply* request);
    // Gives up on those of `requests` still in flight and logs how many there were.
    static void cancelAll(const QList<QPointer<BaseReply>>& requests);

private:
    static void sendRequest(BaseReply* request, const RequestCourse& course, std::function<void()> onSuccess,
                            std::function<void(const QString&)> onError);
};
