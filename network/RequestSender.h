#pragma once

#include "network/BaseReply.h"

#include <QList>
#include <QPointer>

#include <functional>

// What a caller says about one exchange besides the request itself. Made by one of the three
// named constructors, so that every request says which of them it is.
class RequestCourse
{
public:
    // A request about the device selected now: an outcome that arrives after another device was
    // selected is logged and dropped, and no handler runs. `selectedDevice` tells the selection
    // when the outcome arrives.
    static RequestCourse forSelection(QObject* context, const QString& subject, const QString& device,
                                      std::function<QString()> selectedDevice);
    // An action the operator started on `device`: it ends as it began, whatever is selected
    // meanwhile, and what it tells the operator names the device.
    static RequestCourse keepingDevice(QObject* context, const QString& subject, const QString& device);
    // A request about no one device, such as the device lists.
    static RequestCourse forService(QObject* context, const QString& subject);

    // Both outcomes are delivered in this object's lifetime only.
    QObject* context = nullptr;
    // Names the request in the line "Обработка ответа на запрос <subject>: …"; empty writes none.
    QString subject;
    // The device the request was sent for, if any.
    QString device;
    std::function<QString()> selectedDevice;

private:
    RequestCourse(QObject* context, const QString& subject, const QString& device);
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
