#include "GalleryWindow.h"

#include "GallerySections.h"

#include "widgets/QtMaterialTabs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>

GalleryWindow::GalleryWindow(QWidget* parent)
    : QWidget(parent)
{
    setupUI();
    setupCallbacks();
}

void GalleryWindow::setupUI()
{
    setWindowTitle(QStringLiteral("Material widgets"));
    setStyleSheet(QStringLiteral("GalleryWindow { background-color: #f0f0f0; }"));
    setAttribute(Qt::WA_StyledBackground);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(24);
    grid->addWidget(GallerySections::raisedButtons(focusedLook), 0, 0);
    grid->addWidget(GallerySections::flatButtons(focusedLook), 0, 1);
    grid->addWidget(GallerySections::textFields(focusedLook), 1, 0);
    grid->addWidget(GallerySections::iconButtons(), 1, 1);
    grid->addWidget(GallerySections::tabs(), 2, 0);
    grid->addWidget(GallerySections::clientLook(), 2, 1);
    status = new QLabel(QStringLiteral("Click a widget: its signal is shown here."));
    grid->addWidget(status, 3, 0, 1, 2);
    tabBars = findChildren<QtMaterialTabs*>();
}

void GalleryWindow::setupCallbacks()
{
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        connect(button, &QAbstractButton::clicked, status, [this, button] {
            status->setText(
                QStringLiteral("clicked: %1")
                    .arg(button->text().isEmpty() ? QStringLiteral("icon button") : button->text()));
        });
    }
    for (QtMaterialTabs* tabs : qAsConst(tabBars)) {
        connect(tabs, &QtMaterialTabs::currentChanged, status,
                [this](int index) { status->setText(QStringLiteral("currentChanged(%1)").arg(index)); });
    }
}

void GalleryWindow::showFocusedStates()
{
    // Only one widget can hold the focus; the others are told they have it, for the picture.
    for (QWidget* widget : qAsConst(focusedLook)) {
        QFocusEvent event(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(widget, &event);
    }
    if (!focusedLook.isEmpty())
        focusedLook.last()->setFocus();
}
