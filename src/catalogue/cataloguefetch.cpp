#include "dialog.h"

#include "calibrationfile.h"
#include "cataloguesource.h"
#include "catalogueversion.h"
#include "fetchprogress.h"
#include "filedownloader.h"
#include "listing.h"
#include "signedmanifest.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QNetworkRequest>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace {
QString translated(const char *text)
{
    return QCoreApplication::translate("dialog", text);
}

enum class Fallback { Retry, LocalFile, Restore, History };

// Tells the user that the catalogue could not be fetched, and why, and asks what to do:
// fetch it again, pick a local catalogue, or restore a backup, which needs no catalogue.
Fallback askAfterFailedFetch(QWidget *parent, const QString &reason)
{
    QMessageBox box(QMessageBox::Critical, translated("Network error"),
                    translated("Unable to download correction matrizes from the Internet, please select a Calibrations.txt file locally"),
                    QMessageBox::Ok | QMessageBox::Retry, parent);
    box.setObjectName("catalogueFallback");
    box.setInformativeText(reason);
    box.button(QMessageBox::Retry)->setText(translated("Retry"));
    QPushButton *restore = box.addButton(translated("Restore\u2026"), QMessageBox::ActionRole);
    restore->setObjectName("restoreButton");
    QPushButton *history = box.addButton(translated("History\u2026"), QMessageBox::ActionRole);
    history->setObjectName("historyButton");
    history->setAccessibleName(translated("Show the history of runs"));
    box.setEscapeButton(QMessageBox::Ok); // closing the box goes on to the local file, as before
    const int answer = box.exec();
    if (box.clickedButton() == restore)
        return Fallback::Restore;
    if (box.clickedButton() == history)
        return Fallback::History;
    return answer == QMessageBox::Retry ? Fallback::Retry : Fallback::LocalFile;
}

// With keys, the manifest and its signature come first, each bounded, and nothing of the
// catalogue is used unless they hold; without, an unsigned manifest (no key, no failure).
template <typename Fetch>
SignedManifest fetchSignedManifest(const QString &base, const FileDownloader &downloader, Fetch failureOf)
{
    SignedManifest result;
    const MinisignKeys keys = parseMinisignKeys(catalogueKeys());
    result.failure = keys.failure;
    if (keys.keys.isEmpty())
        return result;
    const QString address = catalogueManifestAddress(base);
    const auto fetched = [&](const QString &file, qint64 bodyCap) {
        const QString failure = failureOf(file, false, bodyCap);
        if (!failure.isEmpty())
            result.failure = translated("%1: %2").arg(QUrl(file).fileName(), failure);
        return downloader.receivedData();
    };
    const QByteArray manifest = fetched(address, maxManifestBytes);
    const QByteArray signature = result.failure.isEmpty() ? fetched(address + kSignatureSuffix, maxSignatureBytes) : QByteArray();
    if (!result.failure.isEmpty())
        return result;
    return acceptSignedManifest(manifest, signature, keys.keys, lastAcceptedCatalogueVersion(base),
                                QDateTime::currentDateTimeUtc());
}

// Asks the user for a local catalogue until one is copied to target. Returns the chosen
// file, or an empty string when the user cancelled.
QString copyLocalCatalogue(QWidget *parent, const QString &target)
{
    for (;;) {
        const QString chosen = QFileDialog::getOpenFileName(parent, translated("Open File"), "/home");
        if (chosen.isEmpty())
            return chosen;
        QFile source(chosen);
        if (source.copy(target))
            return chosen;
        qDebug().nospace() << "Copying " << chosen << " to " << target << " failed: " << source.errorString();
        QMessageBox::warning(parent, translated("Cannot read file"),
                             translated("%1 cannot be used as the calibration catalogue. Please select another file.")
                                 .arg(QDir::toNativeSeparators(chosen)));
    }
}
}

void dialog::downloadCalibrations()
{
    for (;;) {
        const QString failure = fetchCatalogue();
        m_catalogueSource = catalogueBaseAddress();
        if (failure.isEmpty())
            return;
        qDebug().noquote() << "Catalogue not fetched:" << failure;
        tmpCalFile.close();
        tmpCalFile.remove();
        m_catalogueParts.clear();
        Fallback answer;
        while ((answer = askAfterFailedFetch(this, failure)) == Fallback::History)
            showHistory(); // then the same question again: the catalogue is still missing
        if (answer == Fallback::Retry)
            continue;
        if (answer == Fallback::Restore) {
            m_restoreOnly = true;
            return;
        }
        const QString chosen = copyLocalCatalogue(this, tmpCalFile.fileName());
        m_catalogueChosen = !chosen.isEmpty();
        m_catalogueSource = chosen;
        if (m_catalogueChosen)
            m_catalogueParts.append({QDir::toNativeSeparators(chosen), QFileInfo(tmpCalFile).size()});
        return;
    }
}

