#include "bodylimit.h"
#include "cataloguesource.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "filedownloader.h"
#include "httpstub.h"
#include "listing.h"
#include "modaldriver.h"

#include <QProcess>
#include <QSplashScreen>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using Error = QNetworkReply::NetworkError;

namespace {
const QByteArray kDir = "/TARVIK/Calibrations/";
const QString kFallback = "message Network error: Unable to download correction matrizes from the Internet, "
                          "please select a Calibrations.txt file locally";
const QString kChooser = "file Open File";
// Short, so that a stalled or dripping server ends a row quickly.
constexpr int kStallMs = 1000, kDeadlineMs = 2500;

QByteArray record(const QByteArray &name, const QByteArray &lineEnd = "\n")
{
    return "[CAL_NAME] " + name + lineEnd + "[ABS_INTENSITY_CAL] 1.02" + lineEnd + "[XCAL] 1.01 0.02 -0.01" + lineEnd
        + "[YCAL] 0.03 0.98 0.01" + lineEnd + "[ZCAL] -0.02 0.01 1.04" + lineEnd + "[BASCAL_INDEX] 3" + lineEnd;
}

QByteArray entry(const QByteArray &target)
{
    return "<li><a href=\"" + target + "\"> " + target + "</a></li>";
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

QString copyRefused(const QString &path)
{
    return "message Cannot read file: " + path + " cannot be used as the calibration catalogue. Please select another file.";
}
}

class TestCatalogue : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_local = m_dir.filePath("Calibrations.txt");
    const QByteArray m_localBytes = record("Daylight D65", "\r\n") + QByteArrayLiteral("[CAL_NAME] \xff\x00 end");

    // Every way a request can fail, as a scripted reply, with the code the window is left with.
    static void addFailedRequestRows()
    {
        QTest::addColumn<QByteArrayList>("reply");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<Error>("code");
        const QByteArray body = record("Cut Short"), head = HttpStub::head(200, body.size()), cut = body.chopped(2);
        const QByteArray page = "<html>Moved</html>", gzip("\x1f\x8b\x08\0\0\0\0\0\0\x03\xcb\x48\xcd\xc9\xc9\x07\0", 17);
        const auto row = [](const char *name, const QByteArrayList &reply, int pauseMs, Error code) {
            QTest::newRow(name) << reply << pauseMs << code;
        };
        row("404", {HttpStub::head(404, 9) + "Not Found"}, 0, QNetworkReply::ContentNotFoundError);
        row("500", {HttpStub::head(500, 5) + "Error"}, 0, QNetworkReply::InternalServerError);
        row("301", {HttpStub::head(301, page.size(), "Location: " + kDir + "\r\n") + page}, 0, QNetworkReply::UnknownServerError);
        row("302 to another host", {HttpStub::head(302, 0, "Location: http://elsewhere.invalid/\r\n")}, 0,
            QNetworkReply::UnknownServerError);
        row("204", {"HTTP/1.1 204 No Content\r\n\r\n"}, 0, QNetworkReply::UnknownServerError);
        row("304", {"HTTP/1.1 304 Not Modified\r\n\r\n"}, 0, QNetworkReply::UnknownServerError);
        row("FIN after the head", {head, "<FIN>"}, 0, QNetworkReply::RemoteHostClosedError);
        row("FIN with the last bytes", {head + cut}, 0, QNetworkReply::RemoteHostClosedError);
        row("FIN after a pause", {head + cut, "<FIN>"}, 50, QNetworkReply::RemoteHostClosedError);
        row("RST after the head", {head, "<RST>"}, 0, QNetworkReply::RemoteHostClosedError);
        row("RST with the last bytes", {head + cut, "<RST>"}, 0, QNetworkReply::RemoteHostClosedError);
        row("RST after a pause", {head + cut, "<RST>"}, 50, QNetworkReply::RemoteHostClosedError);
        row("gzip, cut", {HttpStub::head(200, -1, "Content-Encoding: gzip\r\n") + gzip.left(12)}, 0,
            QNetworkReply::UnknownContentError);
        row("gzip, whole", {HttpStub::head(200, gzip.size(), "Content-Encoding: gzip\r\n") + gzip}, 0,
            QNetworkReply::UnknownContentError);
        row("stalled", {head, "<HOLD>"}, 0, QNetworkReply::OperationCanceledError);
        QByteArrayList drip{HttpStub::head(200, -1)};
        for (int i = 0; i < 40; ++i)
            drip << "x"; // a byte every 150 ms: never stalled, never done
        row("drip past the deadline", drip, 150, QNetworkReply::OperationCanceledError);
        row("announced past the cap", {HttpStub::head(200, maxCatalogueBodyBytes + 1), "<HOLD>"}, 0,
            QNetworkReply::UnknownContentError);
        row("past the cap, unannounced", {HttpStub::head(200, -1) + QByteArray(maxCatalogueBodyBytes + 1, 'x')}, 0,
            QNetworkReply::UnknownContentError);
    }

