#include "NotificationFactory.h"

#include <vector>

namespace {

struct Text
{
    const char* module;
    const char* type;
    const char* header;
    const char* message; // %1 is replaced by a number between low and high
    int low;
    int high;
};

const Text texts[] = {
    {"LDB", "INFO", "Синхронизация ЛМ ЧЗ завершена",
     "Локальный модуль ЧЗ обновил базу кодов маркировки: получено записей — %1.", 120, 48000},
    {"LDB", "INFO", "ЛМ ЧЗ: обновлены списки блокировок",
     "Загружены списки заблокированных кодов маркировки и GTIN, записей: %1.", 3, 900},
    {"LDB", "WARN", "ЛМ ЧЗ: синхронизация задерживается",
     "Последняя успешная синхронизация была %1 ч назад. Проверьте подключение ЛМ ЧЗ к интернету.", 4, 23},
    {"LDB", "ERR", "Ошибка синхронизации ЛМ ЧЗ",
     "Локальный модуль не получил данные из ГИС МТ: превышено время ожидания ответа (%1 с). Проверка кодов "
     "маркировки выполняется в ограниченном режиме, продажа разрешена не более 72 часов с последней "
     "синхронизации.",
     30, 120},
    {"LDB", "ERR", "ЛМ ЧЗ недоступен",
     "Нет ответа от локального модуля ЧЗ (попыток подряд: %1). Проверьте, что служба ЛМ ЧЗ запущена.", 3, 40},
    {"GISMT", "INFO", "Соединение с ГИС МТ восстановлено",
     "Обмен с ГИС МТ возобновлён, отправлено отложенных запросов: %1.", 1, 250},
    {"GISMT", "INFO", "Коды маркировки проверены", "ГИС МТ подтвердил статус кодов маркировки: %1.", 1, 60},
    {"GISMT", "WARN", "ГИС МТ отвечает медленно", "Среднее время ответа ГИС МТ за последний час — %1 мс.",
     1500, 9000},
    {"GISMT", "ERR", "Ошибка авторизации в ГИС МТ",
     "ГИС МТ отклонил токен доступа (код %1). Получите новый токен по сертификату УКЭП.", 401, 401},
    {"GISMT", "ERR", "ГИС МТ недоступен",
     "Не удалось установить соединение с ГИС МТ: попыток подряд завершились ошибкой — %1.", 5, 60},
    {"ZEL", "INFO", "ZEL: справочники обновлены", "Получены обновления справочника товаров, позиций: %1.", 10,
     5000},
    {"ZEL", "WARN", "ZEL: повторная отправка",
     "Пакет данных №%1 отправлен повторно после разрыва соединения.", 1000, 99999},
    {"ZEL", "ERR", "ZEL: нет соединения",
     "Сервер ZEL не отвечает, данные смены сохраняются локально (пакетов в очереди: %1).", 2, 300},
    {"TORVO", "INFO", "Служба Torvo запущена",
     "Служба Torvo запущена и принимает запросы кассового ПО (PID %1).", 900, 30000},
    {"TORVO", "INFO", "Проверка обновлений Torvo", "Проверка обновлений выполнена, пакетов к установке: %1.",
     0, 2},
    {"TORVO", "WARN", "Torvo: мало места на диске",
     "На системном диске осталось %1 МБ. Журналы службы могут перестать записываться.", 120, 900},
    {"TORVO", "ERR", "Служба Torvo перезапущена после сбоя",
     "Служба Torvo аварийно завершилась и была перезапущена автоматически (код завершения %1).", 1, 255},
    {"DKKT", "INFO", "Смена открыта", "На ККТ открыта смена №%1.", 1, 400},
    {"DKKT", "INFO", "Смена закрыта", "Смена №%1 закрыта, отчёт о закрытии смены сформирован.", 1, 400},
    {"DKKT", "WARN", "ФН скоро заполнится", "Фискальный накопитель заполнен на %1 %. Запланируйте замену ФН.",
     80, 95},
    {"DKKT", "ERR", "Нет связи с ККТ", "ККТ не отвечает на команды драйвера: ошибка порта COM%1.", 1, 9},
    {"DKKT", "ERR", "Документы не переданы в ОФД",
     "В ФН есть документы, не переданные в ОФД дольше 5 дней (документов: %1). Проверьте связь с ОФД, иначе "
     "ФН "
     "будет заблокирован через 30 дней.",
     1, 700},
    {"CLIENT_SOFTWARE", "INFO", "Кассовое ПО подключено",
     "Кассовое ПО подключилось к службе Torvo, версия протокола 1.%1.", 2, 9},
    {"CLIENT_SOFTWARE", "INFO", "Чек проверен", "Чек №%1: все коды маркировки прошли проверку.", 1, 9999},
    {"CLIENT_SOFTWARE", "WARN", "Продажа с ограничением",
     "Чек №%1: код маркировки проверен только локально, ГИС МТ недоступен.", 1, 9999},
    {"CLIENT_SOFTWARE", "ERR", "Продажа запрещена",
     "Чек №%1: код маркировки заблокирован в ГИС МТ, продажа товара запрещена.", 1, 9999},
};

const Text fallback = {"",  "", "Событие службы", "Служба Torvo зарегистрировала событие с кодом %1.",
                       100, 999};

} // namespace

NotificationFactory::NotificationFactory(quint32 seed)
    : generator(seed)
{
}

SimNotification NotificationFactory::make(const QString& module, const QString& type, const QDateTime& at)
{
    std::vector<const Text*> fitting;
    for (const Text& text : texts) {
        if (module == QLatin1String(text.module) && type == QLatin1String(text.type)) {
            fitting.push_back(&text);
        }
    }
    const Text& text =
        fitting.empty() ? fallback : *fitting[generator.bounded(static_cast<int>(fitting.size()))];
    SimNotification notification;
    notification.header = QString::fromUtf8(text.header);
    notification.message = QString::fromUtf8(text.message).arg(generator.bounded(text.low, text.high + 1));
    notification.type = type;
    notification.module = module;
    notification.dateTime = at;
    return notification;
}

SimNotification NotificationFactory::any(const QDateTime& at)
{
    const int roll = generator.bounded(100);
    const QString type = SimNotification::types.at(roll < 60 ? 0 : roll < 85 ? 1 : 2);
    const QString module = SimNotification::modules.at(generator.bounded(SimNotification::modules.size()));
    return make(module, type, at);
}

QList<SimNotification> NotificationFactory::history(int count, const QDateTime& now)
{
    QList<SimNotification> result;
    if (count <= 0) {
        return result;
    }
    const int span = 30 * 24 * 3600;
    const int meanGap = span / count;
    QDateTime at = now.addSecs(-span);
    for (int i = 0; i < count; ++i) {
        at = at.addSecs(meanGap / 5 + generator.bounded(qMax(1, meanGap * 8 / 5)));
        if (at > now) {
            at = now;
        }
        SimNotification notification = any(at);
        const bool recent = at.secsTo(now) < 2 * 24 * 3600;
        notification.isRead = generator.bounded(100) < (recent ? 40 : 90);
        result.append(notification);
    }
    return result;
}
