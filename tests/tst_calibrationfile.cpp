#include "calibrationfile.h"
#include "calibrationlist.h"
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

struct Merged { QList<CalibrationRecord> catalogue, addable; };

// What the instrument holds, when it holds anything: one calibration of that name.
CalibrationList instrumentHolding(const QByteArray &held)
{
    CalibrationList instrument;
    CalibrationBlock b = emptyCalibrationBlock();
    b.absIntensityCal = 2;
    setCalibrationName(b, held);
    if (!held.isNull())
        instrument.append(CalibrationRecord(b));
    return instrument;
}

Merged merge(const CalibrationFileContents &contents, bool rgbblu, bool gbrled,
             const CalibrationList &instrument = CalibrationList())
{
    CalibrationList catalogue, addable;
    mergeCatalogueBlocks(contents, {instrument, rgbblu, gbrled}, catalogue, addable);
    return {{catalogue.begin(), catalogue.end()}, {addable.begin(), addable.end()}};
}

// The merge rules as plainly as they can be written: whole names, linear searches.
Merged mergedPlainly(const CalibrationFileContents &read, const QList<QByteArray> &wholeNames, bool rgbblu,
                     bool gbrled, const QString &held)
{
    Merged m;
    for (std::size_t i = 0; i < read.blocks.size(); ++i) {
        CalibrationBlock b = read.blocks[i];
        QByteArray name = wholeNames.at(int(i));
        const int index = b.basCalIndex & 0xFF;
        const bool v10 = index == 6 || name.endsWith(" V1.0"), v11 = index == 2 || name.endsWith(" V1.1");
        if (isEmptyBlock(b) || (v10 && !rgbblu) || (v11 && !gbrled))
            continue;
        if (v10 || v11)
            setCalibrationName(b, name.replace(" V1.0", "").replace(" V1.1", ""));
        const CalibrationRecord r(b);
        bool replaced = false;
        for (QList<CalibrationRecord> *list : {&m.catalogue, &m.addable})
            for (CalibrationRecord &old : *list)
                if (v11 && calibrationName(old.block) == calibrationName(b))
                    old = r, replaced = true;
        const auto named = [&](const CalibrationRecord &o) { return calibrationName(o.block) == calibrationName(b); };
        if (replaced || std::any_of(m.catalogue.begin(), m.catalogue.end(), named))
            continue;
        m.catalogue << r;
        if (calibrationName(b) != held)
            m.addable << r;
    }
    return m;
}

bool same(const QList<CalibrationRecord> &a, const QList<CalibrationRecord> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const CalibrationRecord &x, const CalibrationRecord &y) {
        return !std::memcmp(&x.block, &y.block, sizeof x.block) && x.description == y.description;
    });
}

// The plain format over a stream, with the deliberate changes applied to what it yields;
// the whole names come along for the merge.
CalibrationFileContents scannedWithTheCLibrary(const QByteArray &bytes, QList<QByteArray> &wholeNames)
{
    CalibrationFileContents out;
    FILE *f = fmemopen(const_cast<char *>(bytes.constData()), std::size_t(bytes.size()), "r");
    static char tag[6][4096], name[4096];
    static const char *const tags[] = {"[CAL_NAME]", "[ABS_INTENSITY_CAL]", "[XCAL]", "[YCAL]", "[ZCAL]", "[BASCAL_INDEX]"};
    for (CalibrationBlock b {}; f; b = CalibrationBlock {}) {
        int index = 0;
        const int n = std::fscanf(f, "%s %[^\n] %s %f %s %f %f %f %s %f %f %f %s %f %f %f %s %d", tag[0], name, tag[1],
                                  &b.absIntensityCal, tag[2], &b.xCal[0], &b.xCal[1], &b.xCal[2], tag[3], &b.yCal[0],
                                  &b.yCal[1], &b.yCal[2], tag[4], &b.zCal[0], &b.zCal[1], &b.zCal[2], tag[5], &index);
        if (n < 18) { // a complete record counts even when the end of the file follows it
            out.result = std::feof(f) ? 0 : 1;
            break;
        }
        bool valid = true;
        for (int i = 0; i < 6; ++i)
            valid = valid && std::strcmp(tag[i], tags[i]) == 0;
        for (float v : {b.absIntensityCal, b.xCal[0], b.xCal[1], b.xCal[2], b.yCal[0], b.yCal[1], b.yCal[2], b.zCal[0], b.zCal[1], b.zCal[2]})
            valid = valid && std::isfinite(v);
        if (!valid) {
            out.result = 1;
            break;
        }
        QByteArray whole(name);
        if (whole.endsWith('\r'))
            whole.chop(1);
        if (!setCalibrationName(b, whole))
            out.cutNames.push_back(out.blocks.size()), out.wholeNames.push_back(whole.toStdString());
        b.basCalIndex = index;
        out.blocks.push_back(b);
        wholeNames << whole;
    }
    if (f)
        std::fclose(f);
    return out;
}

