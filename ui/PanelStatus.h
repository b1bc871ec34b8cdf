#pragma once

#include "app/ReadState.h"
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

// What a panel says of the reads its values come from, each given with the words that name its
// part of the panel ("о статусе"): why what failed is not known, in the operator's words and
// when (naming the part only when another part is), else that the first read is on its way,
// else nothing.
QString readStateLine(const QList<QPair<ReadState, QString>>& reads);
// The failed reads' own texts, one a line, for the line's tool tip and for support.
QString readStateDetails(const QList<QPair<ReadState, QString>>& reads);
