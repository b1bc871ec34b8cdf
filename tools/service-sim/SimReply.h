#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

// One HTTP answer of the simulated service: a status and a JSON body.
struct SimReply
{
    int status = 200;
    QByteArray body;

    static SimReply json(const QJsonObject& object, int status = 200)
    {
        return {status, QJsonDocument(object).toJson(QJsonDocument::Compact)};
    }
    // The service's refusal form, {"error": {"text": ...}}, which the client shows as it is.
    static SimReply error(int status, const QString& text)
    {
        return json(QJsonObject{{QStringLiteral("error"), QJsonObject{{QStringLiteral("text"), text}}}},
                    status);
    }
};
