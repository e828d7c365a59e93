// SPDX-License-Identifier: MIT
#include "bodylimit.h"
#include "catalogues.h"
#include "catalogueversion.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "httpstub.h"
#include "listing.h"
#include "manifest.h"
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
// The repository's test key, which the sign command uses unless told otherwise.
const QString kTestKey = "RWSUJgZXTkd5+qdZSTKmOfMo3gMoHLlXV3XZuO/8Gwe/+UWI2RLepwKT";
const QStringList kSignedFiles{"first.txt", "second.txt", "third.txt"};

using catalogues::record;

QByteArray entry(const QByteArray &target)
{
    return "<li><a href=\"" + target + "\"> " + target + "</a></li>\n";
}

// A main window built against the catalogue at base, its modal windows answered by driver.
// Limits: time without progress, then optionally the whole fetch's deadline and the delay of
// the progress window.
struct Fetched
{
    // The catalogue source is set before the window (the next member) is built.
    explicit Fetched(const QString &base, const QStringList &answers = {}, const QVector<int> &limits = {kLimitMs})
        : driver((overrideCatalogueSourceForTesting(base, limits[0], limits[0] * 5 / 2, limits.value(1), limits.value(2)), answers)) {}
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
    const QString m_fifo = m_dir.filePath("fifo"); // no writer ever opens it
    const QByteArray m_localBytes = record("Daylight D65") + QByteArrayLiteral("[CAL_NAME] \xff\x00 end");
    const QString m_serverScript = qEnvironmentVariable("TARVIK_SOURCE_DIR") + "/scripts/catalogue-server";
    QString tls(const QString &name) const { return m_dir.filePath("tls/" + name); }

