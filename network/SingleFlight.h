#pragma once

#include "network/BaseReply.h"
#include "network/RequestSender.h"

#include <QList>
#include <QPointer>

#include <initializer_list>

#include <utility>

// One kind of request of which at most one is on its way: the request itself is the in-flight
// mark. A request asked for while one is out, which the service may have answered from before a
// change, is asked for once more when that one ends.
class SingleFlight
{
public:
    bool isBusy() const { return !request.isNull(); }
    void start(BaseReply* sent) { request = sent; }
    // The one on its way may be out of date when it comes: ask again once it has ended.
    void askAgainAfter() { again = isBusy(); }
    // The request ended; true when it is to be asked for again.
    bool finish()
    {
        request.clear();
        return std::exchange(again, false);
    }
    // Give up what is on its way: neither handler of those requests runs.
    static void cancel(std::initializer_list<SingleFlight*> flights)
    {
        QList<QPointer<BaseReply>> requests;
        for (SingleFlight* flight : flights) {
            requests.append(flight->request);
        }
        RequestSender::cancelAll(requests);
        for (SingleFlight* flight : flights) {
            flight->request.clear();
            flight->again = false;
        }
    }

private:
    QPointer<BaseReply> request;
    bool again = false;
};
