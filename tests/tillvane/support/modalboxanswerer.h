#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

// Answers the next modal message box as soon as it is shown by pressing one of
// its standard buttons, and keeps what the box said. Without it a modal box
// would block the test forever.
class ModalBoxAnswerer : public QObject {
    Q_OBJECT

public:
    explicit ModalBoxAnswerer(QMessageBox::StandardButton answer);

    bool answered() const { return m_answered; }
    QString title() const { return m_title; }
    QString text() const { return m_text; }

private:
    void answerIfShown();

    QMessageBox::StandardButton m_answer;
    QTimer m_poll;
    bool m_answered = false;
    QString m_title;
    QString m_text;
};
