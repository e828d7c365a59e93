#include "httpstub.h"

#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <sys/socket.h>

HttpStub::HttpStub(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &HttpStub::onConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

void HttpStub::serve(const QByteArray &path, const QByteArray &body, int status)
{
    script(path, {head(status, body.size()) + body});
}

void HttpStub::script(const QByteArray &path, const QByteArrayList &pieces, int pauseMs)
{
    m_scripts.insert(path, Script{pieces, pauseMs});
}

QByteArray HttpStub::head(int status, qint64 length, const QByteArray &extra)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Other")
        + "\r\nContent-Type: text/plain\r\nConnection: close\r\n" + extra;
    if (length >= 0)
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    return head + "\r\n";
}

QByteArray HttpStub::listingFor(const QStringList &names)
{
    QByteArray page = "<html>\n <head>\n  <title>Index of /TARVIK/Calibrations</title>\n </head>\n <body>\n"
                      "<h1>Index of /TARVIK/Calibrations</h1>\n<ul><li><a href=\"/TARVIK/\"> Parent Directory</a></li>\n";
    for (const QString &name : names)
        page += "<li><a href=\"" + QUrl::toPercentEncoding(name) + "\"> " + name.toUtf8() + "</a></li>\n";
    return page + "</ul>\n</body></html>\n";
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
            QByteArray request = socket->property("request").toByteArray() + socket->readAll();
            socket->setProperty("request", request);
            if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
                return;
            socket->setProperty("answered", true);
            const QByteArray path = request.split(' ').value(1);
            m_requested.append(path);
            const Script s = m_scripts.value(path, Script{{head(404, 9) + "Not Found"}, 0});
            play(socket, s.pieces, s.pauseMs);
        });
    }
}

void HttpStub::play(QTcpSocket *socket, QByteArrayList pieces, int pauseMs)
{
    while (!pieces.isEmpty()) {
        const QByteArray piece = pieces.takeFirst();
        if (piece == "<HOLD>")
            return;
        if (piece == "<FIN>")
            break;
        if (piece == "<RST>") {
            socket->flush();
            const linger reset{1, 0}; // closing with a zero linger time sends a reset
            setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            socket->abort();
            return;
        }
        socket->write(piece);
        if (pauseMs > 0 && !pieces.isEmpty()) {
            socket->flush();
            QTimer::singleShot(pauseMs, socket, [=] { play(socket, pieces, pauseMs); });
            return;
        }
    }
    socket->disconnectFromHost();
}
