// SPDX-License-Identifier: MIT
#include "restoredialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
QString translated(const char *text)
{
    return QCoreApplication::translate("dialog", text);
}

constexpr int kFailureRole = Qt::UserRole + 1; // empty for a backup that can be restored

// note: what the history tells of the run it was taken before, if anything
QString entryText(const BackupFile &file, const QString &note)
{
    const QString when = file.backup.time.isValid() ? backupTimeText(file.backup.time) : QFileInfo(file.path).fileName();
    if (!file.failure.isEmpty()) // its names may be garbage
        return when + "  " + translated("damaged, cannot be restored") + "\n    " + file.failure;
    const QStringList names = backupNames(file.backup);
    return when + "\n    " + (names.isEmpty() ? translated("(no calibrations)") : names.join(", "))
        + (file.checked ? QString() : "\n    " + translated("cannot be checked: written by an earlier version"))
        + (note.isEmpty() ? QString() : "\n    " + note);
}
}

RestoreDialog::RestoreDialog(const QString &serial, const QVector<BackupFile> &backups, const QString &preferred,
                             QWidget *parent, const QHash<QString, QString> &notes)
    : QDialog(parent)
    , m_list(new QListWidget(this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("RestoreDialog"));
    setWindowTitle(translated("Restore calibrations"));
    m_list->setObjectName(QStringLiteral("backupList"));
    m_list->setAccessibleName(translated("Backups of this TARVIK"));
    auto *intro = new QLabel(backups.isEmpty()
                                 ? translated("No backup of the TARVIK %1 was found in %2.")
                                       .arg(serial, QDir::toNativeSeparators(backupDirectory()))
                                 : translated("Backups of the TARVIK %1, newest first:").arg(serial),
                             this);
    intro->setWordWrap(true);
    intro->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (const BackupFile &file : backups) {
        auto *item = new QListWidgetItem(entryText(file, notes.value(file.path)), m_list);
        item->setData(Qt::UserRole, file.path);
        item->setData(kFailureRole, file.failure);
        item->setToolTip(QDir::toNativeSeparators(file.path));
        if (!file.failure.isEmpty())
            item->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
        // The one the caller prefers if it can be restored, else the newest that can.
        else if (file.path == preferred || !m_list->currentItem())
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem())
        m_list->setCurrentRow(0);
    m_status->setObjectName(QStringLiteral("backupStatusLabel"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_restore = buttons->button(QDialogButtonBox::Ok);
    m_restore->setObjectName(QStringLiteral("restoreChosenButton"));
    m_restore->setText(translated("Restore\u2026"));
    buttons->button(QDialogButtonBox::Cancel)->setText(translated("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_restore->isEnabled())
            accept();
    });
    connect(m_list, &QListWidget::currentItemChanged, this, &RestoreDialog::showChosen);
    showChosen();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    resize(680, 420); // wide enough for the line that tells how the run after a backup ended
}

void RestoreDialog::showChosen()
{
    const QListWidgetItem *item = m_list->currentItem();
    const QString failure = item ? item->data(kFailureRole).toString() : QString();
    m_restore->setEnabled(item && failure.isEmpty());
    m_status->setText(failure.isEmpty() ? QString() : translated("This backup cannot be restored: %1. Choose another one.").arg(failure));
    m_status->setVisible(!failure.isEmpty());
}

QString RestoreDialog::chosenPath() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item && item->data(kFailureRole).toString().isEmpty() ? item->data(Qt::UserRole).toString() : QString();
}

QString RestoreDialog::choose(QWidget *parent, const QString &serial, const QString &preferred,
                             const QHash<QString, QString> &notes)
{
    RestoreDialog picker(serial, backupsOf(backupDirectory(), serial), preferred, parent, notes);
    return picker.exec() == QDialog::Accepted ? picker.chosenPath() : QString();
}
