#include "cataloguesource.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "httpstub.h"
#include "startup.h"

#include <QtTest>

namespace {
const char kOneRecord[] = "[CAL_NAME] Daylight\n[ABS_INTENSITY_CAL] 1.2\n[XCAL] 1 0 0\n[YCAL] 0 1 0\n"
                          "[ZCAL] 0 0 1\n[BASCAL_INDEX] 3\n";
}

class TestMainWindow : public QObject
{
    Q_OBJECT

    HttpStub m_server;

private slots:
    void initTestCase()
    {
        m_server.serve("/TARVIK/Calibrations/", HttpStub::listingFor({"daylight.txt"}));
        m_server.serve("/TARVIK/Calibrations/daylight.txt", kOneRecord);
        overrideCatalogueSourceForTesting(m_server.baseAddress(), 5000);
    }

    void freshWindowShowsItsIdleState()
    {
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(w.windowTitle(), QString("Quillor TARVIK Calibration Updater"));
        QCOMPARE(w.minimumSize(), QSize(390, 140));
        QCOMPARE(w.maximumSize(), QSize(390, 140));
        QCOMPARE(probe.label()->text(), QString("No Quillor TARVIK found."));
        QVERIFY(probe.label2()->text().isEmpty());
        QCOMPARE(probe.connectButton()->text(), QString("Connect"));
        QCOMPARE(probe.quitButton()->text(), QString("Quit"));
        QCOMPARE(probe.progressBar()->maximum(), 30);

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(probe.connectButton()->isVisible());
        QVERIFY(!probe.progressBar()->isVisible());
        w.resize(800, 600); // a fixed-size window refuses
        QCOMPARE(w.size(), QSize(390, 140));
    }

    void finishedDownloadIsStoredBeforeTheWaitEnds()
    {
        dialog w;
        DialogProbe probe(w);
        int seen = -1;
        connect(&w, &dialog::signalEndNetworkWait, this, [&] { seen = probe.networkError(); });
        probe.slotFinishedDownload(QNetworkReply::ContentNotFoundError);
        QCOMPARE(seen, int(QNetworkReply::ContentNotFoundError));
    }

    void translationFollowsTheSystemLanguage()
    {
        const QString resources = QCoreApplication::applicationDirPath() + "/../bin/Resources";
        QCOMPARE(languageCode("de_DE"), QString("de"));
        QString installed = installTranslation(*QCoreApplication::instance(), resources, "de_DE");
        QVERIFY2(installed.endsWith("/trans_de.qm"), qPrintable(installed));
        {
            dialog w;
            DialogProbe probe(w);
            QCOMPARE(probe.connectButton()->text(), QString("Verbinden"));
            QCOMPARE(probe.quitButton()->text(), QString("Beenden"));
            QCOMPARE(probe.label()->text(), QString("Kein Quillor TARVIK gefunden."));
        }
        for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }

        installed = installTranslation(*QCoreApplication::instance(), resources, "xx_YY");
        QVERIFY2(installed.endsWith("/trans_en.qm"), qPrintable(installed));
        {
            dialog w;
            QCOMPARE(DialogProbe(w).connectButton()->text(), QString("Connect"));
        }

        const QTemporaryDir nothing;
        QVERIFY(installTranslation(*QCoreApplication::instance(), nothing.path(), "de_DE").isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
