#include "app/ServiceReach.h"

#include "network/BaseReply.h"

#include <QUrl>

namespace {

bool unread(const ReadState& list)
{
    return list.isFailed() && list.failure != BaseReply::Failure::Refused;
}

// A read the service let fail while it answers others: not its own refusal, nor its word that it
// has nothing for the device.
bool leftUnanswered(const ReadState& read)
{
    return read.isFailed() && read.failure != BaseReply::Failure::Refused && read.httpStatus != 404;
}

} // namespace

void ServiceReach::noteExchange(const BaseReply& request, const QString& error)
{
    if (error.isEmpty()) {
        unreachable = ReadState();
        return;
    }
    const ReadState failure = ReadState::failed(request, error);
    if (failure.answered()) {
        // A refusal of the service's own proves it is there as much as an answer does.
        unreachable = ReadState();
    } else if (failure.failure == BaseReply::Failure::NoConnection) {
        // The address tells support whether the client looked in the wrong place.
        const QUrl tried(request.getUrl());
        unreachable = failure;
        unreachableAddress = tried.host() + QLatin1Char(':') + QString::number(tried.port());
    }
    // A request left unanswered in time proves neither.
}

void ServiceReach::startListRound()
{
    listsPending = 2;
    roundEnded = false;
}

bool ServiceReach::noteList(List list, const BaseReply& reply, const QString& error)
{
    lists[list] = error.isEmpty() ? ReadState::read() : ReadState::failed(reply, error);
    roundEnded = --listsPending == 0;
    return roundEnded;
}

bool ServiceReach::anyListUnread() const
{
    return unread(lists[Registers]) || unread(lists[Instances]);
}

ServiceProblem ServiceReach::problem(const QVector<ReadState>& reads, bool noDevices) const
{
    ServiceProblem problem;
    if (unreachable.isFailed()) {
        problem.kind = ServiceProblem::Unreachable;
        problem.address = unreachableAddress;
        problem.cause = unreachable;
    } else if (anyListUnread()) {
        problem.kind = ServiceProblem::ListsUnread;
        problem.registers = unread(lists[Registers]) ? lists[Registers] : ReadState();
        problem.instances = unread(lists[Instances]) ? lists[Instances] : ReadState();
    } else {
        for (const ReadState& read : reads) {
            if (leftUnanswered(read) &&
                (problem.kind == ServiceProblem::None || problem.cause.when <= read.when)) {
                problem.kind = ServiceProblem::PartlyAnswered;
                problem.cause = read;
            }
        }
    }
    // A service that answers with no device at all leaves every panel blank: the line says why.
    if (problem.kind == ServiceProblem::None && roundEnded && noDevices) {
        problem.kind = ServiceProblem::NoDevices;
        problem.registers = lists[Registers];
        problem.instances = lists[Instances];
    }
    return problem;
}
