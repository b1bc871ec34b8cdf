#pragma once

#include <QList>

class QWidget;

// The sections of the gallery. Widgets meant to look focused are appended to `focused`.
namespace GallerySections {

QWidget* raisedButtons(QList<QWidget*>& focused);
QWidget* flatButtons(QList<QWidget*>& focused);
QWidget* iconButtons();
QWidget* textFields(QList<QWidget*>& focused);
QWidget* tabs();
// The same widgets as the client sets them up, under its style sheet rules.
QWidget* clientLook();

} // namespace GallerySections
