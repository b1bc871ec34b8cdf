#include "IdleWindow.h"

#include "widgets/QtMaterialIconButton.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTabs.h"
#include "widgets/QtMaterialTextField.h"

#include <QGridLayout>

IdleWindow::IdleWindow(bool haloVisible, QWidget* parent)
    : QWidget(parent)
{
    setupUI(haloVisible);
}

void IdleWindow::setupUI(bool haloVisible)
{
    setWindowTitle(QStringLiteral("Idle cost"));
    auto* grid = new QGridLayout(this);

    auto* tabs = new QtMaterialTabs;
    tabs->setHaloVisible(haloVisible);
    tabs->addTab(QStringLiteral("Информация"));
    tabs->addTab(QStringLiteral("Уведомления"));
    grid->addWidget(tabs, 0, 0, 1, 2);

    for (int i = 0; i < 10; ++i) {
        auto* button = new QtMaterialRaisedButton(QStringLiteral("Кнопка %1").arg(i + 1));
        button->setHaloVisible(haloVisible);
        if (i % 3 == 2)
            button->setProperty("class", QStringLiteral("revertButton"));
        if (i == 9)
            button->setEnabled(false);
        grid->addWidget(button, 1 + i / 2, i % 2);
        if (!first)
            first = button;
    }

    auto* field = new QtMaterialTextField;
    field->setPlaceholderText(QStringLiteral("Логин"));
    grid->addWidget(field, 6, 0);
    auto* bell = new QtMaterialIconButton(QIcon(QStringLiteral(":/images/notification.svg")));
    bell->setColor(Qt::red);
    grid->addWidget(bell, 6, 1, Qt::AlignRight);
}
