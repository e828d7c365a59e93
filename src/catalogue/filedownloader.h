// SPDX-License-Identifier: MIT
#ifndef FILEDOWNLOADER_H
#define FILEDOWNLOADER_H

#include "bodylimit.h"

#include <QByteArray>
#include <QHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>

class QNetworkRequest;

// Fetches the catalogue over HTTP, any number of requests at once, and announces every
// finished reply with its body or why it failed. A reply counts only when it is a 200 whose
// body arrived whole and undecoded; anything else is a failure with a non-zero code, no body
// and a reason in words.
class FileDownloader : public QObject
{
    Q_OBJECT

public:
    explicit FileDownloader(QObject *parent = nullptr);

    // Issues a GET on the access manager with the transport pinned down (no redirects
    // followed, HTTP/1.1, identity encoding only), a limit on time without progress and
    // an overall deadline. The body is taken in as it arrives, so one larger than the
    // body cap is refused before it is held in memory. The reply is the access manager's.
    // With requireLength, a reply that does not announce its length fails: the toolkit ends
    // a chunked body cut before its last chunk as if it were whole, so only a body checked
    // against its announced length is known to be complete. Without it (the listing), a body
    // that announces no length is whole only when it ends as a server's directory listing
    // ends. A body longer than bodyCap, or announced so, is refused without reading past the cap.
    QNetworkReply *get(QNetworkRequest request, int stallTimeoutMs, int deadlineMs, bool requireLength = false,
                       qint64 bodyCap = maxCatalogueBodyBytes);

signals:
    // How many bytes of reply's body have come in so far.
    void received(QNetworkReply *reply, qint64 bytes);
    // Once for every reply that get() issued, when it is over: the whole body with NoError, or
    // the failure's code and the reason as the user is told it, with no body. The reply is
    // deleted once control is back in an event loop.
    void finished(QNetworkReply *reply, const QByteArray &body, QNetworkReply::NetworkError code, const QString &reason);

private slots:
    void fileDownloaded(QNetworkReply *pReply);

private:
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Refuses a head too large to use before the toolkit copies it into the reply.
    bool eventFilter(QObject *watched, QEvent *event) override;
#endif
    struct Arrival
    {
        QByteArray body;
        QNetworkReply::NetworkError refusal = QNetworkReply::NoError;
        QString reason; // of the refusal
        bool requireLength = false;
        qint64 bodyCap = maxCatalogueBodyBytes;
        int stallTimeoutMs = 0;
    };
    void checkHead(QNetworkReply *reply);
    void takeArrivedBytes(QNetworkReply *reply);
    void refuse(QNetworkReply *reply, QNetworkReply::NetworkError why, const QString &reason);

    QNetworkAccessManager accessManager;
    QHash<QNetworkReply *, Arrival> arrivals; // bodies still coming in, by reply
};

#endif
