#include "bodylimit.h"
#include "filedownloader.h"
#include "httpstub.h"

#include <QNetworkRequest>
#include <QPointer>
#include <QtTest>

namespace {
const QByteArray kDir = "/TARVIK/Calibrations/";

// What one finished request left behind.
struct Outcome
{
    int code = -1; // -1: downloaded never came
    QByteArray data;
};
}

class TestFileDownloader : public QObject
{
    Q_OBJECT

    HttpStub m_server;

    QNetworkRequest requestFor(const QByteArray &name) const
    {
        return QNetworkRequest(QUrl(m_server.baseAddress() + QString::fromLatin1(name)));
    }

    // Waits for the one downloaded signal of a request already issued.
    static Outcome awaitDownloaded(FileDownloader &downloader)
    {
        Outcome outcome;
        QEventLoop loop;
        const auto c = connect(&downloader, &FileDownloader::downloaded, &loop, [&](QNetworkReply::NetworkError e) {
            outcome = {int(e), downloader.receivedData()};
            loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        disconnect(c);
        return outcome;
    }

    Outcome fetch(FileDownloader &downloader, const QByteArray &name)
    {
        downloader.get(requestFor(name));
        return awaitDownloaded(downloader);
    }

private slots:
    void failedReplyGivesItsCodeAndNoBody_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("code");
        QTest::newRow("404") << 404 << int(QNetworkReply::ContentNotFoundError);
        QTest::newRow("500") << 500 << int(QNetworkReply::InternalServerError);
    }

    void failedReplyGivesItsCodeAndNoBody()
    {
        QFETCH(int, status);
        QFETCH(int, code);
        m_server.serve(kDir + "good.txt", "earlier body\n");
        m_server.serve(kDir + "bad.txt", "<html>error page</html>", status);
        FileDownloader downloader;
        QCOMPARE(fetch(downloader, "good.txt").data, QByteArray("earlier body\n"));
        const Outcome failed = fetch(downloader, "bad.txt");
        QCOMPARE(failed.code, code);
        QVERIFY(failed.data.isEmpty()); // neither the error page nor the earlier body
        QVERIFY(downloader.receivedData().isEmpty());
    }

    void emptyBodyIsASuccess()
    {
        m_server.serve(kDir + "empty.txt", QByteArray());
        FileDownloader downloader;
        const Outcome outcome = fetch(downloader, "empty.txt");
        QCOMPARE(outcome.code, int(QNetworkReply::NoError));
        QVERIFY(outcome.data.isEmpty());
    }

    void replyLivesThroughDownloadedAndIsDeletedAfter()
    {
        m_server.serve(kDir + "a.txt", "body a\n");
        FileDownloader downloader;
        const QPointer<QNetworkReply> reply = downloader.get(requestFor("a.txt"));
        bool aliveWhenAnnounced = false;
        connect(&downloader, &FileDownloader::downloaded, this,
                [&] { aliveWhenAnnounced = reply && reply->isFinished(); });
        QCOMPARE(awaitDownloaded(downloader).code, int(QNetworkReply::NoError));
        QVERIFY(aliveWhenAnnounced);
        QTRY_VERIFY(reply.isNull());
    }

    void laterBodyReplacesTheEarlier()
    {
        m_server.serve(kDir + "first.txt", "the first, longer body\n");
        m_server.serve(kDir + "second.txt", "second\n");
        FileDownloader downloader;
        QCOMPARE(fetch(downloader, "first.txt").data, QByteArray("the first, longer body\n"));
        QCOMPARE(fetch(downloader, "second.txt").data, QByteArray("second\n"));
        QCOMPARE(downloader.receivedData(), QByteArray("second\n"));
    }

    void requestStraightOnTheAccessManagerIsReadWhole()
    {
        const QByteArray body(300000, 'c');
        m_server.serve(kDir + "direct.txt", body);
        FileDownloader downloader;
        downloader.accessManager.get(requestFor("direct.txt"));
        const Outcome outcome = awaitDownloaded(downloader);
        QCOMPARE(outcome.code, int(QNetworkReply::NoError));
        QCOMPARE(outcome.data, body);
    }

    // A body up to the cap is taken whole; one byte more and it is refused, whether or
    // not the server says in advance how long it is.
    void bodyCap_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("announced");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("at the cap, announced") << maxCatalogueBodyBytes << true << true;
        QTest::newRow("at the cap, unannounced") << maxCatalogueBodyBytes << false << true;
        QTest::newRow("one byte over, announced") << maxCatalogueBodyBytes + 1 << true << false;
        QTest::newRow("one byte over, unannounced") << maxCatalogueBodyBytes + 1 << false << false;
    }

    void bodyCap()
    {
        QFETCH(qint64, size);
        QFETCH(bool, announced);
        QFETCH(bool, accepted);
        m_server.stream(kDir + "big.txt", "[CAL_NAME] filler\n", size, announced);
        FileDownloader downloader;
        const Outcome outcome = fetch(downloader, "big.txt");
        if (accepted) {
            QCOMPARE(outcome.code, int(QNetworkReply::NoError));
            QCOMPARE(outcome.data.size(), int(size));
            QVERIFY(outcome.data.startsWith("[CAL_NAME] filler\n[CAL_NAME] filler\n"));
        } else {
            QCOMPARE(outcome.code, int(QNetworkReply::UnknownContentError));
            QVERIFY(outcome.data.isEmpty());
        }
    }

    // A gigabyte answered slowly: the download is given up once past the cap, long before
    // the server is done, and events keep flowing meanwhile.
    void gigabyteAnsweredSlowlyIsCutOffAtTheCap_data()
    {
        QTest::addColumn<bool>("announced");
        QTest::newRow("announced") << true;
        QTest::newRow("unannounced") << false;
    }

    void gigabyteAnsweredSlowlyIsCutOffAtTheCap()
    {
        QFETCH(bool, announced);
        HttpStub server;
        const qint64 gigabyte = qint64(1) << 30;
        server.stream(kDir + "huge.txt", "0123456789abcdef", gigabyte, announced, 256 * 1024, 2);
        FileDownloader downloader;
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(10);
        downloader.get(QNetworkRequest(QUrl(server.baseAddress() + "huge.txt")));
        const Outcome outcome = awaitDownloaded(downloader);
        QCOMPARE(outcome.code, int(QNetworkReply::UnknownContentError));
        QVERIFY(outcome.data.isEmpty());
        // The socket buffers on both sides hold a little more than the cap, never the gigabyte.
        QVERIFY2(server.streamedBytes() <= maxCatalogueBodyBytes + 16 * 1024 * 1024,
                 qPrintable(QString::number(server.streamedBytes())));
        if (announced)
            QVERIFY(server.streamedBytes() < 16 * 1024 * 1024); // refused on its announced length
        else
            QVERIFY(ticks > 0);
    }
};

QTEST_GUILESS_MAIN(TestFileDownloader)
#include "tst_filedownloader.moc"
