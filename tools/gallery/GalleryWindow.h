#pragma once

#include <QWidget>

class QLabel;
class QtMaterialTabs;

// One window with every material widget in its roles and states, plain and under the client's
// style sheet, for looking at and for screenshots.
class GalleryWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget* parent = nullptr);

    // Puts the widgets marked "focused" into their focused look; call once the window is shown.
    void showFocusedStates();

private:
    void setupUI();
    void setupCallbacks();

    QLabel* status = nullptr;
    QList<QWidget*> focusedLook;
    QList<QtMaterialTabs*> tabBars;
};
