#pragma once

#include <QString>

class QWidget;

// A modal critical box with one OK button, like QMessageBox::critical, but its text is shown
// literally: it may be the service's own words and is never read as markup.
void showPlainCritical(QWidget* parent, const QString& title, const QString& text);
