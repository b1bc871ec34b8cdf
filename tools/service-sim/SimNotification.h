#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// One notification as the service keeps it; module and type are the wire texts.
struct SimNotification
{
    int id = 0;
    QString header;
    QString message;
    QString type;   // "INFO", "WARN" or "ERR"
    QString module; // "LDB", "GISMT", "ZEL", "TORVO", "DKKT" or "CLIENT_SOFTWARE"
    QDateTime dateTime;
    bool isRead = false;

    bool isCritical() const { return !isRead && type == QLatin1String("ERR"); }
    QJsonObject toJson() const;

    static const QStringList modules;
    static const QStringList types;
};
