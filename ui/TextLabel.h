#pragma once

#include <QLabel>

class QTextLayout;

// A plain-text label for texts the client does not choose (the service's values, its errors),
// which never widens its row for them. Lines break at spaces and, in a word longer than a line,
// anywhere. `Wrap` grows to hold every line; `Elide` shows the lines its height holds, ends the
// last in "…" and shows the whole text as a tool tip. text() and what a screen reader hears stay
// the whole text.
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
    // Lays the text out in lines of `width` pixels; returns the height it takes.
    int layOut(QTextLayout& layout, int width) const;
    int textWidth(const QString& text) const;
    // Whether the label shows less than the whole text.
    bool cutShort() const;

    const Mode mode;
};
