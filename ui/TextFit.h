#pragma once

#include <QFont>
#include <QStringList>

// A text broken into lines of a width: at spaces and, in a word longer than a line, anywhere; its
// own line breaks kept. Given a height, only the lines that fit, the last of them ending in "…"
// when the text goes on.
struct FittedText
{
    QStringList lines;
    int lineHeight = 0;
    bool cut = false; // some of the text did not fit the height

    int height() const { return qMax(1, int(lines.size())) * lineHeight; }
};

// `maxHeight` < 0: as many lines as the text takes.
FittedText fitText(const QString& text, const QFont& font, int width, int maxHeight = -1);
