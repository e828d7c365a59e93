#include "bodylimit.h"
#include "catalogues.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "httpstub.h"
#include "listing.h"
#include "modaldriver.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSplashScreen>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using R = QNetworkReply;
using Error = QNetworkReply::NetworkError;

namespace {
const QByteArray kDir = kCatalogueDirectory;
const QString kFallback = "message Network error: Unable to download correction matrizes from the Internet, please select a Calibrations.txt file locally";
const QString kChooser = "file Open File";
// The limit on time without progress; each request's deadline is 2.5 times it. Rows that
// wait for either shorten it; others leave a loaded machine time to move a body past the cap.
constexpr int kLimitMs = 10000, kShortLimitMs = 1000;

using catalogues::record;

QByteArray entry(const QByteArray &target)
{
    return "<li><a href=\"" + target + "\"> " + target + "</a></li>\n";
}

// A main window built against the catalogue at base, its modal windows answered by driver.
struct Fetched
{
    // The catalogue source is set before the window (the next member) is built.
    explicit Fetched(const QString &base, const QStringList &choices = {}, int limitMs = kLimitMs)
        : driver((overrideCatalogueSourceForTesting(base, limitMs, limitMs * 5 / 2), choices)) {}
    QByteArray stored() const
    {
        QFile file(probe.tmpCalFileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }
    Error code() const { return Error(probe.networkError()); }
    ModalDriver driver;
    dialog w;
    DialogProbe probe{w};
};
}

class TestCatalogue : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_local = m_dir.filePath("Calibrations.txt");
    const QByteArray m_localBytes = record("Daylight D65") + QByteArrayLiteral("[CAL_NAME] \xff\x00 end");
    const QString m_serverScript = qEnvironmentVariable("TARVIK_SOURCE_DIR") + "/scripts/catalogue-server";
    QString tls(const QString &name) const { return m_dir.filePath("tls/" + name); }

