#pragma once

#include <QFrame>

class QComboBox;
class QtMaterialRaisedButton;
class StatusLine;
class QtMaterialTabs;

// The top panel: the device selector, "Обновить список", the line that says the service is not
// reachable, and the two page tabs.
class HeaderFrame : public QFrame
{
    Q_OBJECT

public:
    explicit HeaderFrame(QWidget* parent);

    QtMaterialTabs* getTabs() const { return tabs; }
    QtMaterialRaisedButton* getRefreshButton() const { return refreshButton; }
    QComboBox* getDeviceSelector() const { return deviceSelector; }
    StatusLine* getServiceLine() const { return serviceLine; }

public slots:
    void setCurrentIndex(int index);

private:
    void setupUI();
    void setupCallbacks();
    void showDevices(const QStringList& devices);

    QtMaterialTabs* tabs = nullptr;
    QtMaterialRaisedButton* refreshButton = nullptr;
    QComboBox* deviceSelector = nullptr;
    // Says why the panels are empty while the service cannot be reached; hidden otherwise.
    StatusLine* serviceLine = nullptr;
};
