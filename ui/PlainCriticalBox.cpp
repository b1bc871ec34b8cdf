#include "ui/PlainCriticalBox.h"

#include <QMessageBox>

namespace {

void showPlainBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void showPlainCritical(QWidget* parent, const QString& title, const QString& text)
{
    showPlainBox(parent, QMessageBox::Critical, title, text);
}

void showPlainInformation(QWidget* parent, const QString& title, const QString& text)
{
    showPlainBox(parent, QMessageBox::Information, title, text);
}
