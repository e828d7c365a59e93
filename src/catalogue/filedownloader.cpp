#include "filedownloader.h"

#include "bodylimit.h"

#include <QNetworkRequest>
#include <QTimer>

namespace {
int statusOf(const QNetworkReply *reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// What a finished reply amounts to, before any refusal of ours: a 200 with its whole body,
// or a failure. A body cut short can end without an error from the toolkit, so the
// announced length is compared here.
QNetworkReply::NetworkError outcomeOf(const QNetworkReply *reply, qint64 bodyBytes)
{
    if (reply->error() != QNetworkReply::NoError)
        return reply->error();
    if (statusOf(reply) != 200)
        return QNetworkReply::UnknownServerError;
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != bodyBytes)
        return QNetworkReply::RemoteHostClosedError;
    return QNetworkReply::NoError;
}
}

FileDownloader::FileDownloader(QObject *parent)
    : QObject(parent)
{
    // Qt 6 follows redirects unless told otherwise, Qt 5 does not; here neither does, for
    // every request on this manager, so a redirect reaches the checks as the server's answer.
    accessManager.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    connect(&accessManager, SIGNAL(finished(QNetworkReply*)), this, SLOT(fileDownloaded(QNetworkReply*)));
}

QNetworkReply *FileDownloader::get(QNetworkRequest request, int stallTimeoutMs, int deadlineMs, bool requireLength)
{
    // Set explicitly: the defaults differ between toolkit versions. A redirect is a failure,
    // and asking for the identity encoding keeps the toolkit from decoding (and the body
    // cap then counts the bytes as they come off the network).
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setRawHeader("Accept-Encoding", "identity");
    request.setTransferTimeout(stallTimeoutMs);
    QNetworkReply *reply = accessManager.get(request);
    Arrival arrival;
    arrival.requireLength = requireLength;
    arrivals.insert(reply, arrival);
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] { checkHead(reply); });
    connect(reply, &QIODevice::readyRead, this, [this, reply] { takeArrivedBytes(reply); });
    // A server that sends a byte now and then never trips the stall limit; this ends it.
    QTimer::singleShot(deadlineMs, reply, [reply] { reply->abort(); });
    return reply;
}

void FileDownloader::checkHead(QNetworkReply *reply)
{
    const int status = statusOf(reply);
    const QByteArray coding = reply->rawHeader("Content-Encoding").trimmed().toLower();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    // Error statuses (400 and up) fail with the toolkit's own code.
    if (status != 0 && status != 200 && status < 400)
        refuse(reply, QNetworkReply::UnknownServerError);
    else if (!coding.isEmpty() && coding != "identity")
        refuse(reply, QNetworkReply::UnknownContentError);
    else if (status == 200 && !length.isValid() && arrivals.value(reply).requireLength)
        refuse(reply, QNetworkReply::ProtocolFailure);
    else if (length.isValid() && length.toLongLong() > maxCatalogueBodyBytes)
        refuse(reply, QNetworkReply::UnknownContentError);
}

void FileDownloader::takeArrivedBytes(QNetworkReply *reply)
{
    const auto it = arrivals.find(reply);
    if (it == arrivals.end())
        return;
    // Checked before reading, so no more than the cap is ever held here.
    if (it->body.size() + reply->bytesAvailable() > maxCatalogueBodyBytes)
        refuse(reply, QNetworkReply::UnknownContentError);
    else
        it->body += reply->readAll();
}

void FileDownloader::refuse(QNetworkReply *reply, QNetworkReply::NetworkError why)
{
    const auto it = arrivals.find(reply);
    if (it == arrivals.end() || it->refusal != QNetworkReply::NoError)
        return;
    it->refusal = why;
    it->body.clear();
    // Aborting finishes the reply at once, so fileDownloaded runs before this returns.
    reply->abort();
}

void FileDownloader::fileDownloaded(QNetworkReply *pReply)
{
    // A reply issued straight on the access manager has no arrival yet and is read whole here.
    Arrival arrival = arrivals.take(pReply);
    QNetworkReply::NetworkError code = arrival.refusal;
    if (code == QNetworkReply::NoError) {
        arrival.body += pReply->readAll();
        code = arrival.body.size() > maxCatalogueBodyBytes ? QNetworkReply::UnknownContentError
                                                           : outcomeOf(pReply, arrival.body.size());
    }
    receivedBytes = code == QNetworkReply::NoError ? arrival.body : QByteArray();
    pReply->deleteLater();
    emit downloaded(code);
}
