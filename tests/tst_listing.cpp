#include "bodylimit.h"
#include "httpstub.h"
#include "listing.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
QByteArray entry(const QByteArray &target, const QByteArray &text)
{
    return "<li><a href=\"" + target + "\"> " + text + "</a></li>";
}

// Exactly size bytes: an entry, lines without links, and an entry that ends at the last byte.
QByteArray listingOfSize(qint64 size)
{
    const QByteArray first = entry("first.txt", "first.txt") + '\n';
    const QByteArray last = entry("last.txt", "last.txt");
    const QByteArray filler = "<li>no link here</li>\n";
    const qint64 room = size - first.size() - last.size();
    QByteArray listing;
    listing.reserve(int(size));
    listing.append(first);
    for (qint64 i = room / filler.size(); i > 0; --i)
        listing.append(filler);
    return listing.append(QByteArray(int(room % filler.size()), '\n')).append(last);
}
}

class TestListing : public QObject
{
    Q_OBJECT

private slots:
    void namesOfListingLines_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<QStringList>("names");

        const QByteArray a = entry("a.txt", "a.txt"), b = entry("b.txt", "b.txt");
        QTest::newRow("LF") << QByteArray(a + "\n" + b + "\n") << QStringList{"a.txt", "b.txt"};
        QTest::newRow("CR LF") << QByteArray(a + "\r\n" + b + "\r\n") << QStringList{"a.txt", "b.txt"};
        QTest::newRow("CR alone") << QByteArray(a + "\r" + b) << QStringList{"a.txt", "b.txt"};
        QTest::newRow("no final line end") << QByteArray(a + "\n" + b) << QStringList{"a.txt", "b.txt"};
        QTest::newRow("parent link") << QByteArray(entry("/TARVIK/", "Parent Directory") + "\n" + a)
                                     << QStringList{"a.txt"};
        QTest::newRow("subdirectory") << QByteArray(entry("old/", "old/") + "\n" + a) << QStringList{"a.txt"};
        QTest::newRow("absolute address") << QByteArray(entry("http://elsewhere/x.txt", "x.txt"))
                                          << QStringList();
        QTest::newRow("line without target end")
            << QByteArray("<li><a href=\"broken.txt> broken.txt</a></li>\n" + a) << QStringList{"a.txt"};
        QTest::newRow("target end on the next line")
            << QByteArray("<li><a href=\"split\n.txt\"> split.txt</a></li>") << QStringList();
        QTest::newRow("target end before the prefix")
            << QByteArray("\"> <li><a href=\"late.txt") << QStringList();
        // The name is requested exactly as the server wrote its target.
        QTest::newRow("percent-escaped name") << entry("Daylight%20D65.txt", "Daylight D65.txt")
                                              << QStringList{"Daylight%20D65.txt"};
        QTest::newRow("text before the prefix") << QByteArray("<ul>" + a) << QStringList{"a.txt"};
        QTest::newRow("name listed twice") << QByteArray(a + "\n" + b + "\n" + a)
                                           << QStringList{"a.txt", "b.txt", "a.txt"};
        QTest::newRow("empty target") << QByteArray(entry("", "") + "\n" + a) << QStringList{"a.txt"};
        QTest::newRow("UTF-8 name") << entry("Lumi\xc3\xa8re.txt", "Lumi\xc3\xa8re.txt")
                                    << QStringList{QString::fromUtf8("Lumi\xc3\xa8re.txt")};
        QTest::newRow("markers are case-sensitive") << QByteArray("<LI><A HREF=\"a.txt\"> a.txt</A></LI>")
                                                    << QStringList();
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("line ends only") << QByteArray("\r\n\n\r\r\n") << QStringList();
        QTest::newRow("a lone prefix") << QByteArray("<li><a href=\"") << QStringList();
    }

    void namesOfListingLines()
    {
        QFETCH(QByteArray, listing);
        QFETCH(QStringList, names);
        QCOMPARE(catalogueFileNames(listing), names);
    }

    void apacheStyleListingGivesItsFilesInOrder()
    {
        const QByteArray page = HttpStub::listingFor({"Tungsten A.txt", "led.txt", "Daylight D65.txt"});
        QCOMPARE(catalogueFileNames(page),
                 (QStringList{"Tungsten%20A.txt", "led.txt", "Daylight%20D65.txt"}));
    }

    void garbageGivesOnlyWellFormedNames()
    {
        // Random bytes with the markers strewn through them.
        QByteArray noise(1 << 22, '\0');
        QRandomGenerator generator(7);
        generator.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        for (int i = 0; i < 20000; ++i)
            noise.replace(generator.bounded(noise.size() - 16), 13, i % 2 ? "<li><a href=\"" : "\">\">\"> \">\n\">\r");
        const QStringList names = catalogueFileNames(noise);
        QVERIFY(!names.isEmpty());
        for (const QString &name : names) {
            QVERIFY(!name.isEmpty());
            QVERIFY(!name.contains('/') && !name.contains('\n') && !name.contains('\r'));
            QVERIFY(!name.contains("\">"));
        }
    }

    void hugeListings()
    {
        // Up to the cap a listing is read to its last byte.
        QCOMPARE(catalogueFileNames(listingOfSize(maxCatalogueBodyBytes)), (QStringList{"first.txt", "last.txt"}));

        // 100 MB is past the cap: refused as a whole.
        QCOMPARE(catalogueFileNames(listingOfSize(maxCatalogueBodyBytes + 1)), QStringList());
        QCOMPARE(catalogueFileNames(listingOfSize(100 * 1000 * 1000)), QStringList());

        // One line as long as the cap, opening an entry that never ends.
        const QByteArray oneLine = "<li><a href=\"" + QByteArray(int(maxCatalogueBodyBytes) - 13, 'x');
        QCOMPARE(catalogueFileNames(oneLine), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestListing)
#include "tst_listing.moc"
