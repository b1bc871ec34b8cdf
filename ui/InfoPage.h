#pragma once

#include <QList>
#include <QWidget>

#include <functional>

class GISPanel;
class KKTPanel;
class LMPanel;
class ModulePanel;
class QtMaterialRaisedButton;
class RequestSaveLogs;
class SoftwarePanel;
class TorvoPanel;

// Page "Информация": the five module panels and the row of settings, refresh and log-export
// buttons.
class InfoPage : public QWidget
{
    Q_OBJECT

public:
    // Asks the operator for a folder; an empty text means none was chosen.
    using FolderChooser = std::function<QString(const QString& caption, const QString& startFolder)>;

    explicit InfoPage(QWidget* parent = nullptr);

    // The five module panels: Torvo, cash register, ЛМ ЧЗ, cash software, ГИС МТ.
    QList<ModulePanel*> getPanels() const;
    QtMaterialRaisedButton* getSettingsButton() const { return settingsButton; }
    QtMaterialRaisedButton* getUpdateButton() const { return updateButton; }
    QtMaterialRaisedButton* getSaveLogsButton() const { return saveLogsButton; }

    // Replaces the standard folder chooser of the log export.
    void setFolderChooser(FolderChooser chooser);

public slots:
    void saveServiceLogs();
    void showSettingsDialog();
    // Exports the service's business logs; nothing in the client starts it yet.
    void saveBusinessLogs(const QString& device, const QString& folder);

private:
    void setupUI();
    void setupCallbacks();
    QtMaterialRaisedButton* createButton(const QString& text, bool secondary);
    // Enables "Сохранить логи" again once an export ended, with the focus it had.
    void endLogExport();
    // Sends a log export of `device` into `folder`; either end tells the operator and enables
    // the button again.
    void sendLogExport(RequestSaveLogs* request, const QString& device, const QString& folder,
                       const QString& savedLine, const QString& errorPrefix, const QString& errorTitle);

    TorvoPanel* torvoPanel = nullptr;
    LMPanel* lmPanel = nullptr;
    KKTPanel* kktPanel = nullptr;
    SoftwarePanel* softwarePanel = nullptr;
    GISPanel* gisPanel = nullptr;
    QtMaterialRaisedButton* settingsButton = nullptr;
    QtMaterialRaisedButton* updateButton = nullptr;
    QtMaterialRaisedButton* saveLogsButton = nullptr;
    FolderChooser chooseFolder;
    bool saveLogsHadFocus = false;
};
