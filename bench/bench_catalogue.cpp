// SPDX-License-Identifier: MIT
// Times the catalogue retrieval of the main window against the server at the given
// catalogue address. The first window is built untimed, so the figure leaves out what
// the first window of a process pays once (styles, fonts).
//   bench_catalogue <catalogue address>
// Prints: retrieval_ms=<ms> stored_bytes=<bytes of the temporary catalogue>
//
// The toolkit alone, for comparison: a bare access manager fetching the listing and then
// each listed file, one request at a time, with no window and none of the program's checks:
//   bench_catalogue --bare <catalogue address>
// Prints: bare_ms=<ms> bytes=<bytes of the files>
//
// Against a hostile server the request deadline is given, and no window is built untimed:
//   bench_catalogue <catalogue address> <deadline ms>
// and such a server, a catalogue of one file that is a gzip bomb (the gzip file given,
// labelled as encoded), a drip of one byte a second that never ends, or a file behind a
// head of 1 MiB in short lines, each with a name of its own:
//   bench_catalogue --serve bomb|drip|head <port> [gzip file]
#include "cataloguesource.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "listing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressDialog>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <cstdio>

namespace {
QByteArray head(const QByteArray &extra)
{
    return "HTTP/1.1 200 OK\r\nConnection: close\r\n" + extra + "\r\n";
}

// The listing and every file it names, one request at a time; the bytes of the files.
qint64 fetchBare(const QString &base)
{
    QNetworkAccessManager manager;
    QEventLoop loop;
    QObject::connect(&manager, &QNetworkAccessManager::finished, &loop, &QEventLoop::quit);
    const auto fetch = [&](const QString &address) {
        QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(address, QUrl::TolerantMode)));
        loop.exec();
        reply->deleteLater();
        return reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    };
    qint64 bytes = 0;
    for (const QString &name : catalogueFileNames(fetch(base)).names)
        bytes += fetch(base + name).size();
    return bytes;
}

// Timed as the program is: a first whole fetch untimed, then one with a fresh manager.
int timeBare(const QString &base)
{
    fetchBare(base);
    QElapsedTimer timer;
    timer.start();
    const qint64 bytes = fetchBare(base);
    std::printf("bare_ms=%.1f bytes=%lld\n", timer.nsecsElapsed() / 1e6, bytes);
    return 0;
}

int serveHostile(QCoreApplication &app, const QByteArray &kind, quint16 port, const QString &gzipFile)
{
    QByteArray bomb;
    QFile file(gzipFile);
    if (kind == "bomb" && file.open(QIODevice::ReadOnly))
        bomb = file.readAll();
    QTcpServer server;
    if ((kind == "bomb" && bomb.isEmpty()) || !server.listen(QHostAddress::LocalHost, port)) {
        std::fprintf(stderr, "cannot serve %s on port %u\n", kind.constData(), port);
        return 1;
    }
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket *socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
            if (socket->readAll().startsWith("GET " + QByteArray(kCatalogueDirectory) + ' ')) {
                const QByteArray listing = "<li><a href=\"file.txt\"> file.txt</a></li>\n";
                socket->write(head("Content-Length: " + QByteArray::number(listing.size()) + "\r\n") + listing);
                socket->disconnectFromHost();
            } else if (kind == "head") {
                QByteArray lines;
                for (int i = 0; lines.size() < (1 << 20); ++i)
                    lines += "X-" + QByteArray::number(i) + ": x\r\n";
                socket->write(head(lines + "Content-Length: 2\r\n") + "ok");
                socket->disconnectFromHost();
            } else if (kind == "bomb") {
                socket->write(head("Content-Encoding: gzip\r\nContent-Length: " + QByteArray::number(bomb.size()) + "\r\n") + bomb);
                socket->disconnectFromHost();
            } else {
                socket->write(head(QByteArray()));
                auto *drip = new QTimer(socket);
                QObject::connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
                drip->start(1000);
            }
        });
    });
    return app.exec();
}
}

int main(int argc, char *argv[])
{
    if (argc >= 4 && QByteArray(argv[1]) == "--serve") {
        QCoreApplication app(argc, argv);
        return serveHostile(app, argv[2], quint16(QByteArray(argv[3]).toUInt()), argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString());
    }
    if (argc == 3 && QByteArray(argv[1]) == "--bare") {
        QCoreApplication app(argc, argv);
        return timeBare(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <catalogue address> [deadline ms] | --bare <catalogue address> | --serve bomb|drip|head <port> [gzip file]\n", argv[0]);
        return 2;
    }
    const bool hostile = argc == 3;
    overrideCatalogueSourceForTesting(QString::fromLocal8Bit(argv[1]), 30000, hostile ? atoi(argv[2]) : 0);

    // A failed listing would wait for the user; turn the fallback down instead. The progress
    // window of a long fetch stays: closing it would cancel the fetch.
    QTimer refuseFallback;
    QObject::connect(&refuseFallback, &QTimer::timeout, [] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && !qobject_cast<QProgressDialog *>(modal))
            modal->close();
    });
    refuseFallback.start(100);

    if (!hostile)
        dialog warmUp;
    QElapsedTimer timer;
    timer.start();
    dialog window;
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!window.catalogueChosen()) {
        std::fprintf(stderr, "the catalogue at %s could not be fetched\n", argv[1]);
        return 1;
    }
    const QFileInfo stored(DialogProbe(window).tmpCalFileName());
    std::printf("retrieval_ms=%.1f stored_bytes=%lld\n", ms, stored.size());
    return 0;
}
