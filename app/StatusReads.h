#pragma once

#include "notifications/NotificationInfo.h"

#include <QString>
#include <QVector>

// The reads of the selected device's state that every refresh sends.
enum class StatusRead
{
    Connection,
    Lm,
    Torvo,
    Kkt,
    LmSettings,
    UpgradeCheck
};

// One read as the client uses it: its lines in the log, and the modules whose records it fills,
// in the order their change signals go. The panel of each such module shows what became of the
// read, named by `words` ("о статусе", …) where the panel has another read too.
struct StatusReadRow
{
    struct Part
    {
        NotificationModule module;
        QString words;
    };

    StatusRead read;
    QString startLine; // "Запрос обновления статуса соединения ..."
    QString subject; // "статуса соединения", as in "Обработка ответа на запрос статуса соединения: …"
    QVector<Part> parts;
};

// Every status read, in the order a refresh sends them.
const QVector<StatusReadRow>& statusReads();
const StatusReadRow& statusReadRow(StatusRead read);
