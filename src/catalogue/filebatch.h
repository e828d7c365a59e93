// SPDX-License-Identifier: MIT
#ifndef FILEBATCH_H
#define FILEBATCH_H

#include <QByteArray>
#include <QEventLoop>
#include <QHash>
#include <QNetworkReply>
#include <QObject>
#include <QString>

#include <functional>

class FileDownloader;

// Fetches a list of files through a downloader side by side and hands each body on in the
// order of the list, whatever order the replies finish in. At most six files are held at once,
// in flight or whole and waiting for one before them: the toolkit keeps six connections to a
// host, so more would only queue, and memory stays within six bodies.
// What the batch reports is the failure of the first file in list order that failed: one that
// failed later in time but earlier in the list replaces it, so what the user is told never
// depends on which reply happened to finish first.
class FileBatch : public QObject
{
    Q_OBJECT

public:
    // Issues the request for file index on the downloader.
    using Start = std::function<QNetworkReply *(int index)>;
    // Takes file index's body once every file before it is taken. Empty to go on, or why the
    // file is refused.
    using Take = std::function<QString(int index, const QByteArray &body)>;

    struct Failure
    {
        int index = -1; // of the file that failed; -1 when none did
        QNetworkReply::NetworkError code = QNetworkReply::NoError;
        QString reason;
    };

    // bodyBound: the bytes all bodies may have together, taken and held alike.
    FileBatch(FileDownloader *downloader, int count, qint64 bodyBound, Start start, Take take);

    // Fetches until every file is taken or the first failure in list order is known.
    Failure run();
    // The first file not taken, and so every one after it, fails for this reason.
    void stop(const QString &why);

signals:
    // How many files have come whole, in any order.
    void progressed(int files);

private:
    void startMore();
    void bodyGrew(QNetworkReply *reply, qint64 bytes);
    void fileEnded(QNetworkReply *reply, const QByteArray &body, QNetworkReply::NetworkError code, const QString &reason);
    void checkBound();
    void takeInOrder();
    void fail(int index, QNetworkReply::NetworkError code, const QString &reason);
    bool over() const;

    const int m_count;
    const qint64 m_bodyBound;
    const Start m_start;
    const Take m_take;
    QHash<QNetworkReply *, int> m_inFlight; // the file each request is for
    QHash<int, qint64> m_heldBytes; // of each file in flight or waiting, by index
    QHash<int, QByteArray> m_waiting; // whole bodies behind one still in flight
    int m_next = 0; // the next file to ask for
    int m_taken = 0; // files taken, the first ones of the list
    int m_whole = 0;
    qint64 m_takenBytes = 0;
    Failure m_failure;
    QEventLoop m_loop;
};

#endif
