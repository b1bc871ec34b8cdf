#include "app/StatusReads.h"

#include <algorithm>

const QVector<StatusReadRow>& statusReads()
{
    static const QVector<StatusReadRow> rows{
        {StatusRead::Connection,
         QStringLiteral("Запрос обновления статуса соединения ..."),
         QStringLiteral("статуса соединения"),
         {{GISMT, QStringLiteral("о статусе")}, {CLIENT_SOFTWARE, QString()}}},
        {StatusRead::Lm,
         QStringLiteral("Запрос обновления статуса ЛМ ..."),
         QStringLiteral("статуса ЛМ"),
         {{LDB, QStringLiteral("о статусе")}}},
        {StatusRead::Torvo,
         QStringLiteral("Запрос обновления статуса Torvo ..."),
         QStringLiteral("статуса Torvo"),
         {{TORVO, QStringLiteral("о службе")}, {GISMT, QStringLiteral("об ID")}}},
        {StatusRead::Kkt,
         QStringLiteral("Запрос обновления статуса ККТ ..."),
         QStringLiteral("статуса ККТ"),
         {{DKKT, QString()}}},
        {StatusRead::LmSettings,
         QStringLiteral("Запрос обновления настроек ЛМ ..."),
         QStringLiteral("настроек ЛМ"),
         {{LDB, QStringLiteral("об адресе")}}},
        {StatusRead::UpgradeCheck,
         QStringLiteral("Запрос обновления обновлений Torvo ..."),
         QStringLiteral("обновлений Torvo"),
         {{TORVO, QStringLiteral("об обновлениях")}}},
    };
    return rows;
}

const StatusReadRow& statusReadRow(StatusRead read)
{
    const QVector<StatusReadRow>& rows = statusReads();
    return *std::find_if(rows.cbegin(), rows.cend(),
                         [read](const StatusReadRow& row) { return row.read == read; });
}
