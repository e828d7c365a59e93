// SPDX-License-Identifier: MIT
#include "filedownloader.h"

#include "bodylimit.h"
#include "headguard.h"
#include "listing.h"

#include <QCoreApplication>
#include <QNetworkRequest>
#include <QSet>
#include <QTimer>

namespace {
int statusOf(const QNetworkReply *reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

QString translated(const char *text)
{
    return QCoreApplication::translate("dialog", text);
}

QString closedEarly()
{
    return translated("the server closed the connection before the file was complete");
}

QString tooLarge(qint64 cap)
{
    if (cap >= (1 << 20) && cap % (1 << 20) == 0)
        return translated("the file is larger than %1 MiB").arg(cap >> 20);
    return translated("the file is longer than the %1 bytes expected").arg(cap);
}

// What the toolkit's own failure means to the user; a stalled transfer is what the
// toolkit cancels by itself.
QString toolkitReason(const QNetworkReply *reply, int stallTimeoutMs)
{
    if (statusOf(reply) >= 400)
        return translated("HTTP %1").arg(statusOf(reply));
    switch (reply->error()) {
    case QNetworkReply::RemoteHostClosedError:
        return closedEarly();
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return translated("no answer for %1 s").arg(stallTimeoutMs / 1000.0);
    case QNetworkReply::ConnectionRefusedError:
        return translated("the server refused the connection");
    case QNetworkReply::HostNotFoundError:
        return translated("the server could not be found");
    case QNetworkReply::SslHandshakeFailedError:
        return translated("the server's certificate could not be verified");
    default:
        return reply->errorString();
    }
}

QString headTooLarge()
{
    return translated("the reply's head is larger than %1 KiB or cannot be read").arg(maxReplyHeadBytes >> 10);
}

// Why a head must not be used, or nothing. A head past the bound is refused by its size alone
// (on Qt 5 the event filter has refused it before the toolkit copied it in); Qt 6 drops a head
// past limits of its own and keeps only the status, so a good reply without a single header
// line had such a head. Announced
// lengths that disagree (sent as separate headers or joined with commas) leave the body's
// end unknown, so the reply is an error.
QString headProblem(const QNetworkReply *reply)
{
    const QList<QNetworkReply::RawHeaderPair> pairs = reply->rawHeaderPairs();
    if (headBytes(pairs) > maxReplyHeadBytes || (pairs.isEmpty() && statusOf(reply) == 200))
        return headTooLarge();
    QSet<QByteArray> lengths;
    for (const QNetworkReply::RawHeaderPair &pair : pairs) {
        if (pair.first.compare("Content-Length", Qt::CaseInsensitive) != 0)
            continue;
        for (const QByteArray &length : pair.second.split(','))
            lengths.insert(length.trimmed());
    }
    return lengths.size() > 1 ? translated("the server announced different lengths for the file") : QString();
}
}

FileDownloader::FileDownloader(QObject *parent)
    : QObject(parent)
{
    // Qt 6 follows redirects unless told otherwise, Qt 5 does not; here neither does, for
    // every request on this manager, so a redirect reaches the checks as the server's answer.
    accessManager.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    connect(&accessManager, &QNetworkAccessManager::finished, this, &FileDownloader::fileDownloaded);
}

QNetworkReply *FileDownloader::get(QNetworkRequest request, int stallTimeoutMs, int deadlineMs, bool requireLength,
                                   qint64 bodyCap)
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
    arrival.stallTimeoutMs = stallTimeoutMs;
    arrival.bodyCap = bodyCap;
    arrivals.insert(reply, arrival);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    reply->installEventFilter(this);
#endif
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] { checkHead(reply); });
    connect(reply, &QIODevice::readyRead, this, [this, reply] { takeArrivedBytes(reply); });
    // A server that sends a byte now and then never trips the stall limit; this ends it.
    QTimer::singleShot(deadlineMs, reply, [this, reply, deadlineMs] {
        refuse(reply, QNetworkReply::OperationCanceledError,
               translated("no complete answer within %1 s").arg(deadlineMs / 1000.0));
    });
    return reply;
}

