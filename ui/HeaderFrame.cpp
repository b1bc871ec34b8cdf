#include "ui/HeaderFrame.h"

#include "app/ApplicationState.h"
#include "ui/StatusLine.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTabs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

HeaderFrame::HeaderFrame(QWidget* parent)
    : QFrame(parent)
{
    setupUI();
    setupCallbacks();
}

void HeaderFrame::setupUI()
{
    setProperty("panelClass", QStringLiteral("main-panel"));
    auto* layout = new QVBoxLayout(this);

    deviceSelector = new QComboBox(this);
    deviceSelector->setFixedHeight(25);
    // A screen reader's name for the selector. Qt on Linux names a combo box by its current text
    // and reads its label from a buddy; the header shows no caption, so that one stays hidden.
    deviceSelector->setAccessibleName(QStringLiteral("Касса"));
    auto* selectorCaption = new QLabel(deviceSelector->accessibleName(), this);
    selectorCaption->setBuddy(deviceSelector);
    selectorCaption->hide();

    refreshButton = new QtMaterialRaisedButton(QStringLiteral("Обновить список"), this);
    refreshButton->setHaloVisible(false);

    auto* firstRow = new QHBoxLayout();
    firstRow->addWidget(deviceSelector, 1);
    firstRow->addWidget(refreshButton, 1, Qt::AlignLeft);

    // Beside the tabs, in the room the row has anyway: shown or hidden, it never moves the page.
    serviceLine = new StatusLine(this, StatusLine::Elide);
    QSizePolicy policy = serviceLine->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    serviceLine->setSizePolicy(policy);

    tabs = new QtMaterialTabs(this);
    tabs->addTab(QStringLiteral("Информация"), QIcon());
    tabs->addTab(QStringLiteral("Уведомления"), QIcon());
    tabs->setHaloVisible(false);

    auto* secondRow = new QHBoxLayout();
    secondRow->addWidget(tabs, 1);
    secondRow->addWidget(serviceLine, 1);

    layout->addLayout(firstRow);
    layout->addSpacing(5);
    layout->addLayout(secondRow);
}

void HeaderFrame::setupCallbacks()
{
    connect(
        ApplicationState::getInstance(), &ApplicationState::deviceListChanged, deviceSelector,
        [this](const QStringList& devices) { showDevices(devices); }, Qt::DirectConnection);
    // A list round lasts as long as the service's slower answer: the button says it is under way.
    connect(ApplicationState::getInstance(), &ApplicationState::roundsChanged, refreshButton, [this]() {
        refreshButton->setText(ApplicationState::getInstance()->isListRoundRunning()
                                   ? QStringLiteral("Обновление списка ...")
                                   : QStringLiteral("Обновить список"));
    });
    connect(ApplicationState::getInstance(), &ApplicationState::serviceProblemChanged, serviceLine,
            [this](const ServiceProblem& problem) {
                serviceLine->showStatus(problem.text(), StatusLine::Failure, problem.details());
            });
}

void HeaderFrame::showDevices(const QStringList& devices)
{
    // Every change of the current text reaches the application state, the empty one included:
    // a new list reads its first device afresh, so a service that came back is read again.
    deviceSelector->clear();
    deviceSelector->addItems(devices);
}

void HeaderFrame::setCurrentIndex(int index)
{
    tabs->setCurrentTab(index);
}