    // Every way a request can fail, as a scripted reply for the listing and for the second
    // of three files, with the code the window is left with and the reason the user is told.
    static void addFailedRequestRows()
    {
        QTest::addColumn<bool>("listing");
        QTest::addColumn<QByteArrayList>("reply");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<Error>("code");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QVector<int>>("limits");
        const QByteArray body = record("Cut Short"), head = HttpStub::head(200, body.size()), cut = body.chopped(2);
        const QByteArray gzip("\x1f\x8b\x08\0\0\0\0\0\0\x03\xcb\x48\xcd\xc9\xc9\x07\0", 17), gz = "Content-Encoding: gzip\r\n";
        QByteArrayList drip{HttpStub::head(200, 1000)}; // a byte every 300 ms: never stalled, never done
        while (drip.size() < 80)
            drip << "x";
        const auto one = [](const char *name, const QByteArrayList &reply, int pauseMs, Error code, const char *reason,
                            const QVector<int> &limits = {kLimitMs}) {
            QTest::newRow(name) << QByteArray(name).startsWith("listing") << reply << pauseMs << code << QString(reason) << limits;
        };
        const auto row = [&](const char *name, const QByteArrayList &reply, int pauseMs, Error code, const char *reason,
                             const QVector<int> &limits = {kLimitMs}) {
            one(qPrintable(QString("listing: ") + name), reply, pauseMs, code, reason, limits);
            one(qPrintable(QString("file: ") + name), reply, pauseMs, code, reason, limits);
        };
        const char *const closed = "the server closed the connection before the file was complete", *tooLarge = "the file is larger than 64 MiB";
        row("404", {HttpStub::head(404, 9) + "Not Found"}, 0, R::ContentNotFoundError, "HTTP 404");
        row("500", {HttpStub::head(500, 5) + "Error"}, 0, R::InternalServerError, "HTTP 500");
        row("301", {HttpStub::head(301, 6, "Location: " + kDir + "\r\n") + "<html>"}, 0, R::UnknownServerError, "HTTP 301");
        row("302 to another host", {HttpStub::head(302, 0, "Location: http://elsewhere.invalid/\r\n")}, 0, R::UnknownServerError, "HTTP 302");
        row("204", {"HTTP/1.1 204 No Content\r\n\r\n"}, 0, R::UnknownServerError, "HTTP 204");
        row("304", {"HTTP/1.1 304 Not Modified\r\n\r\n"}, 0, R::UnknownServerError, "HTTP 304");
        row("FIN after the head", {head, "<FIN>"}, 0, R::RemoteHostClosedError, closed);
        row("FIN with the last bytes", {head + cut}, 0, R::RemoteHostClosedError, closed);
        row("FIN after a pause", {head + cut, "<FIN>"}, 50, R::RemoteHostClosedError, closed);
        row("RST after the head", {head, "<RST>"}, 0, R::RemoteHostClosedError, closed);
        row("RST with the last bytes", {head + cut, "<RST>"}, 0, R::RemoteHostClosedError, closed);
        row("RST after a pause", {head + cut, "<RST>"}, 50, R::RemoteHostClosedError, closed);
        row("gzip, cut", {HttpStub::head(200, -1, gz) + gzip.left(12)}, 0, R::UnknownContentError, "the server sent the file encoded as gzip");
        row("gzip, whole", {HttpStub::head(200, gzip.size(), gz) + gzip}, 0, R::UnknownContentError, "the server sent the file encoded as gzip");
        row("stalled", {head, "<HOLD>"}, 0, R::OperationCanceledError, "no answer for 1 s", {kShortLimitMs});
        row("drip past the deadline", drip, 300, R::OperationCanceledError, "no complete answer within 2.5 s", {kShortLimitMs});
        // The requests before the held one take a small part of the whole fetch's 2 s.
        row("stalled past the whole fetch's deadline", {head, "<HOLD>"}, 0, R::OperationCanceledError,
            "the whole catalogue took longer than 2 s", {kLimitMs, 2000});
        row("cancelled", {head, "<HOLD>"}, 0, R::OperationCanceledError, "the fetch was cancelled", {kLimitMs, 0, 1});
        row("announced past the cap", {HttpStub::head(200, maxCatalogueBodyBytes + 1), "<HOLD>"}, 0, R::UnknownContentError, tooLarge);
        row("two lengths that disagree", {HttpStub::head(200, body.size() + 2, "Content-Length: " + QByteArray::number(body.size()) + "\r\n") + body},
            0, R::ProtocolFailure, "the server announced different lengths for the file");
        row("a head of 1 MiB", {HttpStub::head(200, body.size(), QByteArray("X-Filler: " + QByteArray(65524, 'f') + "\r\n").repeated(16)) + body},
            0, R::ProtocolFailure, "the reply's head is larger than 64 KiB or cannot be read");
        // Qt 5 folds repeated fields into one before anyone can look, to a head under the bound.
        row("a head of 117 KiB in one field repeated", {HttpStub::head(200, body.size(), QByteArray("A: b\r\n").repeated(20000)) + body},
            0, R::ProtocolFailure, "the reply's head is larger than 64 KiB or cannot be read");
        const QByteArrayList unannounced{HttpStub::head(200, -1) + QByteArray(maxCatalogueBodyBytes + 1, 'x')};
        const QByteArray chunked = HttpStub::head(200, -1, "Transfer-Encoding: chunked\r\n") + QByteArray::number(body.size(), 16)
            + "\r\n" + body + "\r\n";
        const char *const noLength = "the server did not say how long the file is";
        one("listing: past the cap, unannounced", unannounced, 0, R::UnknownContentError, tooLarge);
        one("file: chunked, cut before its last chunk", {chunked, "<FIN>"}, 0, R::ProtocolFailure, noLength);
        one("file: whole, but no length announced", {HttpStub::head(200, -1) + body, "<FIN>"}, 0, R::ProtocolFailure, noLength);
        one("file: past the cap, unannounced", unannounced, 0, R::ProtocolFailure, noLength);
        one("listing: names nothing", {HttpStub::head(200, 0)}, 0, R::NoError, "it names no calibration file");
        // Cut after its first file, the listing would offer a catalogue without the newer files.
        const QByteArray listed = HttpStub::listingFor({"first.txt", "second.txt", "third.txt"});
        const QByteArray firstLine = listed.left(listed.indexOf("second.txt") - 13), chunk = QByteArray::number(firstLine.size(), 16) + "\r\n" + firstLine + "\r\n";
        const QByteArray chunkedHead = HttpStub::head(200, -1, "Transfer-Encoding: chunked\r\n");
        const char *const incomplete = "it came incomplete: it ends before the end of a directory listing";
        one("listing: no length, cut by a FIN", {HttpStub::head(200, -1) + firstLine, "<FIN>"}, 0, R::ProtocolFailure, incomplete);
        for (const char *size : {"zz", "-20", "10000000000000000"})
            one(qPrintable(QString("listing: chunked, a second chunk size of ") + size),
                {chunkedHead + chunk + size + "\r\n" + listed.mid(firstLine.size()) + "\r\n0\r\n\r\n"}, 0, R::ProtocolFailure, incomplete);
        one("listing: chunked, cut by a FIN", {chunkedHead + chunk, "<FIN>"}, 0, R::ProtocolFailure, incomplete);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkpath("served") && QDir(m_dir.path()).mkpath("signed/Calibrations"));
        for (const QString &name : kSignedFiles) {
            QFile file(m_dir.filePath("signed/Calibrations/" + name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(record(name.toUtf8())) == record(name.toUtf8()).size());
        }
        QCOMPARE(QProcess::execute("mkfifo", {m_fifo}), 0);
        for (const QString &path : {m_local, m_dir.filePath("served/Daylight D65.txt")}) {
            QFile local(path);
            QVERIFY(local.open(QIODevice::WriteOnly) && local.write(m_localBytes) == m_localBytes.size());
        }
    }