    // Every way a request can fail, as a scripted reply for the listing and for the second
    // of three files, with the code the window is left with.
    static void addFailedRequestRows()
    {
        QTest::addColumn<bool>("listing");
        QTest::addColumn<QByteArrayList>("reply");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<Error>("code");
        QTest::addColumn<int>("limitMs");
        const QByteArray body = record("Cut Short"), head = HttpStub::head(200, body.size()), cut = body.chopped(2);
        const QByteArray gzip("\x1f\x8b\x08\0\0\0\0\0\0\x03\xcb\x48\xcd\xc9\xc9\x07\0", 17), gz = "Content-Encoding: gzip\r\n";
        QByteArrayList drip{HttpStub::head(200, 1000)}; // a byte every 300 ms: never stalled, never done
        while (drip.size() < 80)
            drip << "x";
        const auto row = [](const char *name, const QByteArrayList &reply, int pauseMs, Error code, int limitMs = kLimitMs) {
            QTest::addRow("listing: %s", name) << true << reply << pauseMs << code << limitMs;
            QTest::addRow("file: %s", name) << false << reply << pauseMs << code << limitMs;
        };
        row("404", {HttpStub::head(404, 9) + "Not Found"}, 0, R::ContentNotFoundError);
        row("500", {HttpStub::head(500, 5) + "Error"}, 0, R::InternalServerError);
        row("301", {HttpStub::head(301, 6, "Location: " + kDir + "\r\n") + "<html>"}, 0, R::UnknownServerError);
        row("302 to another host", {HttpStub::head(302, 0, "Location: http://elsewhere.invalid/\r\n")}, 0, R::UnknownServerError);
        row("204", {"HTTP/1.1 204 No Content\r\n\r\n"}, 0, R::UnknownServerError);
        row("304", {"HTTP/1.1 304 Not Modified\r\n\r\n"}, 0, R::UnknownServerError);
        row("FIN after the head", {head, "<FIN>"}, 0, R::RemoteHostClosedError);
        row("FIN with the last bytes", {head + cut}, 0, R::RemoteHostClosedError);
        row("FIN after a pause", {head + cut, "<FIN>"}, 50, R::RemoteHostClosedError);
        row("RST after the head", {head, "<RST>"}, 0, R::RemoteHostClosedError);
        row("RST with the last bytes", {head + cut, "<RST>"}, 0, R::RemoteHostClosedError);
        row("RST after a pause", {head + cut, "<RST>"}, 50, R::RemoteHostClosedError);
        row("gzip, cut", {HttpStub::head(200, -1, gz) + gzip.left(12)}, 0, R::UnknownContentError);
        row("gzip, whole", {HttpStub::head(200, gzip.size(), gz) + gzip}, 0, R::UnknownContentError);
        row("stalled", {head, "<HOLD>"}, 0, R::OperationCanceledError, kShortLimitMs);
        row("drip past the deadline", drip, 300, R::OperationCanceledError, kShortLimitMs);
        row("announced past the cap", {HttpStub::head(200, maxCatalogueBodyBytes + 1), "<HOLD>"}, 0, R::UnknownContentError);
        const QByteArrayList unannounced{HttpStub::head(200, -1) + QByteArray(maxCatalogueBodyBytes + 1, 'x')};
        QTest::newRow("listing: past the cap, unannounced") << true << unannounced << 0 << R::UnknownContentError << kLimitMs;
        const QByteArray chunked = HttpStub::head(200, -1, "Transfer-Encoding: chunked\r\n") + QByteArray::number(body.size(), 16)
            + "\r\n" + body + "\r\n";
        QTest::newRow("file: chunked, cut before its last chunk") << false << QByteArrayList{chunked, "<FIN>"} << 0
                                                                  << R::ProtocolFailure << kLimitMs;
        QTest::newRow("file: whole, but no length announced") << false << QByteArrayList{HttpStub::head(200, -1) + body, "<FIN>"}
                                                              << 0 << R::ProtocolFailure << kLimitMs;
        QTest::newRow("file: past the cap, unannounced") << false << unannounced << 0 << R::ProtocolFailure << kLimitMs;
        QTest::newRow("listing: names nothing") << true << QByteArrayList{HttpStub::head(200, 0)} << 0 << R::NoError << kLimitMs;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkpath("served"));
        for (const QString &path : {m_local, m_dir.filePath("served/Daylight D65.txt")}) {
            QFile local(path);
            QVERIFY(local.open(QIODevice::WriteOnly) && local.write(m_localBytes) == m_localBytes.size());
        }
    }

    void init() { overrideCatalogueSourceForTesting(QString(), 0); }

    void listingNames_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<QStringList>("names");
        const QByteArray a = entry("a.txt"), b = entry("b.txt");
        QTest::newRow("CR LF, CR alone, text before the prefix") << "<ul>" + QByteArray(a).replace("\n", "\r\n") + b.chopped(1) + "\r" + a.chopped(1)
                                         << QStringList{"a.txt", "b.txt", "a.txt"};
        QTest::newRow("percent-escaped as it stands, UTF-8") << entry("Daylight%20D65.txt") + entry("Lumi\xc3\xa8re.txt")
                                                             << QStringList{"Daylight%20D65.txt", QString::fromUtf8("Lumi\xc3\xa8re.txt")};
        for (const char *odd : {"", ".", "..", "%2e%2e", "%2E.", "..%2Fetc", "%2fetc", "/TARVIK/", "old/", "?q",
                                "a.txt?q", "#x", "a:b", "..\\x", "http://elsewhere/b.txt"})
            QTest::newRow(qPrintable(QString("names nothing: ") + odd)) << entry(odd) + b << QStringList{"b.txt"};
    }

    void listingNames()
    {
        QFETCH(QByteArray, listing);
        QFETCH(QStringList, names);
        QCOMPARE(catalogueFileNames(listing), names);
    }

    // Whatever keeps the listing from naming a file, the user is told and picks a local
    // catalogue, which then is the temporary catalogue byte for byte. When a file fails,
    // the files before it stay stored, none after it is asked for, and no message is shown.
    void failedRequest_data() { addFailedRequestRows(); }

    void failedRequest()
    {
        QFETCH(bool, listing);
        QFETCH(QByteArrayList, reply);
        QFETCH(int, pauseMs);
        QFETCH(Error, code);
        QFETCH(int, limitMs);
        HttpStub server;
        server.serve(kDir, HttpStub::listingFor({"first.txt", "second.txt", "third.txt"}));
        server.serve(kDir + "first.txt", record("LED Cool White"));
        const QByteArray failing = listing ? kDir : kDir + "second.txt";
        server.script(failing, reply, pauseMs);
        if (!listing)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Catalogue file \"second.txt\" failed .*stored 1 of 3 files$"));
        Fetched f(server.baseAddress(), {m_local}, limitMs);
        QCOMPARE(f.driver.seen(), listing ? QStringList({kFallback, kChooser}) : QStringList());
        QCOMPARE(f.code(), code);
        QCOMPARE(f.stored(), listing ? m_localBytes : record("LED Cool White"));
        QCOMPARE(server.requestedPaths().last(), failing);
    }

    // In listing order, a name listed twice stored twice, a chunked listing taken once its
    // last chunk has come, and the count on the splash screen.
    void listedFilesAreStoredBackToBackInListingOrder()
    {
        HttpStub server;
        const QByteArray daylight = record("Daylight D65") + record("Daylight D50"), flash = record("Flash").chopped(1);
        const QByteArray listing = HttpStub::listingFor({"Daylight D65.txt", "a.txt", "flash.txt", "a.txt"}).replace("\n", "\r\n");
        server.script(kDir, {HttpStub::head(200, -1, "Transfer-Encoding: chunked\r\n"),
                             QByteArray::number(listing.size(), 16) + "\r\n" + listing + "\r\n0\r\n\r\n"}, 20);
        server.serve(kDir + "Daylight%20D65.txt", daylight);
        server.serve(kDir + "a.txt", record("Tungsten A"));
        server.serve(kDir + "flash.txt", flash);
        QSplashScreen splash;
        splash.show();
        QSignalSpy progress(&splash, &QSplashScreen::messageChanged);
        Fetched f(server.baseAddress());
        QCOMPARE(f.driver.seen(), QStringList());
        QCOMPARE(server.requestedPaths(), (QByteArrayList{kDir, kDir + "Daylight%20D65.txt", kDir + "a.txt",
                                                          kDir + "flash.txt", kDir + "a.txt"}));
        QCOMPARE(f.stored(), daylight + record("Tungsten A") + flash + record("Tungsten A"));
        QCOMPARE(progress.last().at(0).toString(), QString::fromUtf8("Fetching calibration file 4 of 4\u2026"));
    }

    // A body at the cap is taken whole, a listing even unannounced; the bound holds for the
    // catalogue as a whole: five files each at the cap make one past it, so the fifth is not stored.
    void bodiesAtTheCapUpToTheCatalogueBound()
    {
        HttpStub server;
        const QByteArray body(int(maxCatalogueBodyBytes), 'c');
        const QStringList names{"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"};
        const QByteArray listing = HttpStub::listingFor(names);
        server.script(kDir, {HttpStub::head(200, -1) + listing + QByteArray(body.size() - listing.size(), ' ')});
        for (const QString &name : names)
            server.script(kDir + name.toUtf8(), {HttpStub::head(200, body.size()), body});
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Catalogue file \"5.txt\" would take the catalogue past "));
        Fetched f(server.baseAddress());
        QCOMPARE(QFileInfo(f.probe.tmpCalFileName()).size(), 4 * maxCatalogueBodyBytes);
    }

    // A local catalogue that cannot be copied (a folder) is reported and the chooser asks again.
    void localCatalogueThatCannotBeCopiedIsAskedForAgain()
    {
        HttpStub server;
        Fetched f(server.baseAddress(), {m_dir.path(), m_local});
        QCOMPARE(f.driver.seen(), (QStringList{kFallback, kChooser, "message Cannot read file: " + m_dir.path()
                                     + " cannot be used as the calibration catalogue. Please select another file.", kChooser}));
        QCOMPARE(f.stored(), m_localBytes);
    }

    // The real Apache over HTTPS, serving the local catalogue: only a certificate that
    // verifies is accepted; with any other the listing fails, unasked, and the fallback
    // follows, where cancelling the chooser ends the run.
    void httpsCatalogue_data()
    {
        // A certificate authority of this run's own, trusted by this process alone.
        QCOMPARE(QProcess::execute(m_serverScript, {"certificates", m_dir.filePath("tls")}), 0);
        QSslConfiguration trusted = QSslConfiguration::defaultConfiguration();
        trusted.setCaCertificates(QSslCertificate::fromPath(tls("ca.pem")));
        QSslConfiguration::setDefaultConfiguration(trusted);
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<Error>("code");
        QTest::newRow("verified") << "good" << R::NoError;
        QTest::newRow("expired") << "expired" << R::SslHandshakeFailedError;
        QTest::newRow("wrong host name") << "wrong-host" << R::SslHandshakeFailedError;
        QTest::newRow("unknown authority") << "unknown-authority" << R::SslHandshakeFailedError;
    }

    void httpsCatalogue()
    {
        QFETCH(QString, certificate);
        QFETCH(Error, code);
        QTcpServer free; // a port nothing listens on, for Apache to take at once
        QVERIFY(free.listen(QHostAddress::LocalHost));
        const QString port = QString::number(free.serverPort());
        free.close();
        const QStringList server{"--port", port, "--run-dir", m_dir.filePath("apache"), "--root", m_dir.filePath("served")};
        QCOMPARE(QProcess::execute(m_serverScript, QStringList{"start", "--cert", tls(certificate + ".pem"), "--key",
                                                               tls(certificate + ".key")} + server), 0);
        const auto stop = qScopeGuard([&] { QProcess::execute(m_serverScript, QStringList{"stop"} + server); });
        Fetched f("https://127.0.0.1:" + port + kCatalogueDirectory);
        QCOMPARE(f.code(), code);
        QCOMPARE(f.driver.seen().isEmpty(), code == R::NoError);
        QCOMPARE(f.w.catalogueChosen(), code == R::NoError);
        QCOMPARE(f.stored(), code == R::NoError ? m_localBytes : QByteArray("<no file>"));
    }

    // A catalogue that cannot be written out whole leaves nothing behind, and discovery
    // stops with the reason before the instrument is touched.
    void catalogueThatCannotBeStoredStopsDiscovery()
    {
        HttpStub server;
        server.serve(kDir, HttpStub::listingFor({"big.txt"}));
        server.serve(kDir + "big.txt", record("Big").repeated(1000));
        const rlimit limit = [] { rlimit l{}; getrlimit(RLIMIT_FSIZE, &l); return l; }();
        const rlimit small{16 * 1024, limit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails instead of ending the process
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const auto restore = qScopeGuard([&] { setrlimit(RLIMIT_FSIZE, &limit); });
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Storing the catalogue in .* failed: "));
        Fetched f(server.baseAddress());
        QVERIFY(!f.probe.findTARVIK());
        QCOMPARE(f.probe.label()->text() + " " + f.probe.label2()->text(),
                 QString("Could not store the calibration catalogue. Nothing was written to the TARVIK."));
        QCOMPARE(f.stored(), QByteArray("<no file>"));
    }
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
