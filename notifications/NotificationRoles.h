#pragma once

#include <Qt>

// Where the table keeps a notification's fields in its items; the delegates read them back.
enum NotificationRole
{
    IdRole = Qt::UserRole,
    DateTimeRole,
    ModuleRole,
    TypeRole,
    HeaderRole,
    MessageRole
};
