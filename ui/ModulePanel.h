#pragma once

#include "notifications/NotificationInfo.h"

#include <QFrame>
#include <QSet>

class QGridLayout;
class QLabel;
class QVBoxLayout;
class QtMaterialIconButton;
class StatusIndicator;
class StatusLine;

// The frame every module panel shares: a title, a notification button that lights up for its
// module's critical notifications, a rule and a grid of caption and value rows.
class ModulePanel : public QFrame
{
    Q_OBJECT

public:
    NotificationModule getModule() const { return module; }
    // The object name of the value label of the row captioned `caption`.
    static QString valueName(const QString& caption);
    QtMaterialIconButton* getNotificationButton() const { return notificationButton; }
    QLabel* getTitleLabel() const { return titleLabel; }
    StatusIndicator* getStatusIndicator() const { return statusIndicator; }
    // The line over the rows that says what of the panel is not known, or that it is loading.
    StatusLine* getReadLine() const { return readLine; }

signals:
    void showNotifications(const QSet<NotificationModule>& visibleModules);

public slots:
    virtual void updateInfo() = 0;
    void updateCriticalModuleNotification(const CriticalModuleNotification& criticalModuleNotification);

protected:
    ModulePanel(QWidget* parent, const QString& title, NotificationModule module,
                bool CriticalModuleNotification::*criticalFlag);

    // A caption in column 0 and an empty value label in column 2, which is returned; the value
    // label is named after the caption without its colon ("Модель" for "Модель:").
    QLabel* addRow(const QString& caption);
    // As addRow, with the panel's status dot in column 1; the dot stays hidden until a redraw.
    QLabel* addStatusRow(const QString& caption);
    // A caption in column 0 whose value is the caller's own layout in column 2.
    void addLayoutRow(const QString& caption, QLayout* value, QLabel* valueLabel);

    static QLabel* createValueLabel(QWidget* parent);
    // Shows what became of the reads the panel's values come from.
    void showReads();

    QVBoxLayout* panelLayout = nullptr;
    QGridLayout* grid = nullptr;

private:
    void setupFrame(const QString& title);
    void setupNotificationButton();
    int addCaption(const QString& caption, Qt::Alignment alignment);

    const NotificationModule module;
    bool CriticalModuleNotification::*const criticalFlag;
    QLabel* titleLabel = nullptr;
    QtMaterialIconButton* notificationButton = nullptr;
    StatusIndicator* statusIndicator = nullptr;
    StatusLine* readLine = nullptr;
    int rows = 0;
};
