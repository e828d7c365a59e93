#include "dialog.h"

#include "cataloguesource.h"
#include "filedownloader.h"
#include "listing.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

namespace {
// Asks the user for a local catalogue and copies it to target. False when the user cancelled.
bool copyLocalCatalogue(QWidget *parent, const QString &target)
{
    QMessageBox::critical(parent, QCoreApplication::translate("dialog", "Network error"),
                          QCoreApplication::translate("dialog",
                              "Unable to download correction matrizes from the Internet, please select a Calibrations.txt file locally"),
                          QMessageBox::Ok, QMessageBox::NoButton);
    const QString chosen = QFileDialog::getOpenFileName(parent, QCoreApplication::translate("dialog", "Open File"), "/home");
    if (chosen.isEmpty())
        return false;
    QFile::copy(chosen, target);
    return true;
}
}

void dialog::downloadCalibrations()
{
    downloader = new FileDownloader(this);
    QEventLoop loop;
    connect(downloader, SIGNAL(downloaded(QNetworkReply::NetworkError)),
            this, SLOT(slotFinishedDownload(QNetworkReply::NetworkError)));
    connect(this, SIGNAL(signalEndNetworkWait()), &loop, SLOT(quit()));

    // One request at a time, each awaited; a server that stops sending fails it after the time limit.
    const auto fetched = [&](const QString &address) {
        QNetworkRequest request(QUrl(address, QUrl::TolerantMode));
        request.setTransferTimeout(catalogueTransferTimeoutMs());
        const QPointer<QNetworkReply> reply = downloader->get(request);
        if (reply && !reply->isFinished())
            loop.exec();
        return networkError == QNetworkReply::NoError;
    };

    const QString base = catalogueBaseAddress();
    const QStringList names = fetched(base) ? catalogueFileNames(downloader->receivedData()) : QStringList();
    if (names.isEmpty()) {
        tmpCalFile.remove();
        m_catalogueChosen = copyLocalCatalogue(this, tmpCalFile.fileName());
        return;
    }

    tmpCalFile.open(QIODevice::WriteOnly);
    int stored = 0;
    for (const QString &name : names) {
        if (!fetched(base + name)) {
            qDebug().nospace() << "Catalogue file " << name << " failed (network error " << networkError
                               << "); stored " << stored << " of " << names.size() << " files";
            break;
        }
        tmpCalFile.write(downloader->receivedData());
        ++stored;
    }
    tmpCalFile.close();
}
