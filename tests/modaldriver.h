#ifndef MODALDRIVER_H
#define MODALDRIVER_H

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>

// Answers the modal windows the catalogue retrieval raises while a window is being
// constructed, and records each one it met: "message <title>: <text>", "file <caption>".
// A message box is answered No where it asks, else confirmed with Ok; each file dialog is given the next of filesToChoose,
// or rejected when none is left; any other modal window is handed to `other`.
class ModalDriver
{
public:
    explicit ModalDriver(const QStringList &filesToChoose = QStringList(), std::function<void(QWidget *)> other = {})
        : m_files(filesToChoose), m_other(std::move(other))
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
            m_seen << "message " + box->windowTitle() + ": " + box->text();
            QTest::mouseClick(box->button(box->button(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok), Qt::LeftButton);
        } else if (auto *chooser = qobject_cast<QFileDialog *>(modal)) {
            m_seen << "file " + chooser->windowTitle();
            if (m_files.isEmpty())
                return chooser->reject();
            // Typed into the name field as a user would; selectFile() leaves a focused field alone.
            chooser->findChild<QLineEdit *>("fileNameEdit")->setText(m_files.takeFirst());
            static_cast<QDialog *>(chooser)->done(QDialog::Accepted); // as a platform's own chooser may, it takes a folder too
        } else if (m_other) {
            m_other(modal);
        }
    }

    QStringList m_files;
    std::function<void(QWidget *)> m_other;
    QStringList m_seen;
    QTimer m_timer;
};

#endif
