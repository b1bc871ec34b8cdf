#include "ui/ModulePanel.h"

#include "app/ApplicationState.h"
#include "ui/PanelStatus.h"
#include "ui/StatusIndicator.h"
#include "ui/StatusLine.h"
#include "ui/TextLabel.h"
#include "widgets/QtMaterialIconButton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>
#include <QVariant>

#include <algorithm>

QString ModulePanel::valueName(const QString& caption)
{
    return caption.endsWith(QLatin1Char(':')) ? caption.chopped(1) : caption;
}

ModulePanel::ModulePanel(QWidget* parent, const QString& title, NotificationModule module,
                         bool CriticalModuleNotification::*criticalFlag)
    : QFrame(parent)
    , module(module)
    , criticalFlag(criticalFlag)
{
    setupFrame(title);
    setupNotificationButton();
}

void ModulePanel::setupFrame(const QString& title)
{
    setProperty("panelClass", QStringLiteral("main-panel"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);

    panelLayout = new QVBoxLayout(this);

    titleLabel = new QLabel(title, this);
    titleLabel->setProperty("labelClass", QStringLiteral("header"));
    notificationButton = new QtMaterialIconButton(QIcon(QStringLiteral(":/images/notification.svg")), this);
    notificationButton->setColor(Qt::red);
    // The bell has no text; a screen reader names it by its module.
    notificationButton->setAccessibleName(QStringLiteral("Уведомления: ") + notificationModuleName(module));
    notificationButton->hide();

    auto* header = new QHBoxLayout();
    header->addWidget(titleLabel, 0, Qt::AlignLeft);
    header->addWidget(notificationButton, 0, Qt::AlignRight);
    panelLayout->addLayout(header);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    panelLayout->addWidget(rule);

    readLine = new StatusLine(this);
    panelLayout->addWidget(readLine);

    grid = new QGridLayout();
    // Values start right after the longest caption instead of drifting to the middle.
    grid->setColumnStretch(2, 1);
    panelLayout->addLayout(grid);
}

void ModulePanel::setupNotificationButton()
{
    connect(notificationButton, &QtMaterialIconButton::clicked, this,
            [this]() { emit showNotifications(QSet<NotificationModule>{module}); });
}

void ModulePanel::updateCriticalModuleNotification(
    const CriticalModuleNotification& criticalModuleNotification)
{
    if (criticalModuleNotification.*criticalFlag) {
        notificationButton->setColor(Qt::red);
        notificationButton->show();
    } else {
        notificationButton->hide();
    }
}

void ModulePanel::showReads()
{
    const QList<QPair<ReadState, QString>> reads = ApplicationState::getInstance()->readsOf(module);
    const bool failed =
        std::any_of(reads.cbegin(), reads.cend(), [](const auto& read) { return read.first.isFailed(); });
    readLine->showStatus(readStateLine(reads), failed ? StatusLine::Failure : StatusLine::Quiet,
                         readStateDetails(reads));
}

QLabel* ModulePanel::createValueLabel(QWidget* parent)
{
    // The texts come from the service: shown as they are, never as markup, and an error sentence
    // or a long identifier wraps instead of widening the page.
    return new TextLabel(parent);
}

int ModulePanel::addCaption(const QString& caption, Qt::Alignment alignment)
{
    const int row = rows++;
    grid->addWidget(new QLabel(caption, this), row, 0, alignment);
    return row;
}

QLabel* ModulePanel::addRow(const QString& caption)
{
    // A value that wraps reads from its caption's line on.
    const int row = addCaption(caption, Qt::AlignLeft | Qt::AlignTop);
    QLabel* value = createValueLabel(this);
    value->setObjectName(valueName(caption));
    grid->addWidget(value, row, 2);
    return value;
}

QLabel* ModulePanel::addStatusRow(const QString& caption)
{
    QLabel* value = addRow(caption);
    statusIndicator = new StatusIndicator(this, 7);
    // Values stay in their column whether or not the dot is shown.
    QSizePolicy policy = statusIndicator->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    statusIndicator->setSizePolicy(policy);
    statusIndicator->setStatus(StatusIndicator::Hidden);
    statusIndicator->setStatusTextLabel(value);
    grid->addWidget(statusIndicator, rows - 1, 1, Qt::AlignCenter);
    return value;
}

void ModulePanel::addLayoutRow(const QString& caption, QLayout* value, QLabel* valueLabel)
{
    grid->addLayout(value, addCaption(caption, Qt::Alignment()), 2, Qt::AlignLeft);
    valueLabel->setObjectName(valueName(caption));
}