void FileDownloader::checkHead(QNetworkReply *reply)
{
    const QString problem = headProblem(reply);
    if (!problem.isEmpty())
        return refuse(reply, QNetworkReply::ProtocolFailure, problem);
    const int status = statusOf(reply);
    const QByteArray coding = reply->rawHeader("Content-Encoding").trimmed().toLower();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    // Error statuses (400 and up) fail with the toolkit's own code.
    if (status != 0 && status != 200 && status < 400)
        refuse(reply, QNetworkReply::UnknownServerError, translated("HTTP %1").arg(status));
    else if (!coding.isEmpty() && coding != "identity")
        refuse(reply, QNetworkReply::UnknownContentError,
               translated("the server sent the file encoded as %1").arg(QString::fromLatin1(coding)));
    else if (status == 200 && !length.isValid() && arrivals.value(reply).requireLength)
        refuse(reply, QNetworkReply::ProtocolFailure, translated("the server did not say how long the file is"));
    else if (length.isValid() && length.toLongLong() > arrivals.value(reply).bodyCap)
        refuse(reply, QNetworkReply::UnknownContentError, tooLarge(arrivals.value(reply).bodyCap));
}

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
bool FileDownloader::eventFilter(QObject *watched, QEvent *event)
{
    auto *reply = qobject_cast<QNetworkReply *>(watched);
    if (!reply || headBytesDelivered(reply, event) <= maxReplyHeadBytes)
        return QObject::eventFilter(watched, event);
    refuse(reply, QNetworkReply::ProtocolFailure, headTooLarge());
    return true; // the head is dropped unread
}
#endif

void FileDownloader::takeArrivedBytes(QNetworkReply *reply)
{
    const auto it = arrivals.find(reply);
    if (it == arrivals.end())
        return;
    // Checked before reading, so no more than the cap is ever held here.
    if (it->body.size() + reply->bytesAvailable() > it->bodyCap)
        return refuse(reply, QNetworkReply::UnknownContentError, tooLarge(it->bodyCap));
    it->body += reply->readAll();
    emit received(reply, it->body.size()); // last: the receiver may end the reply
}

void FileDownloader::refuse(QNetworkReply *reply, QNetworkReply::NetworkError why, const QString &reason)
{
    const auto it = arrivals.find(reply);
    if (it == arrivals.end() || it->refusal != QNetworkReply::NoError)
        return;
    it->refusal = why;
    it->reason = reason;
    it->body.clear();
    // Aborting finishes the reply at once, so fileDownloaded runs before this returns.
    reply->abort();
}

void FileDownloader::fileDownloaded(QNetworkReply *pReply)
{
    Arrival arrival = arrivals.take(pReply);
    QNetworkReply::NetworkError code = arrival.refusal;
    QString reason = arrival.reason;
    if (code == QNetworkReply::NoError) {
        if (pReply->error() == QNetworkReply::NoError) // an aborted reply is closed to reading
            arrival.body += pReply->readAll();
        // A body cut short can end without an error from the toolkit, so the announced
        // length is compared here.
        const QVariant length = pReply->header(QNetworkRequest::ContentLengthHeader);
        if (pReply->error() != QNetworkReply::NoError) {
            code = pReply->error();
            reason = toolkitReason(pReply, arrival.stallTimeoutMs);
        } else if (arrival.body.size() > arrival.bodyCap) {
            code = QNetworkReply::UnknownContentError;
            reason = tooLarge(arrival.bodyCap);
        } else if (statusOf(pReply) != 200) {
            code = QNetworkReply::UnknownServerError;
            reason = translated("HTTP %1").arg(statusOf(pReply));
        } else if (length.isValid() && length.toLongLong() != arrival.body.size()) {
            code = QNetworkReply::RemoteHostClosedError;
            reason = closedEarly();
        }
    }
    // Cut short, a listing without a length ends with the toolkit's error or, by chance,
    // without one; either way it is not known whole, and both are told alike.
    if (!arrival.requireLength && !pReply->header(QNetworkRequest::ContentLengthHeader).isValid()
        && (code == QNetworkReply::RemoteHostClosedError
            || (code == QNetworkReply::NoError && !endsAsDirectoryListing(arrival.body)))) {
        code = QNetworkReply::ProtocolFailure;
        reason = translated("it came incomplete: it ends before the end of a directory listing");
    }
    pReply->deleteLater();
    emit finished(pReply, code == QNetworkReply::NoError ? arrival.body : QByteArray(), code, reason);
}
