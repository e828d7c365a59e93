#include "dialog.h"

#include "calibrationfile.h"
#include "cataloguesource.h"
#include "filedownloader.h"
#include "listing.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QNetworkRequest>
#include <QPointer>
#include <QPushButton>
#include <QSplashScreen>
#include <QUrl>

namespace {
QString translated(const char *text)
{
    return QCoreApplication::translate("dialog", text);
}

// Start-up's splash screen is all the user sees while the catalogue is fetched.
void showOnSplash(const QString &text)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *splash = qobject_cast<QSplashScreen *>(widget))
            splash->showMessage(text, Qt::AlignHCenter | Qt::AlignBottom);
    }
}

enum class Fallback { LocalFile, Cancelled, Restore };

// Asks the user for a local catalogue until one is copied to target, or for Restore, which
// needs no catalogue.
Fallback copyLocalCatalogue(QWidget *parent, const QString &target)
{
    QMessageBox box(QMessageBox::Critical, translated("Network error"),
                    translated("Unable to download correction matrizes from the Internet, please select a Calibrations.txt file locally"),
                    QMessageBox::Ok, parent);
    const QPushButton *restore = box.addButton(translated("Restore\u2026"), QMessageBox::ActionRole);
    box.exec();
    if (box.clickedButton() == restore)
        return Fallback::Restore;
    for (;;) {
        const QString chosen = QFileDialog::getOpenFileName(parent, translated("Open File"), "/home");
        if (chosen.isEmpty())
            return Fallback::Cancelled;
        QFile source(chosen);
        if (source.copy(target))
            return Fallback::LocalFile;
        qDebug().nospace() << "Copying " << chosen << " to " << target << " failed: " << source.errorString();
        QMessageBox::warning(parent, translated("Cannot read file"),
                             translated("%1 cannot be used as the calibration catalogue. Please select another file.")
                                 .arg(QDir::toNativeSeparators(chosen)));
    }
}
}

void dialog::downloadCalibrations()
{
    downloader = new FileDownloader(this);
    QEventLoop loop;
    connect(downloader, SIGNAL(downloaded(QNetworkReply::NetworkError)),
            this, SLOT(slotFinishedDownload(QNetworkReply::NetworkError)));
    connect(this, SIGNAL(signalEndNetworkWait()), &loop, SLOT(quit()));

    // One request at a time, each awaited. A calibration file must announce its length, so that
    // a file cut short is never stored as whole; a listing cut short only names fewer files.
    const auto fetched = [&](const QString &address, bool isFile) {
        const QNetworkRequest request(QUrl(address, QUrl::TolerantMode));
        const QPointer<QNetworkReply> reply =
            downloader->get(request, catalogueTransferTimeoutMs(), catalogueDeadlineMs(), isFile);
        if (reply && !reply->isFinished())
            loop.exec();
        return networkError == QNetworkReply::NoError;
    };

    const QString base = catalogueBaseAddress();
    const QStringList names = fetched(base, false) ? catalogueFileNames(downloader->receivedData()) : QStringList();
    if (names.isEmpty()) {
        tmpCalFile.remove();
        const Fallback chosen = copyLocalCatalogue(this, tmpCalFile.fileName());
        m_catalogueChosen = chosen != Fallback::Cancelled;
        m_restoreOnly = chosen == Fallback::Restore;
        return;
    }

    // A catalogue that cannot be stored whole must not be read as if it were: nothing of
    // it stays, and discovery says so instead of offering what it holds.
    const auto storeFailed = [this] {
        qDebug().nospace() << "Storing the catalogue in " << tmpCalFile.fileName()
                           << " failed: " << tmpCalFile.errorString();
        tmpCalFile.close();
        tmpCalFile.remove();
        m_catalogueStored = false;
    };
    if (!tmpCalFile.open(QIODevice::WriteOnly))
        return storeFailed();
    qint64 storedBytes = 0;
    int stored = 0;
    for (const QString &name : names) {
        showOnSplash(tr("Fetching calibration file %1 of %2\u2026").arg(stored + 1).arg(names.size()));
        if (!fetched(base + name, true)) {
            qDebug().nospace() << "Catalogue file " << name << " failed (network error " << networkError
                               << "); stored " << stored << " of " << names.size() << " files";
            break;
        }
        const QByteArray body = downloader->receivedData();
        if (storedBytes + body.size() > maxCalibrationFileBytes) {
            qDebug().nospace() << "Catalogue file " << name << " would take the catalogue past "
                               << maxCalibrationFileBytes << " bytes; stored " << stored << " of " << names.size() << " files";
            break;
        }
        if (tmpCalFile.write(body) != body.size())
            return storeFailed();
        storedBytes += body.size();
        ++stored;
    }
    if (!tmpCalFile.flush())
        return storeFailed();
    tmpCalFile.close();
    if (tmpCalFile.error() != QFileDevice::NoError)
        storeFailed();
}
