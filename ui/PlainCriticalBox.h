#pragma once

#include <QString>

class QWidget;

// Modal boxes with one OK button, like QMessageBox::critical and ::information, but their text is
// shown literally: it may hold the service's own words or a folder's name, never read as markup.
void showPlainCritical(QWidget* parent, const QString& title, const QString& text);
void showPlainInformation(QWidget* parent, const QString& title, const QString& text);
