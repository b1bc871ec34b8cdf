#include "ui/StatusLine.h"

#include "ui/StatusPalette.h"

#include <QPalette>

namespace {

void applyTone(QWidget* line, StatusLine::Tone tone)
{
    QPalette colours = line->palette();
    colours.setColor(QPalette::WindowText,
                     tone == StatusLine::Failure ? StatusPalette::failureText() : StatusPalette::quietText());
    line->setPalette(colours);
}

} // namespace

StatusLine::StatusLine(QWidget* parent, Mode mode)
    : TextLabel(parent, mode)
{
    applyTone(this, currentTone);
    hide();
}

void StatusLine::showStatus(const QString& text, Tone tone, const QString& details)
{
    setToolTip(details.isEmpty() ? QString() : text + QStringLiteral("\n\n") + details);
    if (tone != currentTone) {
        currentTone = tone;
        applyTone(this, tone);
    }
    setText(text);
    setVisible(!text.isEmpty());
}
