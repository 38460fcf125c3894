#pragma once
#include <QMessageBox>

#include "ui/port.h"

// The game's message box, made once for each kind of buttons and shown again for every message
// of that kind: each box made anew leaves a little memory behind in the window system.
//
// A box with Yes and No has no way out but its two answers: Esc and the title bar's close
// button do nothing, since either would quietly answer No (and a No may throw a record away).
// A box with one button closes with either.
class AnswerBox : public QMessageBox {
public:
    AnswerBox(QWidget* parent, Buttons buttons);
    // Shows the text, plain, until it is answered.
    Answer ask(const QString& title, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const bool yesNo_;
    QAbstractButton* answered_ = nullptr;
};
