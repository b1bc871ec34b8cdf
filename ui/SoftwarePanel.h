#pragma once

#include "ui/ModulePanel.h"

// The cash software that works with the service.
class SoftwarePanel : public ModulePanel
{
    Q_OBJECT

public:
    explicit SoftwarePanel(QWidget* parent = nullptr);

public slots:
    void updateInfo() override;

private:
    void setupPanel();

    QLabel* statusLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* nameLabel = nullptr;
};
