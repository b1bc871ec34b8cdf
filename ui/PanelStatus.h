#pragma once

#include "ui/StatusIndicator.h"

#include <QList>
#include <QPair>
#include <QString>

// The dot for a module's status text: "Неизвестно" is unknown, the panel's own success text is
// success, any other text a failure, and no text no dot. Texts compare exactly.
StatusIndicator::Status statusFromText(const QString& text, const QString& successText);

// The dot for the cash register's shift: only an open shift is good.
StatusIndicator::Status shiftStatus(const QString& shiftState);

// A redraw log line: prefix`first` key=`value` ... with every value between backquotes.
QString panelLogLine(const QString& prefix, const QString& first, const QList<QPair<QString, QString>>& rest);
