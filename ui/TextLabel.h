#pragma once

#include "ui/TextFit.h"

#include <QLabel>

// A plain-text label for texts the client does not choose (the service's values, its errors),
// which never widens its row for them. Lines break at spaces and, in a word longer than a line,
// anywhere. `Wrap` grows to hold every line; `Elide` shows the lines its height holds, ends the
// last in "…" and shows the whole text as a tool tip. text() and what a screen reader hears stay
// the whole text. The text is laid out once per width, not at every paint.
class TextLabel : public QLabel
{
    Q_OBJECT

public:
    enum Mode
    {
        Wrap,
        Elide
    };

    explicit TextLabel(QWidget* parent, Mode mode = Wrap);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The text in lines of `width` pixels, cut to `maxHeight` when that is not negative.
    const FittedText& fitted(int width, int maxHeight) const;
    int textWidth(const QString& text) const;

    const Mode mode;
    struct Layout
    {
        QString text;
        QFont font;
        int width = -1;
        int maxHeight = -1;
        FittedText lines;
    };
    // The whole text, and what an eliding label shows of it: the last of each.
    mutable Layout whole;
    mutable Layout shown;
};
