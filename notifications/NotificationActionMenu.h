#pragma once

#include <QMenu>

// The table's right-click menu. It only names the command; the table decides what the command
// does with the current selection.
class NotificationActionMenu : public QMenu
{
    Q_OBJECT

public:
    explicit NotificationActionMenu(QWidget* parent = nullptr);

    void showMenu(const QPoint& globalPosition);

signals:
    void markAsReadRequested();
    void markAllAsReadRequested();
    void deleteSelectedRequested();
    void deleteAllRequested();

private:
    void setupUI();
    void setupCallbacks();

    QAction* markAsReadAction = nullptr;
    QAction* markAllAsReadAction = nullptr;
    QAction* deleteSelectedAction = nullptr;
    QAction* deleteAllAction = nullptr;
};