QString dialog::fetchCatalogue()
{
    if (!downloader) {
        downloader = new FileDownloader(this);
        connect(downloader, SIGNAL(downloaded(QNetworkReply::NetworkError)),
                this, SLOT(slotFinishedDownload(QNetworkReply::NetworkError)));
    }
    m_catalogueStored = true;
    QEventLoop loop;
    connect(this, SIGNAL(signalEndNetworkWait()), &loop, SLOT(quit()));

    // Cancel and the whole fetch's deadline end the request under way; nothing after it is asked for.
    QString stopped;
    QPointer<QNetworkReply> reply;
    const auto stop = [&](const QString &why) {
        if (stopped.isEmpty())
            stopped = why;
        if (reply)
            reply->abort();
    };
    FetchProgress progress(this, catalogueProgressDelayMs(), tr("Fetching the calibration catalogue\u2026"));
    connect(&progress, &FetchProgress::cancelled, this, [&] { stop(tr("the fetch was cancelled")); });
    const int fetchDeadlineMs = catalogueFetchDeadlineMs();
    QTimer fetchDeadline;
    fetchDeadline.setSingleShot(true);
    connect(&fetchDeadline, &QTimer::timeout, this, [&] {
        stop(tr("the whole catalogue took longer than %1 s").arg(fetchDeadlineMs / 1000.0));
    });
    fetchDeadline.start(fetchDeadlineMs);

    // One request at a time, each awaited. A calibration file must announce its length, so that
    // a file cut short is never stored as whole. Empty when it came whole, or why not.
    const auto failureOf = [&](const QString &address, bool isFile, qint64 bodyCap = maxCatalogueBodyBytes) {
        if (stopped.isEmpty()) {
            const QNetworkRequest request(QUrl(address, QUrl::TolerantMode));
            reply = downloader->get(request, catalogueTransferTimeoutMs(), catalogueDeadlineMs(), isFile, bodyCap);
            if (reply && !reply->isFinished())
                loop.exec();
        }
        return !stopped.isEmpty() ? stopped : networkError != QNetworkReply::NoError ? downloader->failureReason() : QString();
    };

    const QString base = catalogueBaseAddress();
    m_catalogueKeyId.clear();
    const SignedManifest manifest = fetchSignedManifest(base, *downloader, failureOf);
    if (!manifest.failure.isEmpty())
        return tr("The signed catalogue: %1").arg(manifest.failure);
    const bool isSigned = !manifest.keyId.isEmpty();

    QString failure = failureOf(base, false);
    // Cut short, a listing without a length ends with the toolkit's error or, by chance,
    // without one; either way it is not known whole, and both are told alike.
    if (!downloader->lengthAnnounced() && stopped.isEmpty()
        && (networkError == QNetworkReply::RemoteHostClosedError
            || (failure.isEmpty() && !endsAsDirectoryListing(downloader->receivedData())))) {
        networkError = QNetworkReply::ProtocolFailure;
        failure = tr("it came incomplete: it ends before the end of a directory listing");
    }
    const CatalogueListing listing = failure.isEmpty() ? catalogueFileNames(downloader->receivedData()) : CatalogueListing();
    if (failure.isEmpty())
        failure = listing.names.isEmpty() && listing.failure.isEmpty() ? tr("it names no calibration file") : listing.failure;
    const SignedListing signedFiles = isSigned && failure.isEmpty() ? matchListing(manifest.manifest, listing.names) : SignedListing();
    if (failure.isEmpty())
        failure = signedFiles.failure;
    if (!failure.isEmpty())
        return tr("The catalogue listing: %1").arg(failure);

    // A catalogue that cannot be stored whole must not be read as if it were: nothing of
    // it stays, and discovery says so instead of offering what it holds.
    const auto storeFailed = [this] {
        qDebug().nospace() << "Storing the catalogue in " << tmpCalFile.fileName()
                           << " failed: " << tmpCalFile.errorString();
        tmpCalFile.close();
        tmpCalFile.remove();
        m_catalogueStored = false;
        return QString();
    };
    if (!tmpCalFile.open(QIODevice::WriteOnly))
        return storeFailed();
    m_catalogueParts.clear();
    qint64 storedBytes = 0;
    for (const QString &name : listing.names) {
        progress.show(tr("Fetching calibration file %1 of %2\u2026").arg(m_catalogueParts.size() + 1).arg(listing.names.size()),
                      m_catalogueParts.size(), listing.names.size());
        const QString shownName = QUrl::fromPercentEncoding(name.toUtf8());
        const ManifestFile *const signedFile = isSigned ? &signedFiles.files[m_catalogueParts.size()] : nullptr;
        failure = failureOf(base + name, true, signedFile ? signedFile->length : maxCatalogueBodyBytes);
        const QByteArray body = failure.isEmpty() ? downloader->receivedData() : QByteArray();
        const QString mismatch = failure.isEmpty() && signedFile ? bodyMismatch(*signedFile, body) : QString();
        if (!mismatch.isEmpty())
            return mismatch;
        if (failure.isEmpty() && storedBytes + body.size() > maxCalibrationFileBytes)
            failure = tr("the catalogue is larger than %1 MiB").arg(maxCalibrationFileBytes >> 20);
        // Every listed file or none: a catalogue with a file missing may lack the very
        // calibration (a V1.1 of an older one) that must be written in its place.
        if (!failure.isEmpty())
            return tr("Calibration file %1: %2").arg(shownName, failure);
        if (tmpCalFile.write(body) != body.size())
            return storeFailed();
        storedBytes += body.size();
        m_catalogueParts.append({shownName, storedBytes});
    }
    if (!tmpCalFile.flush())
        return storeFailed();
    tmpCalFile.close();
    if (tmpCalFile.error() != QFileDevice::NoError)
        return storeFailed();
    if (isSigned) {
        // Only a catalogue accepted whole raises the version that older ones are refused below.
        const QString notKept = rememberCatalogueVersion(base, manifest.manifest.version);
        if (!notKept.isEmpty())
            qDebug().noquote() << "The catalogue's version is not kept:" << notKept;
        m_catalogueKeyId = manifest.keyId;
    }
    return QString();
}
