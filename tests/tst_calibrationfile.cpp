// SPDX-License-Identifier: MIT
#include "calibrationfile.h"
#include "calibrationlist.h"
#include "cataloguemerge.h"
#include "catalogues.h"

#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

const QByteArray kIdentity = "1 0 0 0 1 0 0 0 1";
QByteArray record(const QByteArray &name, float intensity = 1.5f, int base = 3)
{
    return catalogues::record(name, intensity, base, kIdentity);
}

CalibrationFileContents read(const QByteArray &bytes) { return readCalibrationFile(bytes.constData(), bytes.size()); }

// A list as bytes that differ wherever two lists differ: each block, then its description.
template <class List> QByteArray bytesOf(const List &list)
{
    QByteArray bytes;
    for (const CalibrationRecord &r : list)
        bytes += QByteArray(reinterpret_cast<const char *>(&r.block), 64) + r.description.toUtf8() + '\n';
    return bytes;
}

// The catalogue and the calibrations offered, as bytes.
QByteArrayList merge(const CalibrationFileContents &contents, bool rgbblu, bool gbrled, const CalibrationList &held = {})
{
    CalibrationList catalogue, addable;
    mergeCatalogueBlocks(contents, {held, rgbblu, gbrled}, catalogue, addable);
    return {bytesOf(catalogue), bytesOf(addable)};
}

// calName as the rules say: the name cut to 19 bytes without splitting a character, zero-filled.
// False when it had to be cut.
bool storePlainly(CalibrationBlock &b, const QByteArray &name)
{
    int kept = std::min(int(name.size()), 19);
    while (kept < name.size() && kept > 0 && (name.at(kept) & 0xC0) == 0x80) // never ends inside a character
        --kept;
    std::memset(b.calName, 0, sizeof b.calName);
    std::memcpy(b.calName, name.constData(), std::size_t(kept));
    return kept == name.size();
}

// The merge rules as plainly as they can be written: whole names, linear searches.
QByteArrayList mergedPlainly(const CalibrationFileContents &read, QList<QByteArray> names, bool rgbblu, bool gbrled,
                             const CalibrationList &held)
{
    QList<CalibrationRecord> catalogue, addable;
    for (std::size_t i = 0; i < read.blocks.size(); ++i) {
        CalibrationBlock b = read.blocks[i];
        QByteArray &name = names[int(i)];
        const int index = b.basCalIndex & 0xFF;
        const bool v10 = index == 6 || name.endsWith(" V1.0"), v11 = index == 2 || name.endsWith(" V1.1");
        const float neutral[10] = {1, 1, 0, 0, 0, 1, 0, 0, 0, 1}, *numbers = &b.absIntensityCal;
        if ((std::equal(neutral, neutral + 10, numbers) && index == 0) || (v10 && !rgbblu) || (v11 && !gbrled))
            continue;
        if (v10 || v11)
            storePlainly(b, name.replace(" V1.0", "").replace(" V1.1", ""));
        const CalibrationRecord r(b);
        const auto nameOf = [](const CalibrationBlock &c) { return QString::fromUtf8(c.calName, int(qstrnlen(c.calName, 20))); };
        const auto named = [&](const CalibrationRecord &o) { return nameOf(o.block) == nameOf(b); };
        if (v11) // takes the place of the earlier records of its name, if there are any
            std::replace_if(catalogue.begin(), catalogue.end(), named, r), std::replace_if(addable.begin(), addable.end(), named, r);
        if (std::none_of(catalogue.begin(), catalogue.end(), named)) {
            catalogue << r;
            if (std::none_of(held.begin(), held.end(), named))
                addable << r;
        }
    }
    return {bytesOf(catalogue), bytesOf(addable)};
}

// The plain format over a stream, with the deliberate changes applied to what it yields,
// and every whole name for the merge.
CalibrationFileContents scannedWithTheCLibrary(const QByteArray &bytes, QList<QByteArray> &names)
{
    CalibrationFileContents out;
    FILE *f = fmemopen(const_cast<char *>(bytes.constData()), std::size_t(bytes.size()), "r");
    static char tag[6][4096], name[4096];
    const char *const tags = "[CAL_NAME] [ABS_INTENSITY_CAL] [XCAL] [YCAL] [ZCAL] [BASCAL_INDEX]"; // no blank in a tag
    for (CalibrationBlock b {};; b = CalibrationBlock {}) {
        std::memset(name, 1, sizeof name); // marks where the scan stops writing, for zero bytes in names
        std::fscanf(f, " ");
        const long start = std::ftell(f);
        const int n = std::fscanf(f, "%s %[^\n] %s %f %s %f %f %f %s %f %f %f %s %f %f %f %s %d", tag[0], name, tag[1],
                                  &b.absIntensityCal, tag[2], &b.xCal[0], &b.xCal[1], &b.xCal[2], tag[3], &b.yCal[0],
                                  &b.yCal[1], &b.yCal[2], tag[4], &b.zCal[0], &b.zCal[1], &b.zCal[2], tag[5], &b.basCalIndex);
        if (n != 18 || QByteArrayList {tag[0], tag[1], tag[2], tag[3], tag[4], tag[5]}.join(' ') != tags) {
            // a complete record counts even when the end of the file follows it
            out.result = n < 18 && std::feof(f) ? 0 : 1;
            out.malformedOffset = out.result ? std::size_t(start) : 0;
            break;
        }
        const bool zeroInside = name[std::strlen(name) + 1] != 1; // then the CR of a CR LF was beyond it
        const QByteArray whole = QByteArray(name).endsWith('\r') && !zeroInside ? QByteArray(name).chopped(1) : QByteArray(name);
        const float *const v = &b.absIntensityCal; // the ten numbers stand together in the block
        if (!std::all_of(v, v + 10, [](float x) { return std::isfinite(x); })) {
            out.nonFiniteNames.push_back(whole.toStdString());
            continue;
        }
        if (!storePlainly(b, whole))
            out.cutNames.push_back(out.blocks.size()), out.wholeNames.push_back(whole.toStdString());
        out.blocks.push_back(b), names << whole;
    }
    std::fclose(f);
    return out;
}

