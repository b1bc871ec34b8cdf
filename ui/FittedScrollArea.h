#pragma once

#include <QScrollArea>

// A scroll area that asks for the whole height of its contents, so that a layout gives it what
// they need while there is room, and scrolls them only in less: what stands below it stays in
// sight however tall they grow.
class FittedScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    explicit FittedScrollArea(QWidget* parent);

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
