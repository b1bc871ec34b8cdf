#pragma once

#include "ui/ServiceSettingsDialog.h"

class QGridLayout;
class QtMaterialTextField;

// Edits how the service reaches ЛМ ЧЗ for the selected device: loads the settings when built,
// sends the edited ones on "Сохранить" and closes once the service accepts them.
class LmSettingsDialog : public ServiceSettingsDialog
{
    Q_OBJECT

public:
    explicit LmSettingsDialog(QWidget* parent);

    void setupUI();
    void setupCallbacks();
    void loadSettings();
    void saveSettings();

private:
    QtMaterialTextField* addField(QGridLayout* grid, int row, const QString& caption,
                                  const QString& placeholder);
    // Hides the field's text, with a button beside it that shows it until pressed again.
    void hideSecret(QGridLayout* grid, int row, QtMaterialTextField* field);
    void clearLoadedFields() override;

    QtMaterialTextField* addressField = nullptr;
    QtMaterialTextField* portField = nullptr;
    QtMaterialTextField* loginField = nullptr;
    QtMaterialTextField* passwordField = nullptr;
    QtMaterialTextField* newPasswordField = nullptr;
};
