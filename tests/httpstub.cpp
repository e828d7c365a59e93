#include "httpstub.h"

#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <memory>

HttpStub::HttpStub(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &HttpStub::onConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

void HttpStub::serve(const QByteArray &path, const QByteArray &body, int status)
{
    Route r;
    r.status = status;
    r.body = body;
    m_routes.insert(path, r);
}

void HttpStub::misbehave(const QByteArray &path, Behaviour behaviour)
{
    m_routes[path].behaviour = behaviour;
}

void HttpStub::stream(const QByteArray &path, const QByteArray &unit, qint64 totalBytes, bool announceLength,
                      int chunkBytes, int intervalMs)
{
    Route r;
    r.streamTotal = totalBytes;
    r.announceLength = announceLength;
    r.intervalMs = intervalMs;
    while (r.streamChunk.size() < chunkBytes)
        r.streamChunk += unit;
    m_routes.insert(path, r);
}

QByteArray HttpStub::listingFor(const QStringList &names)
{
    QByteArray page = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n<html>\n <head>\n"
                      "  <title>Index of /TARVIK/Calibrations</title>\n </head>\n <body>\n"
                      "<h1>Index of /TARVIK/Calibrations</h1>\n<ul><li><a href=\"/TARVIK/\"> Parent Directory</a></li>\n";
    for (const QString &name : names) {
        const QByteArray target = QUrl::toPercentEncoding(name);
        page += "<li><a href=\"" + target + "\"> " + name.toUtf8() + "</a></li>\n";
    }
    page += "</ul>\n</body></html>\n";
    return page;
}

QString HttpStub::baseAddress() const
{
    return QString("http://127.0.0.1:%1/TARVIK/Calibrations/").arg(m_server.serverPort());
}

void HttpStub::onConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            // One request per connection is all the program's requests need; wait for the whole head.
            if (!socket->property("head").toByteArray().contains("\r\n\r\n")) {
                socket->setProperty("head", socket->property("head").toByteArray() + socket->readAll());
                const QByteArray head = socket->property("head").toByteArray();
                if (head.contains("\r\n\r\n"))
                    answer(socket, head.split(' ').value(1));
            }
        });
    }
}

void HttpStub::answer(QTcpSocket *socket, const QByteArray &path)
{
    m_requested.append(path);
    const auto it = m_routes.constFind(path);
    Route r;
    if (it == m_routes.constEnd()) {
        r.status = 404;
        r.body = "<html><body>Not Found</body></html>";
    } else {
        r = *it;
    }
    if (r.behaviour == Behaviour::Stall)
        return;
    if (r.behaviour == Behaviour::Drop) {
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\npartial");
        socket->flush();
        socket->abort();
        return;
    }
    if (r.streamTotal >= 0) {
        startStream(socket, r);
        return;
    }
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(r.status) + (r.status == 200 ? " OK" : " Error")
        + "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(r.body.size())
        + "\r\nConnection: close\r\n\r\n" + r.body;
    socket->write(reply);
    socket->disconnectFromHost();
}

void HttpStub::startStream(QTcpSocket *socket, const Route &route)
{
    QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n";
    if (route.announceLength)
        head += "Content-Length: " + QByteArray::number(route.streamTotal) + "\r\n";
    socket->write(head + "\r\n");
    // The timer belongs to the socket, so a client that hangs up ends the stream.
    auto *timer = new QTimer(socket);
    auto left = std::make_shared<qint64>(route.streamTotal);
    const QByteArray chunk = route.streamChunk;
    connect(timer, &QTimer::timeout, socket, [this, socket, timer, left, chunk] {
        if (socket->bytesToWrite() >= chunk.size())
            return; // the client is not keeping up; produce no more than it takes
        const QByteArray piece = chunk.left(int(qMin<qint64>(*left, chunk.size())));
        socket->write(piece);
        m_streamed += piece.size();
        *left -= piece.size();
        if (*left == 0) {
            timer->stop();
            socket->disconnectFromHost();
        }
    });
    timer->start(route.intervalMs);
}
