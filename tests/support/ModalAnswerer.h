#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// Answers the modal dialogs that a test's action opens: each time one becomes active, its
// title and text are recorded and `answer` is pressed (a QMessageBox) or the dialog is
// rejected (any other QDialog). Watches the event loop; no test ever blocks on a dialog.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok, QObject* parent = nullptr);

    void setAnswer(QMessageBox::StandardButton button) { answer = button; }
    // Answers a box with this key, pressed where its focus is, as an operator at the keyboard
    // does; 0 clicks the answer button.
    void setAnswerKey(int key) { answerKey = key; }
    // Runs while each dialog is open, just before it is answered: what may happen meanwhile.
    void setWhileOpen(std::function<void()> action) { whileOpen = std::move(action); }

    struct Seen
    {
        QString className;
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QWidget* parent = nullptr;
    };
    QList<Seen> seen;
    int count() const { return seen.size(); }
    Seen last() const { return seen.isEmpty() ? Seen() : seen.last(); }

private:
    void poll();

    QMessageBox::StandardButton answer;
    int answerKey = 0;
    std::function<void()> whileOpen;
    QTimer timer;
};

// True while any top-level widget is visible: a test ends with none left.
bool anyVisibleTopLevel();
