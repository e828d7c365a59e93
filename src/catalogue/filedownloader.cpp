#include "filedownloader.h"

#include "bodylimit.h"

#include <QNetworkRequest>

FileDownloader::FileDownloader(QObject *parent)
    : QObject(parent)
{
    // Qt 6 follows redirects unless told otherwise, Qt 5 does not; here neither does, for
    // every request on this manager, so a redirect reaches the checks as the server's answer.
    accessManager.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    connect(&accessManager, SIGNAL(finished(QNetworkReply*)), this, SLOT(fileDownloaded(QNetworkReply*)));
}

QNetworkReply *FileDownloader::get(const QNetworkRequest &request)
{
    QNetworkReply *reply = accessManager.get(request);
    arrivals.insert(reply, Arrival());
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] { refuseAnnouncedOversize(reply); });
    connect(reply, &QIODevice::readyRead, this, [this, reply] { takeArrivedBytes(reply); });
    return reply;
}

void FileDownloader::refuseAnnouncedOversize(QNetworkReply *reply)
{
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > maxCatalogueBodyBytes)
        refuse(reply);
}

void FileDownloader::takeArrivedBytes(QNetworkReply *reply)
{
    const auto it = arrivals.find(reply);
    if (it == arrivals.end())
        return;
    // Checked before reading, so no more than the cap is ever held here.
    if (it->body.size() + reply->bytesAvailable() > maxCatalogueBodyBytes)
        refuse(reply);
    else
        it->body += reply->readAll();
}

void FileDownloader::refuse(QNetworkReply *reply)
{
    const auto it = arrivals.find(reply);
    if (it == arrivals.end())
        return;
    it->oversized = true;
    it->body.clear();
    // Aborting finishes the reply at once, so fileDownloaded runs before this returns.
    reply->abort();
}

void FileDownloader::fileDownloaded(QNetworkReply *pReply)
{
    // A reply issued straight on the access manager has no arrival yet and is read whole here.
    Arrival arrival = arrivals.take(pReply);
    if (!arrival.oversized && pReply->error() == QNetworkReply::NoError) {
        arrival.body += pReply->readAll();
        arrival.oversized = arrival.body.size() > maxCatalogueBodyBytes;
    }
    const QNetworkReply::NetworkError code =
        arrival.oversized ? QNetworkReply::UnknownContentError : pReply->error();
    receivedBytes = code == QNetworkReply::NoError ? arrival.body : QByteArray();
    pReply->deleteLater();
    emit downloaded(code);
}
