#ifndef MODALDRIVER_H
#define MODALDRIVER_H

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

// Answers the modal windows the catalogue retrieval raises while a window is being
// constructed, and records each one it met: "message <title>: <text>", "file <caption>".
// A message box is confirmed with Ok; a file dialog is given fileToChoose, or
// rejected when that is empty. Anything else is recorded and rejected.
class ModalDriver
{
public:
    explicit ModalDriver(const QString &fileToChoose = QString())
        : m_fileToChoose(fileToChoose)
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
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                QTest::mouseClick(ok, Qt::LeftButton);
            else
                box->reject();
        } else if (auto *chooser = qobject_cast<QFileDialog *>(modal)) {
            m_seen << "file " + chooser->windowTitle();
            if (m_fileToChoose.isEmpty()) {
                chooser->reject();
            } else {
                // Typed into the name field as a user would; selectFile() leaves a focused field alone.
                if (auto *name = chooser->findChild<QLineEdit *>("fileNameEdit"))
                    name->setText(m_fileToChoose);
                static_cast<QDialog *>(chooser)->accept(); // the file dialog checks the choice first
            }
        } else {
            m_seen << QString("unexpected ") + modal->metaObject()->className();
            modal->close();
        }
    }

    QString m_fileToChoose;
    QStringList m_seen;
    QTimer m_timer;
};

#endif