// Catalogue files as a careless editor or a broken transfer might leave them: every item in
// many spellings, white space of every kind, wrong tags, stray bytes and truncation.
class CatalogueGenerator
{
public:
    explicit CatalogueGenerator(unsigned seed) : m_random(seed) {}

    QByteArray file()
    {
        QByteArray text;
        for (int i = pick(5); i > 0; --i)
            text += record();
        for (int edits = chance(35) ? 1 + pick(3) : 0; edits > 0; --edits) {
            const char stray = " \t\n\rx0.-+e[]\xC3\f\v5"[pick(16)];
            const int at = pick(text.size() + 1), how = pick(3);
            if (how == 0)
                text.insert(at, stray);
            else if (at < text.size())
                how == 1 ? void(text.remove(at, 1)) : void(text[at] = stray);
        }
        return chance(30) ? text.left(pick(text.size() + 1)) : text;
    }

private:
    int pick(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return pick(100) < percent; }
    QByteArray oneOf(const QList<QByteArray> &options) { return options.at(pick(options.size())); }
    QByteArray space() { return oneOf({" ", " ", "\n", "\t", "\r\n", "  ", "\r", "\v", "\f", " \n ", "\n\n"}); }
    QByteArray digits(int most)
    {
        QByteArray d;
        for (int i = pick(most); i >= 0; --i)
            d += char('0' + pick(10));
        return d;
    }
    QByteArray tag(const char *tag)
    {
        return chance(1) ? oneOf({"[cal_name]", "\xEF\xBB\xBF[CAL_NAME]", "[XCAL]]", "XCAL", "[YCAL", "[ZCAL]"}) : tag;
    }
    QByteArray name()
    {
        QByteArray n = chance(5) ? "\xC3\xA9" : "N";
        for (int i = pick(9); i > 0; --i)
            n += oneOf({"Day", "light", " ", "\t", "\xC3\xA9", "\xE2\x82\xAC", " V1.0", " V1.1", " V1", ".0", "\r", "9"});
        return chance(20) ? n + "  " : n;
    }
    QByteArray floatText()
    {
        if (chance(6))
            return oneOf({"1e", "1e+", "0x1p-2", "0X1.8P1", "0xA", "0x.8", "0x", "0xg", "1.2.3", "inf", "-inf", "nan",
                          "infinity", "1e39", "1e-50", "abc", "+", ".", "e5", "1,5", "3.4028235e38", "3.4028236e38",
                          "1.17549435e-38", "16777217", "-0", "nax", "infin", "1ef", "+-1", "0x1.p+", "..5"});
        if (chance(3)) { // near a float's halfway point, in few or many digits
            const float f = std::ldexp(float(pick(1 << 24)), pick(60) - 40);
            return QByteArray::number((double(f) + double(std::nextafter(f, 2 * f + 1))) / 2, 'g', 6 + pick(12));
        }
        QByteArray s = QByteArray(chance(30) ? "-" : "") + digits(12) + (chance(60) ? "." + digits(8) : "");
        return chance(30) ? s + "e" + (chance(50) ? "-" : "") + digits(chance(15) ? 2 : 0) : s;
    }
    QByteArray indexText()
    {
        if (chance(15))
            return oneOf({"+6", "262", "258", "2", "6", "4294967302", "2147483648", "-2147483649", "99999999999999999999",
                          "9223372036854775806", "-9223372036854775807", "9223372036854775807", "9223372036854775808",
                          "-9223372036854775808", "-9223372036854775809", "18446744073709551614", "1.5", "-", "0x10"});
        return QByteArray(chance(30) ? "-" : "") + (chance(3) ? "000000" : "") + digits(chance(10) ? 25 : chance(10) ? 19 : 3);
    }
    QByteArray record()
    {
        if (chance(5)) // a placeholder, kept by the reader and dropped by the merge
            return ::record("empty", "0", "1");
        QByteArray r = tag("[CAL_NAME]") + space() + name() + (chance(30) ? "\r\n" : "\n") + space();
        r += tag("[ABS_INTENSITY_CAL]") + space() + floatText();
        for (const char *row : {"[XCAL]", "[YCAL]", "[ZCAL]"})
            r += space() + tag(row) + space() + floatText() + space() + floatText() + space() + floatText();
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

    // Reader and merge give what the C library's scan and the plain rules give.
    void readsAndMergesAsThePlainFormatAndRules()
    {
        CatalogueGenerator generator(20261207);
        int records = 0, malformed = 0, merged = 0;
        for (int i = 0; i < 30000; ++i) {
            const QByteArray text = generator.file();
            QList<QByteArray> names;
            const CalibrationFileContents expected = scannedWithTheCLibrary(text, names), actual = read(text);
            const QByteArray context = "input " + QByteArray::number(i) + ": " + text.toPercentEncoding(" []#.+-");
            QVERIFY2(actual.result == expected.result && actual.cutNames == expected.cutNames
                         && actual.wholeNames == expected.wholeNames && actual.blocks.size() == expected.blocks.size()
                         && !std::memcmp(actual.blocks.data(), expected.blocks.data(), 64 * actual.blocks.size()),
                     context.constData());
            const CalibrationList instrument = instrumentHolding(names.value(i % 3)); // none, or one of the file's
            const QString held = instrument.isEmpty() ? QString() : calibrationName(instrument.first().block);
            const Merged m = merge(actual, i & 1, i & 2, instrument), plain = mergedPlainly(expected, names, i & 1, i & 2, held);
            QVERIFY2(same(m.catalogue, plain.catalogue) && same(m.addable, plain.addable), context.constData());
            records += int(expected.blocks.size()), malformed += expected.result, merged += m.catalogue.size();
        }
        // The generator must exercise every outcome, or the comparison proves little.
        QVERIFY2(records > 8000 && merged > 4000 && malformed > 5000 && malformed < 25000,
                 qPrintable(QString("%1 records, %2 merged, %3 malformed").arg(records).arg(merged).arg(malformed)));
    }

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
        QTest::newRow("only the last CR goes") << QByteArray("Two\r\r") << QByteArray("Two\r") << false;
        QTest::newRow("a zero byte ends it") << QByteArray("Zero\0Hidden", 11) << QByteArray("Zero") << false;
    }
    void namesAreStoredAsWritten()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, stored);
        QFETCH(bool, cut);
        const CalibrationFileContents c = read(record(QByteArray(25, 'L')) + record(name));
        QCOMPARE(int(c.blocks.size()), 2);
        QCOMPARE(QByteArray(c.blocks[1].calName, 20), stored.leftJustified(20, '\0')); // nothing of the longer name lingers
        QCOMPARE(c.cutNames, cut ? std::vector<std::size_t>({0, 1}) : std::vector<std::size_t>({0}));
        QCOMPARE(QByteArray::fromStdString(c.wholeNames.back()), cut ? name : QByteArray(25, 'L'));
    }

    // A complete last record counts without a line end; one cut short is ignored.
    void theEndOfTheFileIsNoError()
    {
        const QByteArray text = record("First") + record("Last", "7");
        const int firstComplete = text.indexOf("[CAL_NAME] Last") - 1;
        for (int end = 0; end <= text.size(); ++end) {
            const CalibrationFileContents c = read(text.left(end));
            QCOMPARE(c.result, 0);
            QCOMPARE(int(c.blocks.size()), int(end >= firstComplete) + int(end >= text.size() - 1));
        }
    }

    void malformedRecordsStopTheReading_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("zero byte joined to a tag") << QByteArray("[YCAL]") << QByteArray("[YCAL]\0x", 8);
        QTest::newRow("endless tag") << QByteArray("[XCAL]") << QByteArray(1 << 20, 'X');
        QTest::newRow("beyond float, hexadecimal") << QByteArray("0 0 1") << QByteArray("0 0 0x1p200");
        QTest::newRow("missing name takes the next line") << QByteArray("[CAL_NAME] Bad\n") << QByteArray("[CAL_NAME]\n");
    }
    void malformedRecordsStopTheReading()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        const QByteArray first = record("Good");
        const CalibrationFileContents c = read(first + record("Bad").replace(from, to) + record("Never read"));
        QCOMPARE(c.result, 1);
        QCOMPARE(int(c.blocks.size()), 1);
        QCOMPARE(c.malformedOffset, std::size_t(first.size()));
    }

    void familiesNeedTheirModel_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("rgbblu");
        QTest::addColumn<bool>("gbrled");
        QTest::addColumn<QByteArray>("entered"); // "-": dropped
        const struct { const char *row, *name; int index; bool rgbblu, gbrled; const char *entered; } rows[] = {
            {"V1.0, RGBBLU", "Lamp V1.0", 3, true, false, "Lamp"}, {"V1.0, no RGBBLU", "Lamp V1.0", 3, false, true, "-"},
            {"index 6, RGBBLU", "Lamp", 6, true, false, "Lamp"}, {"index 6, no RGBBLU", "Lamp", 6, false, true, "-"},
            {"V1.1, GBRLED", "Lamp V1.1", 3, false, true, "Lamp"}, {"V1.1, no GBRLED", "Lamp V1.1", 3, true, false, "-"},
            {"index 2, GBRLED", "Lamp", 2, false, true, "Lamp"}, {"index 2, no GBRLED", "Lamp", 2, true, false, "-"},
            {"both, RGBBLU only", "Lamp V1.1", 6, true, false, "-"}, {"both, GBRLED only", "Lamp V1.1", 6, false, true, "-"},
            {"suffix is case-sensitive", "Lamp v1.0", 3, false, false, "Lamp v1.0"},
            {"suffixes inside and at the end", "A V1.0 B V1.0", 3, true, true, "A B"},
            {"outside a family it stays", "X V1.0 Y", 3, false, false, "X V1.0 Y"},
            {"low byte 6 of 262", "Lamp", 262, false, true, "-"}, {"low byte 2 of 258", "Lamp", 258, false, true, "Lamp"},
            {"long V1.1 name, no GBRLED", "ProjectorStudioXL V1.1", 3, true, false, "-"},
            {"long V1.1 name, GBRLED", "ProjectorStudioXL V1.1", 3, false, true, "ProjectorStudioXL"},
            {"long V1.0 name cut after removal", "ProjectorStudioXL200 V1.0", 3, true, false, "ProjectorStudioXL20"},
            {"long name outside a family is cut", "ProjectorStudioXL V1.1 B", 3, false, false, "ProjectorStudioXL V"}};
        for (const auto &r : rows)
            QTest::newRow(r.row) << QByteArray(r.name) << r.index << r.rgbblu << r.gbrled << QByteArray(r.entered);
    }
    void familiesNeedTheirModel()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, index);
        QFETCH(bool, rgbblu);
        QFETCH(bool, gbrled);
        QFETCH(QByteArray, entered);
        const Merged m = merge(read(record(name, QByteArray::number(index))), rgbblu, gbrled);
        QCOMPARE(m.catalogue.size(), int(entered != "-"));
        if (entered != "-")
            QCOMPARE(storedName(m.catalogue.first().block), entered);
    }
};

QTEST_GUILESS_MAIN(TestCalibrationFile)
#include "tst_calibrationfile.moc"
