#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton answer, QObject* parent)
    : QObject(parent)
    , answer(answer)
{
    connect(&timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer.start(5);
}

void ModalAnswerer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        return;
    }
    if (whileOpen) {
        whileOpen();
    }
    Seen record;
    record.className = QString::fromLatin1(modal->metaObject()->className());
    record.title = modal->windowTitle();
    record.parent = modal->parentWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        record.text = box->text();
        record.icon = box->icon();
        record.defaultButton = box->standardButton(box->defaultButton());
        seen.append(record);
        if (answerKey != 0) {
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key(answerKey));
            return;
        }
        QAbstractButton* button = box->button(answer);
        if (button) {
            button->click();
        } else {
            box->reject();
        }
        return;
    }
    seen.append(record);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
}

bool anyVisibleTopLevel()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            return true;
        }
    }
    return false;
}
