#pragma once

#include <QByteArray>

// The text of a request or reply body for the log: the values of "password" and "newPassword"
// become "***"; every other byte is kept as it is.
QByteArray maskSecretsForLog(const QByteArray& body);
