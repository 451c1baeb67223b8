#include "modalboxanswerer.h"

#include <QAbstractButton>
#include <QApplication>

ModalBoxAnswerer::ModalBoxAnswerer(QMessageBox::StandardButton answer)
    : m_answer(answer)
{
    connect(&m_poll, &QTimer::timeout, this, &ModalBoxAnswerer::answerIfShown);
    m_poll.start(10);
}

void ModalBoxAnswerer::answerIfShown()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->button(m_answer))
        return;
    m_poll.stop();
    m_answered = true;
    m_title = box->windowTitle();
    m_text = box->text();
    box->button(m_answer)->click();
}
