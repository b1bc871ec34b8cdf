#pragma once

#include <QLabel>
#include <QPointer>

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

    // The label that holds the status text this dot stands for; a screen reader names the dot by it.
    void setStatusTextLabel(QLabel* label) { statusTextLabel = label; }
    QString statusText() const { return statusTextLabel ? statusTextLabel->text() : QString(); }

    static QString colorOf(Status status);
    static QString toolTipOf(Status status);

private:
    void applyStyle();

    int diameter;
    QPointer<QLabel> statusTextLabel;
    Status status = Unknown;
};
