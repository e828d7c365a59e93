// SPDX-License-Identifier: MIT
#ifndef MODALDRIVER_H
#define MODALDRIVER_H

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>

// Answers the modal windows the catalogue retrieval raises while a window is being
// constructed, and records each one it met: "message <title>: <text> (<details>)",
// "file <caption>", "progress <text>". Answers are taken in order: a message box is given Retry
// when the next answer is "<Retry>", else No where it asks, else Ok; a progress window is
// cancelled once the next answer is "<Cancel>" followed by its text, else left alone; a file
// dialog is given the next answer, or rejected when none is left; any other modal window is
// handed to `other`.
class ModalDriver
{
public:
    explicit ModalDriver(const QStringList &answers = QStringList(), std::function<void(QWidget *)> other = {})
        : m_answers(answers), m_other(std::move(other))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answerActiveModal(); });
        m_timer.start(20);
    }

    QStringList seen() const { return m_seen; }

private:
    void answerActiveModal()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            m_seen << "message " + box->windowTitle() + ": " + box->text()
                    + (box->informativeText().isEmpty() ? QString() : " (" + box->informativeText() + ")");
            const bool retry = !m_answers.isEmpty() && m_answers.first() == "<Retry>" && !m_answers.takeFirst().isEmpty();
            const QMessageBox::StandardButton answer = retry ? QMessageBox::Retry
                : box->button(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
            QTest::mouseClick(box->button(answer), Qt::LeftButton);
        } else if (auto *progress = qobject_cast<QProgressDialog *>(modal)) {
            if (m_answers.isEmpty() || m_answers.first() != "<Cancel>" + progress->labelText())
                return;
            m_answers.removeFirst();
            m_seen << "progress " + progress->labelText();
            QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
        } else if (auto *chooser = qobject_cast<QFileDialog *>(modal)) {
            m_seen << "file " + chooser->windowTitle();
            if (m_answers.isEmpty())
                return chooser->reject();
            // Typed into the name field as a user would; selectFile() leaves a focused field alone.
            chooser->findChild<QLineEdit *>("fileNameEdit")->setText(m_answers.takeFirst());
            static_cast<QDialog *>(chooser)->done(QDialog::Accepted); // as a platform's own chooser may, it takes a folder too
        } else if (m_other) {
            m_other(modal);
        }
    }

    QStringList m_answers;
    std::function<void(QWidget *)> m_other;
    QStringList m_seen;
    QTimer m_timer;
};

#endif
