#include "cataloguesource.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "httpstub.h"
#include "modaldriver.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QByteArray kDir = "/TARVIK/Calibrations/";
const QString kFallbackMessage = "message Network error: Unable to download correction matrizes from the Internet, "
                                 "please select a Calibrations.txt file locally";
const QString kFileChooser = "file Open File";
// Short, so that a stalled server ends a test quickly.
constexpr int kTimeLimitMs = 1000;

QByteArray record(const QByteArray &name, const QByteArray &lineEnd = "\n")
{
    return "[CAL_NAME] " + name + lineEnd + "[ABS_INTENSITY_CAL] 1.02" + lineEnd + "[XCAL] 1.01 0.02 -0.01" + lineEnd
        + "[YCAL] 0.03 0.98 0.01" + lineEnd + "[ZCAL] -0.02 0.01 1.04" + lineEnd + "[BASCAL_INDEX] 3" + lineEnd;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

enum class Fault { Status404, Status500, Stalled, Dropped, Oversized, NamesNothing, Empty };

// Makes path on server misbehave in the way given.
void arrange(HttpStub &server, const QByteArray &path, Fault fault)
{
    switch (fault) {
    case Fault::Status404: server.serve(path, "<html>Not Found</html>", 404); break;
    case Fault::Status500: server.serve(path, "<html>Internal Server Error</html>", 500); break;
    case Fault::Stalled: server.misbehave(path, HttpStub::Behaviour::Stall); break;
    case Fault::Dropped: server.misbehave(path, HttpStub::Behaviour::Drop); break;
    // A flood of well-formed entries that never says how long it will be.
    case Fault::Oversized:
        server.stream(path, "<li><a href=\"flood.txt\"> flood.txt</a></li>\n", 100 * 1000 * 1000, false);
        break;
    case Fault::NamesNothing: server.serve(path, HttpStub::listingFor({})); break;
    case Fault::Empty: server.serve(path, QByteArray()); break;
    }
}
}

Q_DECLARE_METATYPE(Fault)

class TestCatalogueFetch : public QObject
{
    Q_OBJECT

    // Every way a request can fail, with the code the window is left with.
    static void addFailedRequestRows()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("code");
        QTest::newRow("404") << Fault::Status404 << int(QNetworkReply::ContentNotFoundError);
        QTest::newRow("500") << Fault::Status500 << int(QNetworkReply::InternalServerError);
        QTest::newRow("stalled") << Fault::Stalled << int(QNetworkReply::OperationCanceledError);
        QTest::newRow("dropped") << Fault::Dropped << int(QNetworkReply::RemoteHostClosedError);
        QTest::newRow("100 MB") << Fault::Oversized << int(QNetworkReply::UnknownContentError);
    }

