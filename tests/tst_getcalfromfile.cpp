#include "cataloguesource.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "httpstub.h"

#include <QtTest>

namespace {

QByteArray record(const QByteArray &name, int index = 3, const QByteArray &intensity = "1.1")
{
    return "[CAL_NAME] " + name + "\n[ABS_INTENSITY_CAL] " + intensity
        + "\n[XCAL] 1.02 0.01 -0.03\n[YCAL] 0.02 0.97 0.01\n[ZCAL] -0.01 0.04 1.05\n[BASCAL_INDEX] "
        + QByteArray::number(index) + "\n";
}

const QByteArray kPlaceholder = "[CAL_NAME] empty\n[ABS_INTENSITY_CAL] 1\n[XCAL] 1 0 0\n[YCAL] 0 1 0\n"
                                 "[ZCAL] 0 0 1\n[BASCAL_INDEX] 0\n";

QStringList namesOf(const CalibrationList &list)
{
    QStringList names;
    for (const CalibrationRecord &r : list)
        names << calibrationName(r.block);
    return names;
}

} // namespace

// getCalFromFile on the main window, reading the real temporary catalogue file.
class TestGetCalFromFile : public QObject
{
    Q_OBJECT

    HttpStub m_server;

    void writeCatalogue(const DialogProbe &probe, const QByteArray &bytes)
    {
        QFile file(probe.tmpCalFileName());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }

private slots:
    void initTestCase()
    {
        // The window fetches the catalogue when it is built; give it one to fetch.
        m_server.serve("/TARVIK/Calibrations/", HttpStub::listingFor({"fetched.txt"}));
        m_server.serve("/TARVIK/Calibrations/fetched.txt", record("Fetched"));
        overrideCatalogueSourceForTesting(m_server.baseAddress(), 5000);
    }

    void aMissingFileLeavesTheListsAsTheyWere()
    {
        dialog w;
        DialogProbe probe(w);
        writeCatalogue(probe, record("Daylight") + record("Tungsten"));
        QCOMPARE(probe.getCalFromFile(), 0);
        QVERIFY(QFile::remove(probe.tmpCalFileName()));
        QCOMPARE(probe.getCalFromFile(), 1);
        QCOMPARE(namesOf(probe.catalogue()), (QStringList {"Daylight", "Tungsten"}));
        QCOMPARE(namesOf(probe.addable()), (QStringList {"Daylight", "Tungsten"}));
    }

    void aMalformedRecordKeepsTheRecordsBeforeIt()
    {
        dialog w;
        DialogProbe probe(w);
        writeCatalogue(probe, record("First") + record("Second") + record("Broken", 3, "one point one")
                                  + record("Never read"));
        QCOMPARE(probe.getCalFromFile(), 1);
        QCOMPARE(namesOf(probe.catalogue()), (QStringList {"First", "Second"}));
        QCOMPARE(namesOf(probe.addable()), (QStringList {"First", "Second"}));
    }

    void theCatalogueGoesThroughTheMergeRules()
    {
        dialog w;
        DialogProbe probe(w);
        QVERIFY(!probe.rgbbluFound()); // no instrument read: neither model family is known
        const QByteArray longName = "Lumi\xC3\xA8re tr\xC3\xA8s longue"; // 21 bytes
        QTest::ignoreMessage(QtDebugMsg, qPrintable("Calibration name longer than 19 bytes cut to "
                                                    + QString::fromUtf8("Lumi\xC3\xA8re tr\xC3\xA8s long")));
        QByteArray last = record("Caf\xC3\xA9", 7);
        last.chop(1); // a complete record without a final line end
        writeCatalogue(probe, record(longName) + record("Projector V1.0") + record("Caf\xC3\xA9", 4)
                                  + kPlaceholder + last);
        QCOMPARE(probe.getCalFromFile(), 0);
        const CalibrationPairList pairs = probe.addable().pairs();
        QCOMPARE(pairs.size(), 2);
        QCOMPARE(pairs[0].first, QString::fromUtf8("Lumi\xC3\xA8re tr\xC3\xA8s long"));
        QCOMPARE(pairs[1].first, QString::fromUtf8("Caf\xC3\xA9"));
        QCOMPARE(pairs[1].second, QString("Using Base Calibration #4")); // the first of a name wins
        QCOMPARE(probe.catalogue().size(), 2);
    }

    void aFileTooLargeForACatalogueIsRefused()
    {
        dialog w;
        DialogProbe probe(w);
        writeCatalogue(probe, record("Kept"));
        QCOMPARE(probe.getCalFromFile(), 0);
        {
            QFile file(probe.tmpCalFileName());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.resize(qint64(257) * 1024 * 1024)); // sparse: costs no disk
        }
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("too large for a catalogue"));
        QCOMPARE(probe.getCalFromFile(), 1);
        QCOMPARE(namesOf(probe.catalogue()), QStringList {"Kept"});
        QFile::remove(probe.tmpCalFileName());
    }
};

QTEST_MAIN(TestGetCalFromFile)
#include "tst_getcalfromfile.moc"