// Catalogue files as a careless editor or a broken transfer might leave them: every item in
// many spellings, white space of every kind, wrong tags, stray bytes and truncation.
struct CatalogueGenerator
{
    std::mt19937 random {20261207};

    int pick(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random); }
    bool chance(int percent) { return pick(100) < percent; }
    QByteArray oneOf(const QList<QByteArray> &options) { return options.at(pick(options.size())); }
    QByteArray space() { return oneOf({" ", " ", "\n", "\t", "\r\n", "  ", "\r", "\v", "\f", " \n ", "\n\n"}); }
    QByteArray sign() { return chance(30) ? oneOf({"-", "+", "-"}) : ""; }
    QByteArray digits(int most) { return QByteArray::number(std::uniform_int_distribution<qulonglong>()(random)).right(1 + pick(most)); }
    QByteArray tag(const char *tag) { return chance(1) ? oneOf({"[cal_name]", "\xEF\xBB\xBF[CAL_NAME]", "XCAL", "[YCAL", "[ZCAL]"}) : tag; }
    QByteArray name()
    {
        QByteArray n = chance(5) ? "\xC3\xA9" : "N";
        for (int i = pick(9); i > 0; --i)
            n += oneOf({"Day", "light", " ", "\t", "\xC3\xA9", "\xE2\x82\xAC", " V1.0", " V1.1", " V1", ".0", "\r", {"\0", 1}});
        return n + (chance(20) ? "  " : "") + (chance(30) ? "\r\n" : "\n");
    }
    QByteArray floatText()
    {
        const float f = std::ldexp(float(pick(1 << 24)), pick(60) - 40); // for a number halfway between two floats
        const QByteArray s = sign() + digits(12) + (chance(60) ? "." + digits(8) : "");
        return chance(6) ? oneOf({"1e", "1e+", "0x1p-2", "0X1.8P1", "0xA", "0x.8", "0x", "0xg", "1.2.3", "inf", "-inf", "nan", "infinity",
                                  "1e39", "1e-50", "abc", "+", ".", "e5", "1,5", "3.4028235e38", "3.4028236e38", "1.17549435e-38",
                                  "16777217", "0x1p200", "-0", "nax", "infin", "1ef", "+-1", "0x1.p+", "..5"})
            : chance(3) ? QByteArray::number((double(f) + double(std::nextafter(f, 2 * f + 1))) / 2, 'g', 6 + pick(12))
            : chance(30) ? s + "e" + sign() + digits(chance(15) ? 2 : 0) : s;
    }
    QByteArray indexText()
    {
        return chance(15) ? oneOf({"262", "258", "2", "6", "4294967302", "2147483648", "-2147483649", "99999999999999999999", "1.5",
                                   "9223372036854775806", "-9223372036854775807", "9223372036854775807", "9223372036854775808",
                                   "-9223372036854775808", "-9223372036854775809", "18446744073709551614", "-", "0x10"})
            : sign() + (chance(3) ? "000000" : "") + digits(chance(10) ? 19 : 3) + (chance(5) ? digits(9) : "");
    }
    QByteArray record()
    {
        QByteArray r = tag("[CAL_NAME]") + space() + name() + space() + tag("[ABS_INTENSITY_CAL]") + space() + floatText();
        for (const char *row : {"[XCAL]", "[YCAL]", "[ZCAL]"})
            r += space() + tag(row) + space() + floatText() + space() + floatText() + space() + floatText();
        r += space() + tag("[BASCAL_INDEX]") + space() + indexText();
        // Now and then a placeholder, kept by the reader and dropped by the merge.
        return chance(5) ? ::record("empty", 1, 0) : chance(90) ? r + (chance(20) ? "\r\n" : "\n") : r;
    }
    QByteArray file()
    {
        QByteArray text;
        for (int i = pick(5); i > 0; --i)
            text += record();
        for (int edits = chance(35) ? 1 + pick(3) : 0; edits > 0; --edits)
            text.insert(pick(text.size() + 1), " \t\n\rx0.-+e[]\xC3\f\v5"[pick(16)]).remove(pick(text.size()), pick(2));
        return chance(30) ? text.left(pick(text.size() + 1)) : text;
    }
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
        CatalogueGenerator generator;
        int records = 0, malformed = 0, merged = 0, nonFinite = 0;
        for (int i = 0; i < 30000; ++i) {
            const QByteArray text = generator.file();
            QList<QByteArray> names;
            const CalibrationFileContents expected = scannedWithTheCLibrary(text, names), actual = read(text);
            const QByteArray context = "input " + QByteArray::number(i) + ": " + text.toPercentEncoding(" []#.+-");
            QVERIFY2(actual.result == expected.result && actual.malformedOffset == expected.malformedOffset
                         && actual.cutNames == expected.cutNames && actual.wholeNames == expected.wholeNames
                         && actual.nonFiniteNames == expected.nonFiniteNames
                         && std::equal(actual.blocks.begin(), actual.blocks.end(), expected.blocks.begin(), expected.blocks.end(),
                                       [](const CalibrationBlock &a, const CalibrationBlock &b) { return !std::memcmp(&a, &b, 64); }),
                     context.constData());
            CalibrationList held; // nothing, or the file's first calibration
            if (i % 3 && !actual.blocks.empty())
                held.append(CalibrationRecord(actual.blocks[0]));
            const QByteArrayList m = merge(actual, i & 1, i & 2, held);
            QVERIFY2(m == mergedPlainly(expected, names, i & 1, i & 2, held), context.constData());
            records += int(expected.blocks.size()), malformed += expected.result, merged += m[0].count('\n');
            nonFinite += int(expected.nonFiniteNames.size());
        }
        // The generator must exercise every outcome, or the comparison proves little.
        QVERIFY2(records > 8000 && merged > 4000 && malformed > 5000 && malformed < 25000 && nonFinite > 500,
                 qPrintable(QString("%1 records, %2 merged, %3 malformed, %4 non-finite").arg(records).arg(merged).arg(malformed).arg(nonFinite)));
    }

    // Tags the generator cannot make: one with a zero byte in it, and one beyond any buffer.
    // Only a malformed record has an offset.
    void malformedTagsStopTheReading()
    {
        for (const QByteArray &tag : {QByteArray("[YCAL]\0x", 8), QByteArray(1 << 20, 'X')})
            QCOMPARE(read(record("First") + record("Bad").replace("[YCAL]", tag)).malformedOffset, std::size_t(record("First").size()));
    }

    // The name that enters the catalogue: cut to 19 bytes on a character boundary, with
    // the version suffixes looked for on the whole name first and the model families kept.
    void namesEnterTheCatalogue_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("models");
        QTest::addColumn<QByteArray>("entered"); // empty: dropped
        QTest::addColumn<float>("intensity"); // with the identity matrix and base index 3
        const char *const rows[][5] = {{"19 bytes fit", "aaaaaaaaaaaaaaaaaaa", "", "aaaaaaaaaaaaaaaaaaa"},
            {"2-byte character across", "cccccccccccccccccc\xC3\xA9", "", "cccccccccccccccccc"},
            {"3-byte character across", "ddddddddddddddddd\xE2\x82\xAC", "", "ddddddddddddddddd"},
            {"character ending at 19", "eeeeeeeeeeeeeeeee\xC3\xA9!", "", "eeeeeeeeeeeeeeeee\xC3\xA9"},
            {"V1.0, no RGBBLU", "Lamp V1.0", "GBRLED", ""}, {"V1.1, GBRLED", "Lamp V1.1", "GBRLED", "Lamp"},
            {"suffixes inside and at the end", "A V1.0 B V1.1", "RGBBLU GBRLED", "A B"},
            {"long V1.1 name, no GBRLED", "ProjectorStudioXL V1.1", "RGBBLU", ""},
            {"long V1.1 name, GBRLED", "ProjectorStudioXL V1.1", "GBRLED", "ProjectorStudioXL"},
            {"long V1.0 name cut after removal", "ProjectorStudioXL200 V1.0", "RGBBLU", "ProjectorStudioXL20"},
            {"long name outside a family is cut", "ProjectorStudioXL V1.1 B", "", "ProjectorStudioXL V"},
            {"neutral numbers, base index 3", "Neutral", "", "Neutral", "1"}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QByteArray(r[1]) << QByteArray(r[2]) << QByteArray(r[3]) << (r[4] ? 1.0f : 1.5f);
        QTest::newRow("a megabyte") << QByteArray(1 << 20, 'f') << QByteArray() << QByteArray(19, 'f') << 1.5f;
    }
    void namesEnterTheCatalogue()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, models);
        QFETCH(QByteArray, entered);
        QFETCH(float, intensity);
        const QByteArrayList m = merge(read(record(name, intensity)), models.contains("RGBBLU"), models.contains("GBRLED"));
        QCOMPARE(QByteArray(m[0].constData()), entered); // the name, up to its zero
    }
};

QTEST_GUILESS_MAIN(TestCalibrationFile)
#include "tst_calibrationfile.moc"
