#include "restoredialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString translated(const char *text)
{
    return QCoreApplication::translate("dialog", text);
}
}

RestoreDialog::RestoreDialog(const QString &serial, const QVector<BackupFile> &backups, const QString &preferred,
                             QWidget *parent)
    : QDialog(parent)
    , m_list(new QListWidget(this))
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
        const QStringList names = backupNames(file.backup);
        auto *item = new QListWidgetItem(backupTimeText(file.backup.time) + "\n    "
                                             + (names.isEmpty() ? translated("(no calibrations)") : names.join(", ")),
                                         m_list);
        item->setData(Qt::UserRole, file.path);
        item->setToolTip(QDir::toNativeSeparators(file.path));
        if (file.path == preferred || m_list->count() == 1)
            m_list->setCurrentItem(item);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("restoreChosenButton"));
    ok->setText(translated("Restore\u2026"));
    ok->setEnabled(!backups.isEmpty());
    buttons->button(QDialogButtonBox::Cancel)->setText(translated("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(520, 360);
}

QString RestoreDialog::chosenPath() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

QString RestoreDialog::choose(QWidget *parent, const QString &serial, const QString &preferred)
{
    RestoreDialog picker(serial, backupsOf(backupDirectory(), serial), preferred, parent);
    return picker.exec() == QDialog::Accepted ? picker.chosenPath() : QString();
}
