// The masking of secrets in logged bodies, on arbitrary bytes and on every JSON body Qt writes:
// no secret value survives, every other byte is kept, and masking twice changes nothing.
#include "network/LogMasking.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The whitespace the masking skips around the colon: ASCII's, as in the pattern's \s.
bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The end of a masked value starting at `from`, or -1: a string literal with escapes (an escaped
// line feed ends nothing), else a run of bytes up to whitespace, ',', '}' or ']'.
int valueEnd(const QByteArray& text, int from)
{
    if (from < text.size() && text.at(from) == '"') {
        for (int i = from + 1; i < text.size(); ++i) {
            if (text.at(i) == '"') {
                return i + 1;
            }
            if (text.at(i) == '\\') {
                if (i + 1 >= text.size() || text.at(i + 1) == '\n') {
                    break;
                }
                ++i;
            }
        }
    }
    int end = from;
    while (end < text.size() && !isSpace(text.at(end)) && text.at(end) != ',' && text.at(end) != '}' &&
           text.at(end) != ']') {
        ++end;
    }
    return end > from ? end : -1;
}

// The same masking written as a byte scanner, to compare with: what differs is a fault of one.
QByteArray referenceMask(const QByteArray& text)
{
    QByteArray result;
    int i = 0;
    while (i < text.size()) {
        int afterKey = -1;
        for (const QByteArray& key : {QByteArray("\"password\""), QByteArray("\"newPassword\"")}) {
            if (text.mid(i, key.size()) == key) {
                afterKey = i + key.size();
            }
        }
        if (afterKey >= 0) {
            int j = afterKey;
            while (j < text.size() && isSpace(text.at(j))) {
                ++j;
            }
            if (j < text.size() && text.at(j) == ':') {
                ++j;
                while (j < text.size() && isSpace(text.at(j))) {
                    ++j;
                }
                const int end = valueEnd(text, j);
                if (end >= 0) {
                    result += text.mid(i, j - i) + "\"***\"";
                    i = end;
                    continue;
                }
            }
        }
        result += text.at(i);
        ++i;
    }
    return result;
}

// A key that merely ends in a quote and a secret's name is written `"...\"password"`, which reads
// as the secret's key too; masking its value errs on the safe side and is accepted.
bool isSecretKey(const QString& key)
{
    for (const QString& name : {QStringLiteral("password"), QStringLiteral("newPassword")}) {
        if (key == name || key.endsWith(QLatin1Char('"') + name)) {
            return true;
        }
    }
    return false;
}

// The value rebuilt member by member, every secret scalar replaced by "***" when `hide`. Both sides
// of a comparison are rebuilt: Qt 5.15 may store a number put back into a container differently
// (a large whole double as an integer) and then count it unequal. False when a secret holds an
// object or array, whose masking the log does not promise.
bool rebuilt(const QJsonValue& value, bool hide, QJsonValue& result)
{
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            QJsonValue member;
            if (isSecretKey(it.key())) {
                if (it.value().isObject() || it.value().isArray()) {
                    return false;
                }
                member = hide ? QJsonValue(QStringLiteral("***")) : it.value();
            } else if (!rebuilt(it.value(), hide, member)) {
                return false;
            }
            it.value() = member;
        }
        result = object;
        return true;
    }
    if (value.isArray()) {
        QJsonArray array = value.toArray();
        for (int i = 0; i < array.size(); ++i) {
            QJsonValue element;
            if (!rebuilt(array.at(i), hide, element)) {
                return false;
            }
            array[i] = element;
        }
        result = array;
        return true;
    }
    result = value;
    return true;
}

QJsonValue documentValue(const QJsonDocument& document)
{
    return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
}

// Whether a secret's key in the text is followed by an object or array, also one that a repeated
// key later replaces in the parsed document.
bool secretHoldsContainer(const QByteArray& text)
{
    for (const QByteArray& key : {QByteArray("\"password\""), QByteArray("\"newPassword\"")}) {
        for (int at = text.indexOf(key); at >= 0; at = text.indexOf(key, at + 1)) {
            int i = at + key.size();
            while (i < text.size() && isSpace(text.at(i))) {
                ++i;
            }
            if (i >= text.size() || text.at(i) != ':') {
                continue;
            }
            ++i;
            while (i < text.size() && isSpace(text.at(i))) {
                ++i;
            }
            if (i < text.size() && (text.at(i) == '{' || text.at(i) == '[')) {
                return true;
            }
        }
    }
    return false;
}

// A body whose keys are written out literally masks into the same document with every secret
// replaced, still well formed.
void checkDocument(const QByteArray& body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    QJsonValue expected;
    if (document.isNull() || secretHoldsContainer(body) ||
        !rebuilt(documentValue(document), true, expected)) {
        return;
    }
    const QJsonDocument result = QJsonDocument::fromJson(maskSecretsForLog(body));
    check(!result.isNull(), "masking keeps a JSON body well formed");
    QJsonValue actual;
    check(rebuilt(documentValue(result), false, actual) && actual == expected,
          "secrets masked, everything else as it was");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    const QByteArray output = maskSecretsForLog(input);

    if (!input.contains("\"password\"") && !input.contains("\"newPassword\"")) {
        check(output == input, "a body without secrets is logged as it is");
    }
    check(output == referenceMask(input), "only the secret values change");
    check(maskSecretsForLog(output) == output, "masking twice changes nothing");

    // Without a backslash no key is escaped, so each is written out literally.
    if (!input.contains('\\')) {
        checkDocument(input);
    }
    // As this client writes its own bodies, and as a service written with Qt would.
    const QJsonDocument document = QJsonDocument::fromJson(input);
    if (!document.isNull()) {
        checkDocument(document.toJson(QJsonDocument::Indented));
        checkDocument(document.toJson(QJsonDocument::Compact));
    }
    return 0;
}
