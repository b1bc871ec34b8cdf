#pragma once

#include <QLabel>

// The coloured dot beside a module's main state.
class StatusIndicator : public QLabel
{
    Q_OBJECT

public:
    enum Status
    {
        Hidden = 0,
        Success = 1,
        Failure = 2,
        Unknown = 3
    };
    Q_ENUM(Status)

    StatusIndicator(QWidget* parent, int size);

    void setStatus(Status status);
    Status getStatus() const { return status; }

    static QString colorOf(Status status);
    static QString toolTipOf(Status status);

private:
    void applyStyle();

    int diameter;
    Status status = Unknown;
};
