// SPDX-License-Identifier: MIT
#include "dialog.h"

#include "calibrationfile.h"
#include "cataloguesource.h"
#include "catalogueversion.h"
#include "fetchprogress.h"
#include "filebatch.h"
#include "filedownloader.h"
#include "listing.h"
#include "signedmanifest.h"
#include "smallfile.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QNetworkRequest>
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

// One request's body, or why it failed.
struct Fetched
{
    QByteArray body;
    QString failure;
};

// With keys, the manifest and its signature come first, each bounded, and nothing of the
// catalogue is used unless they hold; without, an unsigned manifest (no key, no failure).
template <typename FetchOne>
SignedManifest fetchSignedManifest(const QString &base, FetchOne fetchOne)
{
    SignedManifest result;
    const MinisignKeys keys = parseMinisignKeys(catalogueKeys());
    result.failure = keys.failure;
    if (keys.keys.isEmpty())
        return result;
    const QString address = catalogueManifestAddress(base);
    const auto fetched = [&](const QString &file, qint64 bodyCap) {
        const Fetched got = fetchOne(file, bodyCap);
        if (!got.failure.isEmpty())
            result.failure = translated("%1: %2").arg(QUrl(file).fileName(), got.failure);
        return got.body;
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
        // Read as a backup is: a FIFO or a device chosen here would otherwise hold the program for good.
        const SmallFile source = readSmallRegularFile(chosen, maxCalibrationFileBytes);
        QFile copy(target);
        QString failure = source.failure;
        if (failure.isEmpty()) {
            if (copy.open(QIODevice::WriteOnly) && copy.write(source.bytes) == source.bytes.size() && copy.flush())
                return chosen;
            failure = copy.errorString();
            copy.remove();
        }
        qDebug().nospace() << "Copying " << chosen << " to " << target << " failed: " << failure;
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
    if (!downloader)
        downloader = new FileDownloader(this);
    m_catalogueStored = true;

    // Cancel and the whole fetch's deadline end every request under way; nothing after them is asked for.
    FileBatch *running = nullptr;
    const auto stop = [&](const QString &why) {
        if (running)
            running->stop(why);
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

    // The addresses side by side, each body handed to take in their order; caps[i], where
    // given, bounds body i. A calibration file must announce its length, so that a file cut
    // short is never stored as whole. The first failure in that order, or none.
    const auto fetch = [&](const QStringList &addresses, bool areFiles, const QVector<qint64> &caps,
                           const FileBatch::Take &take, bool counted = false) {
        FileBatch batch(downloader, addresses.size(), maxCalibrationFileBytes, [&](int index) {
            const QNetworkRequest request(QUrl(addresses[index], QUrl::TolerantMode));
            return downloader->get(request, catalogueTransferTimeoutMs(), catalogueDeadlineMs(), areFiles,
                                   caps.value(index, maxCatalogueBodyBytes));
        }, take);
        const int files = addresses.size();
        if (counted) {
            const auto show = [&](int done) {
                if (done < files)
                    progress.show(tr("Fetching calibration file %1 of %2\u2026").arg(done + 1).arg(files), done, files);
            };
            show(0);
            connect(&batch, &FileBatch::progressed, this, show);
        }
        running = &batch;
        const FileBatch::Failure failure = batch.run();
        running = nullptr;
        networkError = failure.code;
        return failure;
    };

    const QString base = catalogueBaseAddress();
    // The manifest and its signature are files of known length; the listing is the server's own page.
    const auto fetchOne = [&](const QString &address, bool isFile, qint64 bodyCap) {
        Fetched got;
        got.failure = fetch({address}, isFile, {bodyCap}, [&got](int, const QByteArray &body) {
            got.body = body;
            return QString();
        }).reason;
        return got;
    };
    m_catalogueKeyId.clear();
    const SignedManifest manifest = fetchSignedManifest(base, [&](const QString &address, qint64 bodyCap) {
        return fetchOne(address, true, bodyCap);
    });
    if (!manifest.failure.isEmpty())
        return tr("The signed catalogue: %1").arg(manifest.failure);
    const bool isSigned = !manifest.keyId.isEmpty();

    const Fetched listingFetched = fetchOne(base, false, maxCatalogueBodyBytes);
    QString failure = listingFetched.failure;
    const CatalogueListing listing = failure.isEmpty() ? catalogueFileNames(listingFetched.body) : CatalogueListing();
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
    QStringList addresses;
    for (const QString &name : listing.names)
        addresses.append(base + name);
    const auto shownName = [&](int index) { return QUrl::fromPercentEncoding(listing.names[index].toUtf8()); };
    qint64 storedBytes = 0;
    QVector<qint64> caps;
    for (const ManifestFile &file : signedFiles.files)
        caps.append(file.length);
    bool writeFailed = false;
    int mismatchAt = -1; // of a file that differs from the signed catalogue, which names it itself
    const FileBatch::Failure fileFailed = fetch(addresses, true, caps, [&](int index, const QByteArray &body) {
        const QString mismatch = isSigned ? bodyMismatch(signedFiles.files[index], body) : QString();
        if (!mismatch.isEmpty()) {
            mismatchAt = index;
            return mismatch;
        }
        writeFailed = tmpCalFile.write(body) != body.size();
        if (writeFailed)
            return tmpCalFile.errorString();
        storedBytes += body.size();
        m_catalogueParts.append({shownName(index), storedBytes});
        return QString();
    }, true);
    if (writeFailed)
        return storeFailed();
    // Every listed file or none: a catalogue with a file missing may lack the very
    // calibration (a V1.1 of an older one) that must be written in its place.
    if (fileFailed.index >= 0 && fileFailed.index == mismatchAt)
        return fileFailed.reason;
    if (fileFailed.index >= 0)
        return tr("Calibration file %1: %2").arg(shownName(fileFailed.index), fileFailed.reason);
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
