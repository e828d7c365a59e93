#ifndef FILEDOWNLOADER_H
#define FILEDOWNLOADER_H

#include <QByteArray>
#include <QHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>

class QNetworkRequest;

// Fetches the catalogue over HTTP, one request at a time: keeps the body of the
// reply that finished last and announces every finished reply with its error code.
class FileDownloader : public QObject
{
    Q_OBJECT

public:
    explicit FileDownloader(QObject *parent = nullptr);

    // Issues a GET on the access manager whose body is taken in as it arrives, so
    // that one larger than the body cap is refused before it is held in memory.
    // The reply is the access manager's; the caller need not keep it.
    QNetworkReply *get(const QNetworkRequest &request);

    QByteArray receivedData() const { return receivedBytes; }

    QNetworkAccessManager accessManager;

signals:
    void downloaded(QNetworkReply::NetworkError);

private slots:
    void fileDownloaded(QNetworkReply *pReply);

private:
    struct Arrival
    {
        QByteArray body;
        bool oversized = false;
    };
    void refuseAnnouncedOversize(QNetworkReply *reply);
    void takeArrivedBytes(QNetworkReply *reply);
    void refuse(QNetworkReply *reply);

    QByteArray receivedBytes;
    QHash<QNetworkReply *, Arrival> arrivals; // bodies still coming in, by reply
};

#endif
