#pragma once

#include "ui/ModulePanel.h"

// The cash register of the selected device; the dot shows whether its shift is open.
class KKTPanel : public ModulePanel
{
    Q_OBJECT

public:
    explicit KKTPanel(QWidget* parent = nullptr);

public slots:
    void updateInfo() override;

private:
    void setupPanel();

    QLabel* modelLabel = nullptr;
    QLabel* serialLabel = nullptr;
    QLabel* fnLabel = nullptr;
    QLabel* rnmLabel = nullptr;
    QLabel* innLabel = nullptr;
    QLabel* shiftLabel = nullptr;
};
