// SPDX-License-Identifier: MIT
#ifndef RESTOREDIALOG_H
#define RESTOREDIALOG_H

#include "backup.h"

#include <QDialog>
#include <QHash>
#include <QVector>

class QLabel;
class QListWidget;
class QPushButton;

// Lets the user pick one of an instrument's backups: newest first, each with its time and
// the names it holds, and beneath them what `notes` tells of it (by its path). A damaged one
// is listed with the reason and cannot be picked.
class RestoreDialog : public QDialog
{
    Q_OBJECT

public:
    RestoreDialog(const QString &serial, const QVector<BackupFile> &backups, const QString &preferred,
                  QWidget *parent = nullptr, const QHash<QString, QString> &notes = {});

    // The path of the backup picked, empty when the user cancelled or there was none.
    static QString choose(QWidget *parent, const QString &serial, const QString &preferred,
                          const QHash<QString, QString> &notes = {});

    QString chosenPath() const;

private:
    void showChosen();

    QListWidget *m_list;
    QLabel *m_status;
    QPushButton *m_restore = nullptr;
};

#endif
