#pragma once

#include <QString>
#include <QStringList>

class BaseReply;

// The lines an operator's box adds under its first line, so that support hears the same words
// from every box.
namespace BoxText {

// "Касса: <device>": the register the action was for, which need not be the one selected now.
QString deviceLine(const QString& device);
// The service's own words for refusing `request` when it gave any; otherwise `fallback`.
QString reason(const BaseReply* request, const QString& fallback);
// Why `request` failed with `error`: the service's own words, or else how it failed in the
// operator's words ("служба Torvo не ответила …"), never an address or Qt's English.
QString failure(const BaseReply* request, const QString& error);
// The lines that are not empty, one under another, each once.
QString join(const QStringList& lines);

} // namespace BoxText
