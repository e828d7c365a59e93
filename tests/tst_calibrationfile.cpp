#include "calibrationfile.h"
#include "calibrationlist.h"
#include "calibrationrecord.h"
#include "cataloguemerge.h"

#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

// One record in the layout the catalogue server uses: a tag per line, values after it.
QByteArray record(const QByteArray &name, const QByteArray &index = "3", const QByteArray &intensity = "1.5")
{
    return "[CAL_NAME] " + name + "\n[ABS_INTENSITY_CAL] " + intensity
        + "\n[XCAL] 1 0 0\n[YCAL] 0 1 0\n[ZCAL] 0 0 1\n[BASCAL_INDEX] " + index + "\n";
}

CalibrationFileContents read(const QByteArray &bytes) { return readCalibrationFile(bytes.constData(), bytes.size()); }

QByteArray storedName(const CalibrationBlock &b) { return QByteArray(b.calName, int(calNameLength(b))); }

CalibrationBlock blockFor(const QByteArray &name, std::int32_t index)
{
    CalibrationBlock b = emptyCalibrationBlock();
    b.absIntensityCal = 1.25f;
    b.basCalIndex = index;
    setCalibrationName(b, name);
    return b;
}

CalibrationList listOf(const QStringList &names)
{
    CalibrationList list;
    for (const QString &n : names)
        list.append(CalibrationRecord(blockFor(n.toUtf8(), 1)));
    return list;
}

QStringList namesOf(const CalibrationList &list)
{
    QStringList names;
    for (const CalibrationRecord &r : list)
        names << calibrationName(r.block);
    return names;
}

struct Merged { CalibrationList catalogue, addable; };

Merged merge(const std::vector<CalibrationBlock> &blocks, bool rgbblu, bool gbrled,
             const CalibrationList &instrument = CalibrationList())
{
    Merged m;
    mergeCatalogueBlocks(blocks, {instrument, rgbblu, gbrled}, m.catalogue, m.addable);
    return m;
}

// The plain format over a stream, with the deliberate changes applied to what it yields.
CalibrationFileContents scannedWithTheCLibrary(const QByteArray &bytes)
{
    CalibrationFileContents out;
    if (bytes.isEmpty())
        return out;
    FILE *f = fmemopen(const_cast<char *>(bytes.constData()), std::size_t(bytes.size()), "r");
    Q_ASSERT(f);
    static struct { char tag[6][4096], name[4096]; } buffers;
    auto *buf = &buffers;
    static const char *const tags[] = {"[CAL_NAME]", "[ABS_INTENSITY_CAL]", "[XCAL]", "[YCAL]", "[ZCAL]",
                                       "[BASCAL_INDEX]"};
    for (;;) {
        CalibrationBlock b {};
        int index = 0;
        const int n = std::fscanf(f, "%s %[^\n] %s %f %s %f %f %f %s %f %f %f %s %f %f %f %s %d", buf->tag[0],
                                  buf->name, buf->tag[1], &b.absIntensityCal, buf->tag[2], &b.xCal[0], &b.xCal[1],
                                  &b.xCal[2], buf->tag[3], &b.yCal[0], &b.yCal[1], &b.yCal[2], buf->tag[4],
                                  &b.zCal[0], &b.zCal[1], &b.zCal[2], buf->tag[5], &index);
        if (n < 18) { // a complete record counts even when the end of the file follows it
            out.result = std::feof(f) ? 0 : 1;
            break;
        }
        bool valid = true;
        for (int i = 0; i < 6; ++i)
            valid = valid && std::strcmp(buf->tag[i], tags[i]) == 0;
        for (float v : {b.absIntensityCal, b.xCal[0], b.xCal[1], b.xCal[2], b.yCal[0], b.yCal[1], b.yCal[2],
                        b.zCal[0], b.zCal[1], b.zCal[2]})
            valid = valid && std::isfinite(v);
        if (!valid) {
            out.result = 1;
            break;
        }
        QByteArray name(buf->name);
        if (name.endsWith('\r'))
            name.chop(1);
        if (!setCalibrationName(b, name))
            out.cutNames.push_back(out.blocks.size());
        b.basCalIndex = index;
        out.blocks.push_back(b);
    }
    std::fclose(f);
    return out;
}

