#pragma once

#include "ui/TextLabel.h"

// One line of the window that says what is not known: a read that failed or is on its way, the
// service out of reach, a command the service refused. Plain text in the tone of what it says,
// hidden while there is nothing to say.
class StatusLine : public TextLabel
{
    Q_OBJECT

public:
    enum Tone
    {
        Failure, // something failed
        Quiet    // something is on its way, or only a remark
    };

    explicit StatusLine(QWidget* parent, Mode mode = Wrap);

    // `details`, the technical text behind it (the requests' own errors), goes into the tool tip
    // under the line's words, for support.
    void showStatus(const QString& text, Tone tone, const QString& details = QString());
    Tone tone() const { return currentTone; }

private:
    Tone currentTone = Quiet;
};
