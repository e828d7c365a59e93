#ifndef HTTPSTUB_H
#define HTTPSTUB_H

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

// A tiny HTTP/1.1 server for tests: each path answers with a fixed status and body,
// or misbehaves on purpose (never answers, or drops the connection).
class HttpStub : public QObject
{
    Q_OBJECT

public:
    enum class Behaviour { Answer, Stall, Drop };

    explicit HttpStub(QObject *parent = nullptr);

    void serve(const QByteArray &path, const QByteArray &body, int status = 200);
    void misbehave(const QByteArray &path, Behaviour behaviour);
    // The catalogue listing Apache would write for these file names.
    static QByteArray listingFor(const QStringList &names);

    QString baseAddress() const; // http://127.0.0.1:<port>/TARVIK/Calibrations/
    QByteArrayList requestedPaths() const { return m_requested; }

private:
    void onConnection();
    void answer(class QTcpSocket *socket, const QByteArray &path);

    struct Route
    {
        int status = 200;
        QByteArray body;
        Behaviour behaviour = Behaviour::Answer;
    };
    QTcpServer m_server;
    QHash<QByteArray, Route> m_routes;
    QByteArrayList m_requested;
};

#endif
