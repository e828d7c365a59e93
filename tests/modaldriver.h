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

// Answers the modal windows the catalogue retrieval raises while a window is being
// constructed, and records each one it met: "message <title>: <text> (<details>)",
// "file <caption>", "progress <text>". Answers are taken in order: a message box is given Retry
// when the next answer is "<Retry>", else Ok; a progress window is cancelled once the next
// answer is "<Cancel>" followed by its text, else left alone; a file dialog is given the next
// answer, or rejected when none is left.
class ModalDriver
{
public:
    explicit ModalDriver(const QStringList &answers = QStringList())
        : m_answers(answers)
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
            const bool retry = !m_answers.isEmpty() && m_answers.first() == "<Retry>";
            QTest::mouseClick(box->button(retry ? (m_answers.removeFirst(), QMessageBox::Retry) : QMessageBox::Ok), Qt::LeftButton);
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
        }
    }

    QStringList m_answers;
    QStringList m_seen;
    QTimer m_timer;
};

#endif
