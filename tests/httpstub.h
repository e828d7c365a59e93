// SPDX-License-Identifier: MIT
#ifndef HTTPSTUB_H
#define HTTPSTUB_H

#include "listing.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>


// A scripted HTTP server for tests: each path answers with bytes written as scripted,
// well-formed or broken on purpose. One request per connection; unknown paths get a 404.
class HttpStub : public QObject
{
    Q_OBJECT

public:
    HttpStub();

    // Answers path with status, the body's length and the body, then closes.
    void serve(const QByteArray &path, const QByteArray &body, int status = 200)
    {
        script(path, {head(status, body.size()) + body});
    }
    // Answers path with these pieces, pauseMs apart. A piece "<FIN>" closes the connection,
    // "<RST>" resets it, "<HOLD>" leaves it open with nothing more until release(path); after
    // the last piece it closes.
    // With once, only the next request of path is answered so; later ones as before.
    void script(const QByteArray &path, const QByteArrayList &pieces, int pauseMs = 0, bool once = false)
    {
        (once ? m_once : m_scripts).insert(path, qMakePair(pieces, pauseMs));
    }

    // A reply head; length -1 leaves the length out, extra holds further header lines.
    static QByteArray head(int status, qint64 length, const QByteArray &extra = QByteArray());
    // The catalogue listing Apache would write for these file names.
    static QByteArray listingFor(const QStringList &names);

    QString baseAddress() const { return QString("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(kCatalogueDirectory); }
    QByteArrayList requestedPaths() const { return m_requested; }
    int openConnections() const { return m_server.findChildren<QTcpSocket *>().size(); }
    // Goes on with the pieces after the "<HOLD>" that holds the reply to path, or lets the next
    // such "<HOLD>" pass when none holds it yet.
    void release(const QByteArray &path);

signals:
    void requested(const QByteArray &path);

private:
    void play(QTcpSocket *socket, QByteArrayList pieces, int pauseMs);

    QTcpServer m_server;
    QHash<QByteArray, QPair<QByteArrayList, int>> m_scripts, m_once;
    QByteArrayList m_requested;
    QHash<QByteArray, std::function<void()>> m_held;
    QSet<QByteArray> m_released;
};

#endif
