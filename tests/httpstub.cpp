// SPDX-License-Identifier: MIT
#include "httpstub.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <sys/socket.h>

HttpStub::HttpStub()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        QTcpSocket *socket = m_server.nextPendingConnection();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
            socket->setProperty("request", request);
            if (!request.endsWith("\r\n\r\n"))
                return; // the head is not complete yet
            const QByteArray path = request.split(' ').value(1);
            m_requested.append(path);
            socket->setProperty("path", path);
            const auto script = m_once.contains(path) ? m_once.take(path)
                : m_scripts.value(path, qMakePair(QByteArrayList{head(404, 9) + "Not Found"}, 0));
            play(socket, script.first, script.second);
            emit requested(path);
        });
    });
}

QByteArray HttpStub::head(int status, qint64 length, const QByteArray &extra)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " Status\r\nConnection: close\r\n" + extra;
    if (length >= 0)
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    return head + "\r\n";
}

QByteArray HttpStub::listingFor(const QStringList &names)
{
    QByteArray page = "<html><body>\n<ul><li><a href=\"/TARVIK/\"> Parent Directory</a></li>\n";
    for (const QString &name : names)
        page += "<li><a href=\"" + QUrl::toPercentEncoding(name) + "\"> " + name.toUtf8() + "</a></li>\n";
    return page + "</ul>\n</body></html>\n";
}

void HttpStub::release(const QByteArray &path)
{
    if (const std::function<void()> goOn = m_held.take(path))
        goOn();
    else
        m_released.insert(path);
}

void HttpStub::play(QTcpSocket *socket, QByteArrayList pieces, int pauseMs)
{
    while (!pieces.isEmpty()) {
        const QByteArray piece = pieces.takeFirst();
        const QByteArray path = socket->property("path").toByteArray();
        if (piece == "<HOLD>" && !m_released.remove(path)) {
            const QPointer<QTcpSocket> held(socket);
            m_held.insert(path, [=] { if (held) play(held, pieces, pauseMs); });
            return;
        }
        if (piece == "<HOLD>")
            continue;
        if (piece == "<FIN>")
            break;
        if (piece == "<RST>") {
            socket->flush();
            const linger reset{1, 0}; // closing with a zero linger time sends a reset
            setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            return socket->abort();
        }
        socket->write(piece);
        if (pauseMs > 0 && !pieces.isEmpty()) {
            socket->flush();
            return QTimer::singleShot(pauseMs, socket, [=] { play(socket, pieces, pauseMs); });
        }
    }
    socket->disconnectFromHost();
}
