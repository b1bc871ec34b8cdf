#pragma once

#include "ui/ModulePanel.h"

// ГИС МТ as the service sees it.
class GISPanel : public ModulePanel
{
    Q_OBJECT

public:
    explicit GISPanel(QWidget* parent = nullptr);

public slots:
    void updateInfo() override;

private:
    void setupPanel();

    QLabel* statusLabel = nullptr;
    QLabel* idLabel = nullptr;
    QLabel* lastSyncLabel = nullptr;
};