    void init()
    {
        overrideCatalogueSourceForTesting(QString(), 0);
        qunsetenv("TARVIK_CATALOGUE_KEYS");
    }

    void listingNames_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<QStringList>("names");
        const QByteArray a = entry("a.txt"), b = entry("b.txt");
        QTest::newRow("CR LF, CR alone, text before the prefix, a name repeated")
            << "<ul>" + QByteArray(a).replace("\n", "\r\n") + b.chopped(1) + "\r" + a.chopped(1) << QStringList{"a.txt", "b.txt"};
        QByteArray many;
        for (int i = 0; i <= maxListedFiles; ++i)
            many += entry(QByteArray::number(i));
        QTest::newRow("10,001 names") << many << QStringList{"fails: the listing names more than 10000 files"};
        QTest::newRow("10,000 names and one repeated") << many.left(many.lastIndexOf("<li>")) + entry("7") << QStringList{"10,000 names"};
        QTest::newRow("a name of 255 bytes") << entry(QByteArray(255, 'n')) << QStringList{QByteArray(255, 'n')};
        QTest::newRow("a name of 256 bytes") << entry(QByteArray(256, 'n')) + b << QStringList{"fails: the listing names a file longer than 255 bytes"};
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
        const CatalogueListing named = catalogueFileNames(listing);
        const QStringList got = !named.failure.isEmpty() ? QStringList{"fails: " + named.failure}
            : named.names.size() == maxListedFiles ? QStringList{"10,000 names"} : named.names;
        QCOMPARE(got, names);
    }

    // Whatever keeps the listing from naming a file, or a file from coming whole, nothing
    // fetched is kept: the user is told which request failed and why, and picks a local
    // catalogue, which then is the temporary catalogue byte for byte; a folder chosen first is
    // reported and the chooser asks again. A file fails while the five after it are under way
    // and held: those are ended, the failed one is named and nothing after them is asked for.
    // A row with a progress window cancels it.
    void failedRequest_data() { addFailedRequestRows(); }

    void failedRequest()
    {
        QFETCH(bool, listing);
        QFETCH(QByteArrayList, reply);
        QFETCH(int, pauseMs);
        QFETCH(Error, code);
        QFETCH(QString, reason);
        QFETCH(QVector<int>, limits);
        HttpStub server;
        server.serve(kDir, HttpStub::listingFor({"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt", "7.txt", "8.txt", "9.txt"}));
        server.serve(kDir + "1.txt", record("LED Cool White"));
        server.serve(kDir + "2.txt", record("Tungsten A"));
        for (const char *held : {"4.txt", "5.txt", "6.txt", "7.txt", "8.txt"})
            server.script(kDir + held, {"<HOLD>"});
        const QByteArray failing = listing ? kDir : kDir + "3.txt";
        server.script(failing, listing ? reply : QByteArrayList{"<HOLD>"} + reply, pauseMs);
        connect(&server, &HttpStub::requested, [&](const QByteArray &path) {
            if (path == kDir + "8.txt")
                server.release(failing);
        });
        const bool cancel = limits.value(2) > 0;
        const QString progress = listing ? "Fetching the calibration catalogue\u2026" : "Fetching calibration file 3 of 9\u2026";
        Fetched f(server.baseAddress(), QStringList{"<Cancel>" + progress, m_dir.path(), m_fifo, m_local}.mid(cancel ? 0 : 1), limits);
        const QString where = listing ? "The catalogue listing: " : "Calibration file 3.txt: ";
        QStringList seen{"progress " + progress, kFallback + " (" + where + reason + ")", kChooser};
        for (const QString &unusable : {m_dir.path(), m_fifo})
            seen << "message Cannot read file: " + unusable + " cannot be used as the calibration catalogue. Please select another file." << kChooser;
        QCOMPARE(f.driver.seen(), seen.mid(cancel ? 0 : 1));
        QCOMPARE(f.code(), code);
        QCOMPARE(f.stored(), m_localBytes);
        QVERIFY(!server.requestedPaths().contains(kDir + (listing ? "1.txt" : "9.txt")));
        QTRY_COMPARE(server.openConnections(), 0); // the client has ended every request
    }

    // With keys, a catalogue signed at version 5 (or as the row signs it), one of its paths
    // answered as the row scripts it: offered whole, or refused for the reason given, the local
    // file taken instead; the version is kept only once a catalogue was accepted.
    void signedCatalogue_data()
    {
        QTest::addColumn<QStringList>("signing");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("lastVersion");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArrayList>("reply");
        QTest::addColumn<QString>("reason");
        const QStringList v5{"--version", "5"};
        const QString test = kTestKey, other = "RWQkxe/h+U+EnewwhQ0xvFqf8uBfyWx2RaresOXKA3/ImvdcdTT9yaMD";
        const QByteArray second = record("second.txt"), listing = HttpStub::listingFor(kSignedFiles);
        const auto served = [](const QByteArray &body) { return QByteArrayList{HttpStub::head(200, body.size()) + body}; };
        const auto row = [&](const char *name, const QStringList &signing, const QString &keys, int last, const QByteArray &path,
                             const QByteArrayList &reply, const QString &reason) {
            QTest::newRow(name) << signing << keys << last << path << reply << reason;
        };
        row("accepted, a second key configured", v5, other + "," + test, 0, "", {}, "");
        row("an equal version", v5, test, 5, "", {}, "");
        row("a lower version", v5, test, 9, "", {}, "The signed catalogue: this catalogue is older than one already used (version 5, 9 used before)");
        row("expired", {"--version", "5", "--expires", "2020-02-03T04:05:00Z"}, test, 0, "", {}, "The signed catalogue: the catalogue expired on 2020-02-03 04:05 UTC");
        row("a wrong key", v5, other, 0, "", {}, "The signed catalogue: the catalogue is signed with key FA79474E57062694, which this program does not trust");
        row("a signature over other bytes", v5, test, 0, "Calibrations.manifest", served("TARVIK catalogue manifest 1\nversion 6\n"),
            "The signed catalogue: the catalogue's signature does not match");
        row("a manifest over its bound", v5, test, 0, "Calibrations.manifest", {HttpStub::head(200, maxManifestBytes + 1), "<HOLD>"},
            "The signed catalogue: Calibrations.manifest: the file is larger than 4 MiB");
        row("an unsigned server", v5, test, 0, "Calibrations.manifest", {HttpStub::head(404, 0)}, "The signed catalogue: Calibrations.manifest: HTTP 404");
        row("a changed byte", v5, test, 0, "Calibrations/second.txt", served(QByteArray(second).replace("1.0", "1.1")),
            "second.txt differs from the signed catalogue");
        row("a body longer than signed", v5, test, 0, "Calibrations/second.txt", served(second + "\n"),
            QString("Calibration file second.txt: the file is longer than the %1 bytes expected").arg(second.size()));
        row("an extra file listed", v5, test, 0, "Calibrations/", served(HttpStub::listingFor(kSignedFiles + QStringList{"fourth.txt"})),
            "The catalogue listing: the listing names fourth.txt, which the signed catalogue does not");
        row("a file missing", v5, test, 0, "Calibrations/", served(HttpStub::listingFor({"first.txt", "third.txt"})),
            "The catalogue listing: the listing does not name second.txt of the signed catalogue");
        row("the listing cut by a FIN", v5, test, 0, "Calibrations/", {HttpStub::head(200, -1) + listing.left(listing.indexOf("</ul>")), "<FIN>"},
            "The catalogue listing: it came incomplete: it ends before the end of a directory listing");
    }

    void signedCatalogue()
    {
        QFETCH(QStringList, signing);
        QFETCH(QString, keys);
        QFETCH(int, lastVersion);
        QFETCH(QByteArray, path);
        QFETCH(QByteArrayList, reply);
        QFETCH(QString, reason);
        const QString folder = m_dir.filePath("signed/Calibrations");
        QCOMPARE(QProcess::execute(m_serverScript, QStringList{"sign", "--root", folder} + signing), 0);
        HttpStub server;
        server.serve(kDir, HttpStub::listingFor(kSignedFiles));
        QByteArray whole;
        for (const QString &name : kSignedFiles) {
            server.serve(kDir + name.toUtf8(), record(name.toUtf8()));
            whole += record(name.toUtf8());
        }
        for (const QString &signedFile : {folder + kManifestSuffix, folder + kManifestSuffix + kSignatureSuffix}) {
            QFile file(signedFile);
            QVERIFY(file.open(QIODevice::ReadOnly));
            server.serve("/TARVIK/" + QFileInfo(signedFile).fileName().toUtf8(), file.readAll());
        }
        if (!path.isEmpty())
            server.script("/TARVIK/" + path, reply);
        qputenv("TARVIK_CATALOGUE_KEYS", keys.toUtf8());
        if (lastVersion > 0)
            QCOMPARE(rememberCatalogueVersion(server.baseAddress(), lastVersion), QString());
        Fetched f(server.baseAddress(), {m_local});
        QCOMPARE(f.driver.seen(), reason.isEmpty() ? QStringList() : (QStringList{kFallback + " (" + reason + ")", kChooser}));
        QCOMPARE(f.stored(), reason.isEmpty() ? whole : m_localBytes);
        QCOMPARE(lastAcceptedCatalogueVersion(server.baseAddress()), reason.isEmpty() ? 5u : quint64(lastVersion));
    }

    // The second file cut by a reset: nothing of the first is offered; Retry, once the server
    // is mended, brings both.
    void retryAfterAFailedFileFetchesTheWholeCatalogue()
    {
        HttpStub server;
        const QByteArray a = record("Daylight D65"), v11 = record("Daylight D65 V1.1").replace("1.02", "2.22").replace("] 3", "] 2");
        server.serve(kDir, HttpStub::listingFor({"a.txt", "v11.txt"}));
        server.serve(kDir + "a.txt", a);
        server.serve(kDir + "v11.txt", v11);
        server.script(kDir + "v11.txt", {HttpStub::head(200, v11.size()) + v11.left(40), "<RST>"}, 0, true);
        Fetched f(server.baseAddress(), {"<Retry>"});
        QCOMPARE(f.driver.seen(), QStringList(kFallback + " (Calibration file v11.txt: the server closed the connection before the file was complete)"));
        QCOMPARE(f.stored(), a + v11);
    }

    // In listing order, the first file coming last, a name listed twice fetched once, a chunked
    // listing taken once its last chunk has come, and the count on the splash screen.
    void listedFilesAreStoredBackToBackInListingOrder()
    {
        HttpStub server;
        const QByteArray daylight = record("Daylight D65") + record("Daylight D50"), flash = record("Flash").chopped(1);
        const QByteArray listing = HttpStub::listingFor({"Daylight D65.txt", "a.txt", "flash.txt", "a.txt"}).replace("\n", "\r\n");
        server.script(kDir, {HttpStub::head(200, -1, "Transfer-Encoding: chunked\r\n"),
                             QByteArray::number(listing.size(), 16) + "\r\n" + listing + "\r\n0\r\n\r\n"}, 20);
        server.script(kDir + "Daylight%20D65.txt", {"<HOLD>", HttpStub::head(200, daylight.size()) + daylight});
        server.serve(kDir + "a.txt", record("Tungsten A"));
        server.serve(kDir + "flash.txt", flash);
        QSplashScreen splash;
        splash.show();
        QSignalSpy progress(&splash, &QSplashScreen::messageChanged);
        const QString lastCount = QString::fromUtf8("Fetching calibration file 3 of 3\u2026");
        connect(&splash, &QSplashScreen::messageChanged, [&](const QString &shown) {
            if (shown == lastCount) // the two after it have come whole
                server.release(kDir + "Daylight%20D65.txt");
        });
        Fetched f(server.baseAddress());
        QCOMPARE(f.driver.seen(), QStringList());
        QByteArrayList requested = server.requestedPaths();
        std::sort(requested.begin(), requested.end());
        QCOMPARE(requested, (QByteArrayList{kDir, kDir + "Daylight%20D65.txt", kDir + "a.txt", kDir + "flash.txt"}));
        QCOMPARE(f.stored(), daylight + record("Tungsten A") + flash);
        QCOMPARE(progress.last().at(0).toString(), lastCount);
    }

    // A body at the cap is taken whole, a listing even unannounced; the bound holds for the
    // catalogue as a whole, the bodies under way counted too: five files at the cap, all under
    // way at once and the fifth never finished, make one past it, so the fifth is not stored.
    void bodiesAtTheCapUpToTheCatalogueBound()
    {
        HttpStub server;
        const QByteArray body(int(maxCatalogueBodyBytes), 'c');
        const QStringList names{"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"};
        const QByteArray listing = HttpStub::listingFor(names);
        server.script(kDir, {HttpStub::head(200, -1) + listing + QByteArray(body.size() - listing.size(), ' ')});
        for (const QString &name : names.mid(0, 4))
            server.script(kDir + name.toUtf8(), {HttpStub::head(200, body.size()), body});
        server.script(kDir + "5.txt", {HttpStub::head(200, body.size()), QByteArray::fromRawData(body.constData(), body.size() - 1), "<HOLD>"});
        Fetched f(server.baseAddress());
        QCOMPARE(f.driver.seen().value(0), kFallback + " (Calibration file 5.txt: the catalogue is larger than 256 MiB)");
        QCOMPARE(f.stored(), QByteArray("<no file>"));
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
        const QStringList server{"--port", "0", "--run-dir", m_dir.filePath("apache"), "--root", m_dir.filePath("served")};
        QCOMPARE(QProcess::execute(m_serverScript, QStringList{"start", "--cert", tls(certificate + ".pem"), "--key",
                                                               tls(certificate + ".key")} + server), 0);
        const auto stop = qScopeGuard([&] { QProcess::execute(m_serverScript, QStringList{"stop"} + server); });
        QFile port(m_dir.filePath("apache/port")); // the free port it picked
        QVERIFY(port.open(QIODevice::ReadOnly));
        Fetched f("https://127.0.0.1:" + port.readAll().trimmed() + kCatalogueDirectory);
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