// Catalogue files as a careless editor or a broken transfer might leave them: every item in
// many spellings, white space of every kind, wrong tags, stray bytes and truncation.
// Tokens stay far below the reference scan's buffers.
class CatalogueGenerator
{
public:
    explicit CatalogueGenerator(unsigned seed) : m_random(seed) {}

    QByteArray file()
    {
        QByteArray text;
        for (int i = pick(5); i > 0; --i)
            text += record();
        if (chance(25))
            text.chop(pick(4));
        for (int edits = chance(35) ? 1 + pick(3) : 0; edits > 0; --edits) {
            static const char strays[] = " \t\n\rx0.-+e[]\xC3\xA9\f\v5";
            const char stray = strays[pick(int(sizeof strays) - 1)];
            const int at = pick(text.size() + 1);
            const int how = pick(3);
            if (how == 0)
                text.insert(at, stray);
            else if (how == 1)
                text.remove(at, 1);
            else if (at < text.size())
                text[at] = stray;
        }
        if (chance(30) && !text.isEmpty())
            text.truncate(pick(text.size()));
        return text;
    }

private:
    int pick(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return pick(100) < percent; }
    template <std::size_t N>
    QByteArray oneOf(const char *const (&options)[N]) { return options[pick(int(N))]; }

    QByteArray space()
    {
        static const char *const kinds[] = {" ", " ", " ", "\n", "\n", "\t", "\r\n", "  ", "\r", "\v", "\f",
                                            " \n ", "\n\n"};
        QByteArray s = oneOf(kinds);
        while (chance(10))
            s += oneOf(kinds);
        return s;
    }

    QByteArray tag(const char *tag)
    {
        static const char *const wrong[] = {"[cal_name]", "\xEF\xBB\xBF[CAL_NAME]", "[XCAL]]", "XCAL",
                                            "[YCAL", "[ABS_INTENSITY_CAL]x", "[ZCAL]", "[BASCAL_INDEX]"};
        return chance(1) ? oneOf(wrong) : QByteArray(tag);
    }

    QByteArray name()
    {
        static const char *const pieces[] = {"Day", "light", " ", "  ", "\t", "D65", "\xC3\xA9", "\xE2\x82\xAC",
                                             " V1.0", " V1.1", "-", "#", "\r", "x", "[", "9"};
        QByteArray n = chance(5) ? "\xC3\xA9" : "N";
        for (int i = pick(7); i > 0; --i)
            n += oneOf(pieces);
        return chance(20) ? n + "  " : n;
    }

    QByteArray digits(int most)
    {
        QByteArray d;
        for (int i = pick(most); i >= 0; --i)
            d += char('0' + pick(10));
        return d;
    }

    QByteArray floatText()
    {
        static const char *const spellings[] = {
            "0", "1", "-1", "+2.5", ".5", "-.25", "5.", "1e3", "1E-3", "2.5e+2", "1e", "1e+", "1e-", "0x1p-2",
            "0X1.8P1", "0xA", "0x.8", "-0x1p3", "0x", "0xg", "1.2.3", "inf", "-inf", "nan", "INF", "infinity",
            "1e39", "-1e39", "1e-50", "abc", "+", "-", ".", "e5", "00012.5000", "1,5", "3.4028235e38",
            "3.4028236e38", "1.17549435e-38", "0.1", "123456789012345678901234567890", "-0", "nax", "infin",
            "1e5.3", "0x1e+3", "1ef", "+-1", "0x1p", "0x1.p+", "-nan", "Infinity", "0x.p1", "..5"};
        if (chance(6))
            return oneOf(spellings);
        QByteArray s;
        if (chance(3)) {
            static const char alphabet[] = "0123456789+-.eEpPxXaAnNiIfFtTyY";
            for (int i = 1 + pick(8); i > 0; --i)
                s += alphabet[pick(int(sizeof alphabet) - 1)];
            return s;
        }
        s = chance(30) ? (chance(50) ? "-" : "+") : "";
        s += digits(12);
        if (chance(60))
            s += "." + digits(8);
        if (chance(30))
            s += QByteArray(chance(50) ? "e" : "E") + (chance(50) ? "-" : "") + digits(chance(15) ? 2 : 0);
        return s;
    }

