#pragma once

#include <QDialog>

class QGridLayout;
class QtMaterialRaisedButton;
class QtMaterialTextField;

// Edits how the service reaches ЛМ ЧЗ for the selected device: loads the settings when built,
// sends the edited ones on "Сохранить" and closes once the service accepts them.
class LmSettingsDialog : public QDialog
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
    void clearLoadedFields();

    QtMaterialTextField* addressField = nullptr;
    QtMaterialTextField* portField = nullptr;
    QtMaterialTextField* loginField = nullptr;
    QtMaterialTextField* passwordField = nullptr;
    QtMaterialTextField* newPasswordField = nullptr;
    QtMaterialRaisedButton* saveButton = nullptr;
    // The device the dialog was opened for; its settings go back there even if the selection moves.
    QString device;
};
