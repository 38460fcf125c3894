#include "ui/qt/answer_box.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

AnswerBox::AnswerBox(QWidget* parent, Buttons buttons)
    : QMessageBox(parent), yesNo_(buttons == Buttons::YesNo) {
    setTextFormat(Qt::PlainText);
    if (yesNo_) {
        setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                       ~Qt::WindowCloseButtonHint);
    } else {
        setStandardButtons(QMessageBox::Ok);
    }
    connect(this, &QMessageBox::buttonClicked, this, [this](QAbstractButton* b) { answered_ = b; });
}

Answer AnswerBox::ask(const QString& title, const QString& text) {
    setWindowTitle(title);
    setText(text);
    // The first button has the keyboard again, whichever answered the last message.
    auto* first = qobject_cast<QPushButton*>(button(yesNo_ ? QMessageBox::Yes : QMessageBox::Ok));
    setDefaultButton(first);
    first->setFocus();
    answered_ = nullptr;
    exec();
    if (!yesNo_) return Answer::Ok;
    return answered_ == button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

void AnswerBox::keyPressEvent(QKeyEvent* event) {
    if (yesNo_ && event->matches(QKeySequence::Cancel)) return;
    QMessageBox::keyPressEvent(event);
}

void AnswerBox::closeEvent(QCloseEvent* event) {
    if (yesNo_ && !answered_) {
        event->ignore();
        return;
    }
    QMessageBox::closeEvent(event);
}