private slots:
    // Whatever keeps the listing from naming a file, the user is told and picks a
    // local catalogue, which then is the temporary catalogue byte for byte.
    void listingFailureFallsBackToALocalFile_data()
    {
        addFailedRequestRows();
        QTest::newRow("names nothing") << Fault::NamesNothing << int(QNetworkReply::NoError);
        QTest::newRow("empty") << Fault::Empty << int(QNetworkReply::NoError);
    }

    void listingFailureFallsBackToALocalFile()
    {
        QFETCH(Fault, fault);
        QFETCH(int, code);
        HttpStub server;
        arrange(server, kDir, fault);
        overrideCatalogueSourceForTesting(server.baseAddress(), kTimeLimitMs);

        QTemporaryDir local;
        const QString chosen = local.filePath("Calibrations.txt");
        const QByteArray chosenBytes = record("Daylight D65", "\r\n") + record("Tungsten A") + QByteArrayLiteral("[CAL_NAME] \xff\x00 end");
        {
            QFile file(chosen);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(chosenBytes);
        }

        ModalDriver driver(chosen);
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(driver.seen(), (QStringList{kFallbackMessage, kFileChooser}));
        QVERIFY(w.catalogueChosen());
        QCOMPARE(probe.networkError(), code);
        QCOMPARE(contentOf(probe.tmpCalFileName()), chosenBytes);
        QCOMPARE(server.requestedPaths(), QByteArrayList{kDir});
    }

    void cancellingTheChoiceEndsTheRun()
    {
        HttpStub server;
        arrange(server, kDir, Fault::Status404);
        overrideCatalogueSourceForTesting(server.baseAddress(), kTimeLimitMs);

        ModalDriver driver;
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(driver.seen(), (QStringList{kFallbackMessage, kFileChooser}));
        QVERIFY(!w.catalogueChosen());
        QVERIFY(!QFile::exists(probe.tmpCalFileName()));
    }

    // The real program, cut off from every server: the user is told, cancels the choice
    // of a local file, and the program ends with exit code 0.
    void cancellingEndsTheProgramWithExitCodeZero()
    {
        if (QStandardPaths::findExecutable("unshare").isEmpty() || QProcess::execute("unshare", {"-rn", "true"}) != 0)
            QSKIP("needs unshare -rn (a network namespace of its own) to keep the program off every server");
        QTemporaryDir work;
        QFile script(work.filePath("script"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("answer-message-box\ncancel-file-dialog\n");
        script.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TARVIK_UIDRIVER_SCRIPT", script.fileName());
        env.insert("TARVIK_UIDRIVER_LOG", work.filePath("log"));
        QProcess program;
        program.setProcessEnvironment(env);
        // The driver is preloaded into the program only, not into unshare and env on the way.
        program.start("unshare", {"-rn", "env", "LD_PRELOAD=" + qEnvironmentVariable("TARVIK_UIDRIVER"),
                                  qEnvironmentVariable("TARVIK_UPDATER")});
        QVERIFY(program.waitForFinished(120000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QFile log(work.filePath("log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString steps = QString::fromUtf8(log.readAll());
        QCOMPARE(program.exitCode(), 0);
        const int box = steps.indexOf("message box: Network error: Unable to download correction matrizes");
        const int chooser = steps.indexOf("file dialog: Open File");
        QVERIFY2(box >= 0 && chooser > box, qPrintable(steps));
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
        const QByteArray daylight = record("Daylight D65") + record("Daylight D50");
        const QByteArray tungsten = record("Tungsten A", "\r\n");
        const QByteArray unterminated = record("Studio Flash").chopped(1);
        // The blank travels percent-escaped in the link target and is requested that way.
        const QByteArray listing =
            HttpStub::listingFor({"Daylight D65.txt", "tungsten.txt", "flash.txt", "tungsten.txt"});
        server.serve(kDir, QByteArray(listing).replace("\n", lineEnd));
        server.serve(kDir + "Daylight%20D65.txt", daylight);
        server.serve(kDir + "tungsten.txt", tungsten);
        server.serve(kDir + "flash.txt", unterminated);
        overrideCatalogueSourceForTesting(server.baseAddress(), kTimeLimitMs);

        ModalDriver driver;
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(driver.seen(), QStringList());
        QVERIFY(w.catalogueChosen());
        QCOMPARE(probe.networkError(), int(QNetworkReply::NoError));
        QCOMPARE(server.requestedPaths(),
                 (QByteArrayList{kDir, kDir + "Daylight%20D65.txt", kDir + "tungsten.txt", kDir + "flash.txt",
                                 kDir + "tungsten.txt"}));
        QCOMPARE(contentOf(probe.tmpCalFileName()), daylight + tungsten + unterminated + tungsten);
    }

    // The second of three files fails: the first stays stored, the third is never asked
    // for, nobody is bothered with a message, and the debug output says what happened.
    void failedFileEndsFetchingWithWhatCameBefore_data()
    {
        addFailedRequestRows();
    }

    void failedFileEndsFetchingWithWhatCameBefore()
    {
        QFETCH(Fault, fault);
        QFETCH(int, code);
        HttpStub server;
        const QByteArray first = record("LED Cool White", "\r\n");
        server.serve(kDir, HttpStub::listingFor({"first.txt", "second.txt", "third.txt"}));
        server.serve(kDir + "first.txt", first);
        arrange(server, kDir + "second.txt", fault);
        server.serve(kDir + "third.txt", record("Tungsten A"));
        overrideCatalogueSourceForTesting(server.baseAddress(), kTimeLimitMs);

        QTest::ignoreMessage(QtDebugMsg,
                             QRegularExpression("^Catalogue file \"second.txt\" failed .*stored 1 of 3 files$"));
        ModalDriver driver;
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(driver.seen(), QStringList());
        QVERIFY(w.catalogueChosen());
        QCOMPARE(probe.networkError(), code);
        QCOMPARE(contentOf(probe.tmpCalFileName()), first);
        QCOMPARE(server.requestedPaths(), (QByteArrayList{kDir, kDir + "first.txt", kDir + "second.txt"}));
    }
};

QTEST_MAIN(TestCatalogueFetch)
#include "tst_cataloguefetch.moc"
