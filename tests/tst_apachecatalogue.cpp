#include "cataloguesource.h"
#include "dialog.h"
#include "dialogprobe.h"
#include "modaldriver.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QtTest>

// Runs against the project's local Apache (the catalogue_server fixture), with the
// listing Apache itself writes. Never skipped: no server is a failure.
class TestApacheCatalogue : public QObject
{
    Q_OBJECT

    QString m_base; // the catalogue address of the fixture's server
    QDir m_root;    // the directory it serves

    // The listing as Apache sends it, fetched without any of the program's code.
    QByteArray rawListing()
    {
        QNetworkAccessManager manager;
        QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(m_base)));
        QEventLoop loop;
        connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        const QByteArray body = reply->isFinished() && reply->error() == QNetworkReply::NoError ? reply->readAll()
                                                                                                : QByteArray();
        delete reply;
        return body;
    }

private slots:
    void initTestCase()
    {
        m_base = qEnvironmentVariable("TARVIK_CATALOGUE_SERVER");
        m_root.setPath(qEnvironmentVariable("TARVIK_CATALOGUE_ROOT"));
        QVERIFY2(!m_base.isEmpty() && m_root.exists(),
                 "TARVIK_CATALOGUE_SERVER and TARVIK_CATALOGUE_ROOT name the fixture's server and catalogue");
    }

    void wholeCatalogueIsJoinedInListingOrder()
    {
        const QByteArray listing = rawListing();
        QVERIFY2(!listing.isEmpty(), qPrintable("no listing from " + m_base + "; is the catalogue server running?"));

        // The link texts are the file names on disk, in the order Apache lists them.
        QStringList listed;
        const QRegularExpression link("<a href=\"[^\"]*\"> ([^<]*)</a>");
        for (auto it = link.globalMatch(QString::fromUtf8(listing)); it.hasNext();) {
            const QString text = it.next().captured(1);
            if (text != "Parent Directory")
                listed << text;
        }
        QStringList onDisk = m_root.entryList(QDir::Files);
        QStringList listedSorted = listed;
        onDisk.sort();
        listedSorted.sort();
        QCOMPARE(listedSorted, onDisk);
        QVERIFY(listed.contains("Daylight D65.txt"));

        QByteArray expected;
        for (const QString &name : listed) {
            QFile file(m_root.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            expected += file.readAll();
        }

        overrideCatalogueSourceForTesting(m_base, 10000);
        ModalDriver driver;
        dialog w;
        DialogProbe probe(w);
        QCOMPARE(driver.seen(), QStringList());
        QCOMPARE(probe.networkError(), int(QNetworkReply::NoError));
        QFile fetched(probe.tmpCalFileName());
        QVERIFY(fetched.open(QIODevice::ReadOnly));
        QCOMPARE(fetched.readAll(), expected);
    }
};

QTEST_MAIN(TestApacheCatalogue)
#include "tst_apachecatalogue.moc"