    // Apache, run by the project's script, serves the local catalogue as its only file.
    const QString m_serverScript = qEnvironmentVariable("TARVIK_SOURCE_DIR") + "/scripts/catalogue-server";
    QString tls(const QString &name) const { return m_dir.filePath("tls/" + name); }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkpath("served"));
        for (const QString &path : {m_local, m_dir.filePath("served/Daylight D65.txt")}) {
            QFile local(path);
            QVERIFY(local.open(QIODevice::WriteOnly) && local.write(m_localBytes) == m_localBytes.size());
        }
        // A certificate authority of this run's own, trusted by this process alone.
        QCOMPARE(QProcess::execute(m_serverScript, {"certificates", m_dir.filePath("tls")}), 0);
        QSslConfiguration trusted = QSslConfiguration::defaultConfiguration();
        trusted.setCaCertificates(QSslCertificate::fromPath(tls("ca.pem")));
        QSslConfiguration::setDefaultConfiguration(trusted);
    }

    void init() { overrideCatalogueSourceForTesting(QString(), 0); }

    void listingNames_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<QStringList>("names");
        const QByteArray a = entry("a.txt"), b = entry("b.txt");
        QTest::newRow("LF") << QByteArray(a + "\n" + b + "\n") << QStringList{"a.txt", "b.txt"};
        QTest::newRow("CR LF") << QByteArray(a + "\r\n" + b + "\r\n") << QStringList{"a.txt", "b.txt"};
        QTest::newRow("CR alone, no final line end") << QByteArray(a + "\r" + b) << QStringList{"a.txt", "b.txt"};
        QTest::newRow("parent and subdirectory") << QByteArray(entry("/TARVIK/") + "\n" + entry("old/") + "\n" + a)
                                                 << QStringList{"a.txt"};
        QTest::newRow("absolute address") << entry("http://elsewhere/x.txt") << QStringList();
        QTest::newRow("target end on the next line") << QByteArray("<li><a href=\"split\n.txt\">") << QStringList();
        QTest::newRow("percent-escaped, as it stands") << entry("Daylight%20D65.txt") << QStringList{"Daylight%20D65.txt"};
        QTest::newRow("text before the prefix, listed twice") << QByteArray("<ul>" + a + "\n" + a) << QStringList{"a.txt", "a.txt"};
        QTest::newRow("UTF-8") << entry("Lumi\xc3\xa8re.txt") << QStringList{QString::fromUtf8("Lumi\xc3\xa8re.txt")};
        QTest::newRow("markers are case-sensitive") << QByteArray("<LI><A HREF=\"a.txt\">") << QStringList();
        for (const char *odd : {"", ".", "..", "%2e%2e", "%2E.", "..%2Fetc", "%2fetc", "?q", "a.txt?q", "#x", "a:b"})
            QTest::newRow(qPrintable(QString("names nothing: ") + odd)) << QByteArray(entry(odd) + "\n" + b) << QStringList{"b.txt"};
    }

    void listingNames()
    {
        QFETCH(QByteArray, listing);
        QFETCH(QStringList, names);
        QCOMPARE(catalogueFileNames(listing), names);
    }

    void bodyAtTheCapIsTakenWhole()
    {
        HttpStub server;
        const QByteArray body(int(maxCatalogueBodyBytes), 'c');
        server.script(kDir + "big.txt", {HttpStub::head(200, -1) + body});
        FileDownloader downloader;
        QSignalSpy done(&downloader, &FileDownloader::downloaded);
        downloader.get(QNetworkRequest(QUrl(server.baseAddress() + "big.txt")), kStallMs * 10, kDeadlineMs * 10);
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, kDeadlineMs * 10);
        QCOMPARE(done.at(0).at(0).value<Error>(), QNetworkReply::NoError);
        QVERIFY(downloader.receivedData() == body);
    }

    // Whatever keeps the listing from naming a file, the user is told and picks a
    // local catalogue, which then is the temporary catalogue byte for byte.
    void listingFailureFallsBackToALocalFile_data()
    {
        addFailedRequestRows();
        QTest::newRow("names nothing") << QByteArrayList{HttpStub::head(200, 0)} << 0 << QNetworkReply::NoError;
    }

    void listingFailureFallsBackToALocalFile()
    {
        QFETCH(QByteArrayList, reply);
        QFETCH(int, pauseMs);
        QFETCH(Error, code);
        HttpStub server;
        server.script(kDir, reply, pauseMs);
        overrideCatalogueSourceForTesting(server.baseAddress(), kStallMs, kDeadlineMs);
        ModalDriver driver({m_local});
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(driver.seen(), (QStringList{kFallback, kChooser}));
        QCOMPARE(Error(probe.networkError()), code);
        QCOMPARE(contentOf(probe.tmpCalFileName()), m_localBytes);
    }

    // The second of three files fails: the first stays stored, the third is never asked
    // for, and nobody is bothered with a message.
    void failedFileEndsFetchingWithWhatCameBefore_data() { addFailedRequestRows(); }

    void failedFileEndsFetchingWithWhatCameBefore()
    {
        QFETCH(QByteArrayList, reply);
        QFETCH(int, pauseMs);
        QFETCH(Error, code);
        HttpStub server;
        server.serve(kDir, HttpStub::listingFor({"first.txt", "second.txt", "third.txt"}));
        server.serve(kDir + "first.txt", record("LED Cool White", "\r\n"));
        server.script(kDir + "second.txt", reply, pauseMs);
        server.serve(kDir + "third.txt", record("Tungsten A"));
        overrideCatalogueSourceForTesting(server.baseAddress(), kStallMs, kDeadlineMs);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Catalogue file \"second.txt\" failed .*stored 1 of 3 files$"));
        ModalDriver driver;
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(driver.seen(), QStringList());
        QCOMPARE(Error(probe.networkError()), code);
        QCOMPARE(contentOf(probe.tmpCalFileName()), record("LED Cool White", "\r\n"));
        QVERIFY(!server.requestedPaths().contains(kDir + "third.txt"));
    }

    void listedFilesAreStoredBackToBackInListingOrder_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("LF listing") << QByteArray("\n");
        QTest::newRow("CR LF listing") << QByteArray("\r\n");
    }

    void listedFilesAreStoredBackToBackInListingOrder()
    {
        QFETCH(QByteArray, lineEnd);
        HttpStub server;
        const QByteArray daylight = record("Daylight D65") + record("Daylight D50"), tungsten = record("Tungsten A", "\r\n");
        const QByteArray flash = record("Studio Flash").chopped(1);
        QByteArray listing = HttpStub::listingFor({"Daylight D65.txt", "tungsten.txt", "flash.txt", "tungsten.txt"});
        listing += entry("..") + "\n" + entry("%2e%2e") + "\n" + entry("?q") + "\n" + entry("#x") + "\n";
        server.serve(kDir, listing.replace("\n", lineEnd));
        server.serve(kDir + "Daylight%20D65.txt", daylight);
        server.serve(kDir + "tungsten.txt", tungsten);
        // A chunked body counts once its last chunk has come.
        server.script(kDir + "flash.txt", {HttpStub::head(200, -1, "Transfer-Encoding: chunked\r\n"),
                                           QByteArray::number(flash.size(), 16) + "\r\n" + flash + "\r\n0\r\n\r\n"}, 20);
        overrideCatalogueSourceForTesting(server.baseAddress(), kStallMs, kDeadlineMs);
        QSplashScreen splash;
        splash.show();
        QSignalSpy progress(&splash, &QSplashScreen::messageChanged);
        ModalDriver driver;
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(driver.seen(), QStringList());
        QCOMPARE(server.requestedPaths(), (QByteArrayList{kDir, kDir + "Daylight%20D65.txt", kDir + "tungsten.txt",
                                                          kDir + "flash.txt", kDir + "tungsten.txt"}));
        QCOMPARE(contentOf(probe.tmpCalFileName()), daylight + tungsten + flash + tungsten);
        QCOMPARE(progress.last().at(0).toString(), QString::fromUtf8("Fetching calibration file 4 of 4\u2026"));
    }

    // A local catalogue that cannot be copied (a folder) is reported and the chooser asks
    // again; cancelling the chooser ends the run.
    void localCatalogueChoice_data()
    {
        const QString kUnreadable = m_dir.path();
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("cancelled") << QStringList() << QStringList{kFallback, kChooser} << QByteArray("<no file>");
        QTest::newRow("unreadable, then readable") << QStringList{kUnreadable, m_local}
                                                   << QStringList{kFallback, kChooser, copyRefused(kUnreadable), kChooser}
                                                   << m_localBytes;
        QTest::newRow("unreadable, then cancelled") << QStringList{kUnreadable}
                                                    << QStringList{kFallback, kChooser, copyRefused(kUnreadable), kChooser}
                                                    << QByteArray("<no file>");
    }

    void localCatalogueChoice()
    {
        QFETCH(QStringList, choices);
        QFETCH(QStringList, seen);
        QFETCH(QByteArray, stored);
        HttpStub server;
        overrideCatalogueSourceForTesting(server.baseAddress(), kStallMs, kDeadlineMs);
        ModalDriver driver(choices);
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(driver.seen(), seen);
        QCOMPARE(w.catalogueChosen(), stored == m_localBytes);
        QCOMPARE(contentOf(probe.tmpCalFileName()), stored);
    }

    // The real Apache over HTTPS: only a certificate that verifies is accepted; with any
    // other the listing fails, unasked, and the fallback follows.
    void httpsCatalogue_data()
    {
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<Error>("code");
        QTest::newRow("verified") << "good" << QNetworkReply::NoError;
        QTest::newRow("expired") << "expired" << QNetworkReply::SslHandshakeFailedError;
        QTest::newRow("wrong host name") << "wrong-host" << QNetworkReply::SslHandshakeFailedError;
        QTest::newRow("unknown authority") << "unknown-authority" << QNetworkReply::SslHandshakeFailedError;
    }

    void httpsCatalogue()
    {
        QFETCH(QString, certificate);
        QFETCH(Error, code);
        const QString port = qEnvironmentVariable("TARVIK_CATALOGUE_TLS_PORT");
        const QStringList server{"--port", port, "--run-dir", m_dir.filePath("apache"), "--root", m_dir.filePath("served")};
        QCOMPARE(QProcess::execute(m_serverScript, QStringList{"start", "--cert", tls(certificate + ".pem"), "--key",
                                                               tls(certificate + ".key")} + server), 0);
        const auto stop = qScopeGuard([&] { QProcess::execute(m_serverScript, QStringList{"stop"} + server); });
        overrideCatalogueSourceForTesting("https://127.0.0.1:" + port + "/TARVIK/Calibrations/", kStallMs * 5);
        ModalDriver driver;
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(Error(probe.networkError()), code);
        QCOMPARE(driver.seen().isEmpty(), code == QNetworkReply::NoError);
        QCOMPARE(contentOf(probe.tmpCalFileName()), code == QNetworkReply::NoError ? m_localBytes : QByteArray("<no file>"));
    }

    // A catalogue that cannot be written out whole leaves nothing behind, and discovery
    // stops with the reason before the instrument is touched.
    void catalogueThatCannotBeStoredStopsDiscovery()
    {
        HttpStub server;
        server.serve(kDir, HttpStub::listingFor({"big.txt"}));
        server.serve(kDir + "big.txt", record("Big").repeated(1000));
        overrideCatalogueSourceForTesting(server.baseAddress(), kStallMs, kDeadlineMs);
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit small{16 * 1024, limit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails instead of ending the process
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const auto restore = qScopeGuard([&] { setrlimit(RLIMIT_FSIZE, &limit); });
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Storing the catalogue in .* failed: "));
        dialog w;
        DialogProbe probe(w);
        QVERIFY(!probe.findTARVIK());
        QCOMPARE(probe.label()->text(), QString("Could not store the calibration catalogue."));
        QCOMPARE(probe.label2()->text(), QString("Nothing was written to the TARVIK."));
        QCOMPARE(contentOf(probe.tmpCalFileName()), QByteArray("<no file>"));
    }
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
