#pragma once

#include <QFrame>

class QComboBox;
class QtMaterialRaisedButton;
class QtMaterialTabs;

// The top panel: the device selector, "Обновить список" and the two page tabs.
class HeaderFrame : public QFrame
{
    Q_OBJECT

public:
    explicit HeaderFrame(QWidget* parent);

    QtMaterialTabs* getTabs() const { return tabs; }
    QtMaterialRaisedButton* getRefreshButton() const { return refreshButton; }
    QComboBox* getDeviceSelector() const { return deviceSelector; }

public slots:
    void setCurrentIndex(int index);

private:
    void setupUI();
    void setupCallbacks();

    QtMaterialTabs* tabs = nullptr;
    QtMaterialRaisedButton* refreshButton = nullptr;
    QComboBox* deviceSelector = nullptr;
};