    QByteArray indexText()
    {
        static const char *const spellings[] = {
            "0", "3", "-1", "+6", "262", "258", "2", "6", "007", "4294967302", "2147483648", "-2147483649",
            "99999999999999999999", "-99999999999999999999", "1.5", "abc", "-", "+", "0x10", "--1", "2e3",
            "9223372036854775807", "9223372036854775808", "-9223372036854775808", "-9223372036854775809"};
        if (chance(15))
            return oneOf(spellings);
        return (chance(30) ? "-" : "") + digits(chance(10) ? 25 : 3);
    }

    QByteArray record()
    {
        if (chance(5)) // a placeholder, kept by the reader and dropped by the merge
            return ::record("empty", "0", "1");
        QByteArray r = tag("[CAL_NAME]") + space() + name() + (chance(30) ? "\r\n" : "\n");
        if (chance(50))
            r += space();
        r += tag("[ABS_INTENSITY_CAL]") + space() + floatText();
        for (const char *row : {"[XCAL]", "[YCAL]", "[ZCAL]"}) {
            r += space() + tag(row);
            for (int i = 0; i < 3; ++i)
                r += space() + floatText();
        }
        r += space() + tag("[BASCAL_INDEX]") + space() + indexText();
        return chance(90) ? r + (chance(20) ? "\r\n" : "\n") : r;
    }

    std::mt19937 m_random;
};

} // namespace

class TestCalibrationFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::setlocale(LC_NUMERIC, "C"); } // the reference scan's decimal point

    // ---- Format and results ----

    void itemsAreReadAsTheFormatReadsThem_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<float>("intensity");
        QTest::addColumn<int>("index");
        QTest::newRow("a tag per line") << record("Studio Flash", "4") << 1.5f << 4;
        QTest::newRow("one line with tabs") << QByteArray("[CAL_NAME]\tStudio Flash\n[ABS_INTENSITY_CAL]\t1.5 [XCAL] 1 "
                                                          "0\t0 [YCAL] 0 1 0 [ZCAL] 0 0 1 [BASCAL_INDEX] 4\n") << 1.5f << 4;
        QTest::newRow("line ends between all items")
            << QByteArray("\n\n[CAL_NAME]\n\n   Studio Flash\n\n[ABS_INTENSITY_CAL]\n1.5\n[XCAL]\n1\n0\n0\n"
                          "[YCAL]\n0\n1\n0\n[ZCAL]\n0\n0\n1\n[BASCAL_INDEX]\n4\n\n")
            << 1.5f << 4;
        QTest::newRow("CR LF line ends") << record("Studio Flash", "4").replace("\n", "\r\n") << 1.5f << 4;
        const struct { const char *row, *intensity; float value; } numbers[] = {
            {"plus sign", "+1.25", 1.25f}, {"no leading digit", "-.5", -0.5f}, {"no trailing digit", "5.", 5.0f},
            {"exponent", "1.5E-2", 0.015f}, {"hexadecimal", "0x1.8p1", 3.0f}, {"dangling exponent", "1e+", 1.0f},
            {"leading zeros", "00012.5000", 12.5f}, {"underflow is zero", "1e-50", 0.0f},
            {"rounded to float", "0.1", 0.1f}, {"largest float", "3.4028235e38", 3.4028235e38f}};
        for (const auto &n : numbers)
            QTest::newRow(n.row) << record("Studio Flash", "4", n.intensity) << n.value << 4;
        // The index keeps the low 32 bits of a long, which saturates.
        const struct { const char *row, *index; int value; } indices[] = {
            {"index +7", "+7", 7}, {"index -1", "-1", -1}, {"index leading zeros are decimal", "010", 10},
            {"index beyond 32 bits", "4294967302", 6}, {"index just beyond int", "2147483648", int(0x80000000u)},
            {"index saturates high", "99999999999999999999", -1}, {"index saturates low", "-99999999999999999999", 0},
            {"index stops at x", "0x10", 0}, {"index stops at the point", "1.5", 1}};
        for (const auto &i : indices)
            QTest::newRow(i.row) << record("Studio Flash", i.index) << 1.5f << i.value;
    }
    void itemsAreReadAsTheFormatReadsThem()
    {
        QFETCH(QByteArray, text);
        QFETCH(float, intensity);
        QFETCH(int, index);
        const CalibrationFileContents c = read(text);
        QCOMPARE(c.result, 0);
        QCOMPARE(int(c.blocks.size()), 1);
        const CalibrationBlock &b = c.blocks[0];
        QCOMPARE(storedName(b), QByteArray("Studio Flash"));
        QCOMPARE(b.absIntensityCal, intensity);
        const float identity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        QVERIFY(!std::memcmp(b.xCal, identity[0], 12) && !std::memcmp(b.yCal, identity[1], 12)
                && !std::memcmp(b.zCal, identity[2], 12));
        QCOMPARE(b.basCalIndex, index);
    }

    void malformedRecordsStopTheReading_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        const char *const rows[][3] = {
            {"word", "1.5", "abc"}, {"sign alone", "1.5", "+"}, {"point alone", "1.5", "."},
            {"hex prefix alone", "1.5", "0x"}, {"exponent alone", "1.5", "e5"}, {"almost nan", "1.5", "nax"},
            {"almost infinity", "1.5", "infinit"}, {"decimal comma", "1.5", "1,5"},
            {"word as index", "[BASCAL_INDEX] 3", "[BASCAL_INDEX] three"},
            {"two signs as index", "[BASCAL_INDEX] 3", "[BASCAL_INDEX] --3"},
            {"lower-case tag", "[XCAL]", "[xcal]"}, {"byte-order mark", "[CAL_NAME]", "\xEF\xBB\xBF[CAL_NAME]"},
            {"character joined to a tag", "[ZCAL]", "[ZCAL]:"}, {"tags swapped", "[YCAL]", "[ZCAL]"},
            {"missing bracket", "[BASCAL_INDEX]", "[BASCAL_INDEX"},
            {"missing name takes the next line", "[CAL_NAME] Bad\n", "[CAL_NAME]\n"},
            // Deliberate: a number that is not finite never reaches the instrument.
            {"nan", "1.5", "nan"}, {"negative nan", "[XCAL] 1 0", "[XCAL] 1 -NAN"}, {"inf", "0 1 0", "0 inf 0"},
            {"infinity", "0 0 1", "0 0 -Infinity"}, {"beyond float", "[XCAL] 1", "[XCAL] 3.4028236e38"},
            {"beyond float, hexadecimal", "0 0 1", "0 0 0x1p200"}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QByteArray(r[1]) << QByteArray(r[2]);
        QTest::newRow("zero byte joined to a tag") << QByteArray("[YCAL]") << QByteArray("[YCAL]\0x", 8);
        QTest::newRow("endless tag") << QByteArray("[XCAL]") << QByteArray(1 << 20, 'X');
    }
    void malformedRecordsStopTheReading()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        const QByteArray bad = record("Bad");
        QVERIFY(bad.contains(from));
        const QByteArray first = record("Good");
        const CalibrationFileContents c = read(first + QByteArray(bad).replace(from, to) + record("Never read"));
        QCOMPARE(c.result, 1);
        QCOMPARE(int(c.blocks.size()), 1);
        QCOMPARE(storedName(c.blocks[0]), QByteArray("Good"));
        QCOMPARE(c.malformedOffset, std::size_t(first.size()));
    }

    // Deliberate: a complete last record counts without a line end; one cut short is ignored.
    void theEndOfTheFileIsNoError()
    {
        const QByteArray text = record("First") + record("Last", "7");
        const int firstComplete = text.indexOf("[CAL_NAME] Last") - 1;
        for (int end = 0; end <= text.size(); ++end) {
            const CalibrationFileContents c = read(text.left(end));
            QCOMPARE(c.result, 0);
            QCOMPARE(int(c.blocks.size()), int(end >= firstComplete) + int(end >= text.size() - 1));
        }
        const CalibrationFileContents c = read(text.chopped(1));
        QCOMPARE(storedName(c.blocks.at(1)), QByteArray("Last"));
        QCOMPARE(c.blocks[1].basCalIndex, 7);
        QCOMPARE(read(" \n\t\r\n\v\f  \n").result, 0);
    }

    // ---- Names: the rest of their line, cut on a character boundary ----

    void namesAreStoredAsWritten_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("cut");
        QTest::newRow("inner blanks and tabs kept") << QByteArray("  A  B\tC  ") << QByteArray("A  B\tC  ") << false;
        QTest::newRow("19 bytes fit") << QByteArray(19, 'a') << QByteArray(19, 'a') << false;
        QTest::newRow("20 bytes") << QByteArray(20, 'b') << QByteArray(19, 'b') << true;
        QTest::newRow("2-byte character across") << QByteArray(18, 'c') + "\xC3\xA9" << QByteArray(18, 'c') << true;
        QTest::newRow("3-byte character across") << QByteArray(17, 'd') + "\xE2\x82\xAC" << QByteArray(17, 'd') << true;
        QTest::newRow("character ending at 19") << QByteArray(17, 'e') + "\xC3\xA9!" << QByteArray(17, 'e') + "\xC3\xA9" << true;
        QTest::newRow("a megabyte") << QByteArray(1 << 20, 'f') << QByteArray(19, 'f') << true;
        QTest::newRow("CR before the line end") << QByteArray(19, 'n') + "\r" << QByteArray(19, 'n') << false;
        QTest::newRow("inner CR kept") << QByteArray("Inner\rCR") << QByteArray("Inner\rCR") << false;
        QTest::newRow("only the last CR goes") << QByteArray("Two\r\r") << QByteArray("Two\r") << false;
        QTest::newRow("a zero byte ends it") << QByteArray("Zero\0Hidden", 11) << QByteArray("Zero") << false;
    }
    void namesAreStoredAsWritten()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, stored);
        QFETCH(bool, cut);
        const CalibrationFileContents c = read(record(QByteArray(25, 'L')) + record(name));
        QCOMPARE(c.result, 0);
        QCOMPARE(int(c.blocks.size()), 2);
        QCOMPARE(storedName(c.blocks[1]), stored);
        for (std::size_t i = std::size_t(stored.size()); i < sizeof c.blocks[1].calName; ++i)
            QCOMPARE(c.blocks[1].calName[i], '\0'); // nothing of the earlier, longer name lingers
        QCOMPARE(c.blocks[1].absIntensityCal, 1.5f); // the record itself is kept whole
        QCOMPARE(c.cutNames, cut ? std::vector<std::size_t>({0, 1}) : std::vector<std::size_t>({0}));
    }

    // ---- Merge: families and model flags, suffixes, the low byte of the index ----

    void familiesNeedTheirModel_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("rgbblu");
        QTest::addColumn<bool>("gbrled");
        QTest::addColumn<QString>("entered");
        // "-": dropped
        const struct { const char *row, *name; int index; bool rgbblu, gbrled; const char *entered; } rows[] = {
            {"V1.0, RGBBLU", "Lamp V1.0", 3, true, false, "Lamp"}, {"V1.0, no RGBBLU", "Lamp V1.0", 3, false, true, "-"},
            {"index 6, RGBBLU", "Lamp", 6, true, false, "Lamp"}, {"index 6, no RGBBLU", "Lamp", 6, false, true, "-"},
            {"V1.1, GBRLED", "Lamp V1.1", 3, false, true, "Lamp"}, {"V1.1, no GBRLED", "Lamp V1.1", 3, true, false, "-"},
            {"index 2, GBRLED", "Lamp", 2, false, true, "Lamp"}, {"index 2, no GBRLED", "Lamp", 2, true, false, "-"},
            {"both families, both models", "Lamp V1.1", 6, true, true, "Lamp"},
            {"both, RGBBLU only", "Lamp V1.1", 6, true, false, "-"}, {"both, GBRLED only", "Lamp V1.1", 6, false, true, "-"},
            {"suffix is case-sensitive", "Lamp v1.0", 3, false, false, "Lamp v1.0"},
            {"suffix needs its blank", "LampV1.0", 3, false, false, "LampV1.0"},
            {"suffixes inside and at the end", "A V1.0 B V1.0", 3, true, true, "A B"},
            {"both suffixes", "A V1.1 B V1.0", 3, true, true, "A B"}, {"by index, inside", "X V1.1 Y", 6, true, true, "X Y"},
            {"outside a family it stays", "X V1.0 Y", 3, false, false, "X V1.0 Y"},
            {"a suffix as the whole name", " V1.0", 3, true, true, ""},
            {"low byte 6 of 262", "Lamp", 262, false, true, "-"}, {"low byte 2 of 258", "Lamp", 258, false, true, "Lamp"}};
        for (const auto &r : rows)
            QTest::newRow(r.row) << QByteArray(r.name) << r.index << r.rgbblu << r.gbrled << QString(r.entered);
    }
    void familiesNeedTheirModel()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, index);
        QFETCH(bool, rgbblu);
        QFETCH(bool, gbrled);
        QFETCH(QString, entered);
        const Merged m = merge({blockFor(name, index)}, rgbblu, gbrled);
        QCOMPARE(namesOf(m.catalogue), entered == "-" ? QStringList() : QStringList {entered});
        QCOMPARE(namesOf(m.addable), namesOf(m.catalogue));
        if (!m.catalogue.isEmpty()) {
            QCOMPARE(storedName(m.catalogue.first().block), entered.toUtf8());
            QCOMPARE(m.catalogue.first().block.basCalIndex, index); // all four bytes travel on
            QCOMPARE(m.catalogue.first().description, QString("Using Base Calibration #%1").arg(index % 256));
        }
    }

    // ---- Merge: duplicates and the V1.1 replacement ----

    void theFirstRecordOfANameWinsUnlessV11Replaces()
    {
        CalibrationBlock named = emptyCalibrationBlock(), highIndex = emptyCalibrationBlock();
        setCalibrationName(named, "Has a name");
        highIndex.basCalIndex = 256;
        const Merged m = merge({blockFor("A", 1), blockFor("B", 1), emptyCalibrationBlock(), blockFor("B", 4),
                                blockFor("B ", 5), blockFor("A V1.1", 3), blockFor("C", 1), named, blockFor("A", 2),
                                blockFor("A", 7), blockFor("D V1.1", 1), highIndex, blockFor("C", 2)},
                               false, true, listOf({"C", "D"}));
        QCOMPARE(namesOf(m.catalogue), (QStringList {"A", "B", "B ", "C", "D"})); // placeholders dropped
        QCOMPARE(m.catalogue.at(1).block.basCalIndex, 1);
        QCOMPARE(m.catalogue.at(3).block.basCalIndex, 2); // replaced although the instrument holds it
        // The last V1.1 record wins, in both lists, at the first record's place.
        QCOMPARE(m.catalogue.first().block.basCalIndex, 2);
        QCOMPARE(namesOf(m.addable), (QStringList {"A", "B", "B "}));
        QCOMPARE(m.addable.first().block.basCalIndex, 2);
        QCOMPARE(m.addable.first().description, QString("Using Base Calibration #2"));
    }

    void aLargeCatalogueKeepsItsRules()
    {
        std::vector<CalibrationBlock> blocks;
        for (int i = 0; i < 20000; ++i)
            blocks.push_back(blockFor("Cal " + QByteArray::number(i % 15000), 1));
        blocks.push_back(blockFor("Cal 7 V1.1", 9));
        const Merged m = merge(blocks, false, true, listOf({"Cal 3"}));
        QCOMPARE(m.catalogue.size(), 15000);
        QCOMPARE(m.addable.size(), 14999);
        QCOMPARE(calibrationName(m.catalogue.at(7).block), QString("Cal 7"));
        QCOMPARE(m.catalogue.at(7).block.basCalIndex, 9);
        QCOMPARE(m.addable.at(6).block.basCalIndex, 9);
    }

    // Deliberate: names are UTF-8 from the file to the selection window and back to the block.
    void aNonAsciiNameReachesTheSelectionPairs()
    {
        const QString lumiere = QString::fromUtf8("Lumi\xC3\xA8re \xE2\x82\xAC");
        const CalibrationFileContents c = read(record(lumiere.toUtf8() + " V1.1", "2") + record("\xC3\x89" "cran")
                                               + record("Caf\xC3\xA9 Nuit"));
        QCOMPARE(c.result, 0);
        const Merged m = merge(c.blocks, false, true, listOf({QString::fromUtf8("Caf\xC3\xA9 Nuit")}));
        const CalibrationPairList pairs = m.addable.pairs();
        QCOMPARE(pairs.size(), 2);
        QCOMPARE(pairs[0].first, lumiere);
        QCOMPARE(pairs[0].second, QString("Using Base Calibration #2"));
        QCOMPARE(pairs[1].first, QString::fromUtf8("\xC3\x89" "cran"));
        const CalibrationRecord *chosen = m.catalogue.find(pairs[0].first);
        QVERIFY(chosen);
        QCOMPARE(storedName(chosen->block), lumiere.toUtf8());
    }

    // ---- The reader against the plain format ----

    void readsWhatThePlainFormatReads()
    {
        CatalogueGenerator generator(20261207);
        int records = 0, malformed = 0;
        for (int i = 0; i < 30000; ++i) {
            const QByteArray text = generator.file();
            const CalibrationFileContents expected = scannedWithTheCLibrary(text);
            const CalibrationFileContents actual = read(text);
            const QByteArray context = "input " + QByteArray::number(i) + ": " + text.toPercentEncoding(" []#.+-");
            QVERIFY2(actual.result == expected.result, context.constData());
            QVERIFY2(actual.blocks.size() == expected.blocks.size(), context.constData());
            for (std::size_t k = 0; k < expected.blocks.size(); ++k)
                QVERIFY2(std::memcmp(&actual.blocks[k], &expected.blocks[k], sizeof(CalibrationBlock)) == 0,
                         (context + " record " + QByteArray::number(int(k))).constData());
            QVERIFY2(actual.cutNames == expected.cutNames, context.constData());
            records += int(expected.blocks.size());
            malformed += expected.result;
        }
        // The generator must exercise both outcomes, or the comparison proves little.
        QVERIFY2(records > 8000 && malformed > 5000 && malformed < 25000,
                 qPrintable(QString("%1 records, %2 malformed").arg(records).arg(malformed)));
    }
};

QTEST_GUILESS_MAIN(TestCalibrationFile)
#include "tst_calibrationfile.moc"
