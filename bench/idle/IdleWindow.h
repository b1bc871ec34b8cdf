#pragma once

#include <QWidget>

class QtMaterialRaisedButton;

// Ten raised buttons, a tab bar, a text field and an icon button, as a panel of the client has.
class IdleWindow : public QWidget
{
    Q_OBJECT

public:
    explicit IdleWindow(bool haloVisible, QWidget* parent = nullptr);

    QtMaterialRaisedButton* firstButton() const { return first; }

private:
    void setupUI(bool haloVisible);

    QtMaterialRaisedButton* first = nullptr;
};
