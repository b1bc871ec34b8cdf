#include "app/ReadState.h"

ReadState ReadState::loading()
{
    ReadState state;
    state.phase = Loading;
    return state;
}

ReadState ReadState::read()
{
    ReadState state;
    state.phase = Read;
    return state;
}

ReadState ReadState::failed(const BaseReply& request, const QString& error)
{
    ReadState state;
    state.phase = Failed;
    state.error = error;
    state.failure = request.getFailure();
    state.httpStatus = request.getHttpStatus();
    state.when = QTime::currentTime();
    return state;
}

bool ReadState::answered() const
{
    switch (failure) {
    case BaseReply::Failure::ErrorStatus:
    case BaseReply::Failure::Unreadable:
    case BaseReply::Failure::Refused:
    case BaseReply::Failure::TooLarge:
        return true;
    case BaseReply::Failure::None:
    case BaseReply::Failure::NoConnection:
    case BaseReply::Failure::TimeLimit:
        break;
    }
    return false;
}

QString ReadState::said() const
{
    QString words;
    switch (failure) {
    case BaseReply::Failure::NoConnection:
        words = QStringLiteral("служба Torvo не отвечает");
        break;
    case BaseReply::Failure::ErrorStatus:
        words = QStringLiteral("служба Torvo ответила ошибкой %1").arg(httpStatus);
        break;
    case BaseReply::Failure::Unreadable:
        words = QStringLiteral("ответ службы Torvo не удалось прочитать");
        break;
    case BaseReply::Failure::None:
    case BaseReply::Failure::TimeLimit:
    case BaseReply::Failure::TooLarge:
    case BaseReply::Failure::Refused:
        // The client's own Russian texts: the time limit, the size bound, what the reply lacked.
        words = error.isEmpty() ? error : error.left(1).toLower() + error.mid(1);
        break;
    }
    return when.isValid() ? words + QStringLiteral(" (в %1)").arg(when.toString(QStringLiteral("HH:mm")))
                          : words;
}
