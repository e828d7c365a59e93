#include "calibrationfile.h"

#include "calibrationrecord.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <locale.h>
#include <stdlib.h>
#include <string>
#include <string_view>

namespace {

constexpr int kEnd = -1;

bool isSpace(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r'); // blank, tab, LF, VT, FF, CR
}

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(int c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int lower(int c)
{
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// Catalogue files are written with a decimal point whatever language the user runs.
float toFloat(const char *text, char **end)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtof_l(text, end, cLocale);
}

// Walks the bytes the way the C library's formatted input walks a stream: one
// character at a time with one character of push-back, so that a failed
// conversion consumes what the library would consume, and with a sticky flag
// once a read has met the end, which is what decides between a record cut short
// and a malformed one.
class Scanner
{
public:
    Scanner(const char *data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t position() const { return m_pos; }
    bool endMet() const { return m_endMet; }

    void skipSpace()
    {
        int c;
        do
            c = get();
        while (isSpace(c));
        unget(c);
    }

    // " %s": the run of non-white bytes after any white space.
    bool word(std::string_view &out)
    {
        skipSpace();
        const std::size_t start = m_pos;
        int c = get();
        if (c == kEnd)
            return false;
        do
            c = get();
        while (c != kEnd && !isSpace(c));
        unget(c);
        out = since(start);
        return true;
    }

    // " %[^\n]": after any white space, line ends included, the rest of that line.
    bool line(std::string_view &out)
    {
        skipSpace();
        if (m_pos == m_size)
            return false; // the skip has met the end
        const std::size_t start = m_pos;
        const void *lineEnd = std::memchr(m_data + m_pos, '\n', m_size - m_pos);
        if (lineEnd) {
            m_pos = static_cast<std::size_t>(static_cast<const char *>(lineEnd) - m_data);
        } else {
            m_pos = m_size;
            m_endMet = true;
        }
        out = since(start);
        return true;
    }

    // " %f": collects what the library's float conversion collects, then converts
    // exactly those bytes; a conversion that uses none of them fails.
    bool number(float &out)
    {
        skipSpace();
        const std::size_t start = m_pos;
        int c = get();
        if (c == kEnd)
            return false;
        if (c == '+' || c == '-') {
            c = get();
            if (c == kEnd)
                return false;
        }
        if (lower(c) == 'n' || lower(c) == 'i')
            return namedValue(lower(c), start, out);

        bool hex = false;
        bool digit = false;
        std::size_t afterPrefix = 0;
        if (c == '0') {
            c = get();
            if (lower(c) == 'x') {
                hex = true;
                afterPrefix = m_pos;
                c = get();
            } else {
                digit = true;
            }
        }
        const int exponentMark = hex ? 'p' : 'e';
        bool dot = false;
        bool exponent = false;
        for (;; c = get()) {
            if (isDigit(c) || (hex && !exponent && isHexDigit(c))) {
                digit = true;
            } else if (exponent && (c == '+' || c == '-')
                       && lower(static_cast<unsigned char>(m_data[m_pos - 2])) == exponentMark) {
                // a sign only straight after the exponent mark
            } else if (digit && !exponent && lower(c) == exponentMark) {
                exponent = dot = true;
            } else if (!dot && c == '.') {
                dot = true;
            } else {
                unget(c);
                break;
            }
        }
        if (hex && m_pos == afterPrefix)
            return false;
        return convert(start, out);
    }

    bool numbers(float (&row)[3]) { return number(row[0]) && number(row[1]) && number(row[2]); }

    // " %d": the library reads a long, saturating on overflow, and keeps its low 32 bits.
    bool integer(std::int32_t &out)
    {
        skipSpace();
        int c = get();
        if (c == kEnd)
            return false;
        const bool negative = c == '-';
        if (c == '+' || c == '-')
            c = get();
        const std::uint64_t limit = std::uint64_t(INT64_MAX) + (negative ? 1 : 0);
        std::uint64_t magnitude = 0;
        bool anyDigit = false;
        for (; isDigit(c); c = get()) {
            anyDigit = true;
            const unsigned digit = static_cast<unsigned>(c - '0');
            magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
        }
        unget(c);
        if (!anyDigit)
            return false;
        const std::uint64_t bits = negative ? 0 - magnitude : magnitude;
        out = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        return true;
    }

private:
    int get()
    {
        if (m_pos < m_size)
            return static_cast<unsigned char>(m_data[m_pos++]);
        m_endMet = true;
        return kEnd;
    }

    void unget(int c)
    {
        if (c != kEnd)
            --m_pos;
    }

    // "nan", "inf" or "infinity" in any case, after a sign if any; first is the letter already read.
    bool namedValue(int first, std::size_t start, float &out)
    {
        if (first == 'n')
            return follows("an") && convert(start, out);
        if (!follows("nf"))
            return false;
        const int c = get();
        if (lower(c) == 'i') {
            if (!follows("nity"))
                return false;
        } else {
            unget(c);
        }
        return convert(start, out);
    }

    // The remaining letters of a named value, in any case.
    bool follows(const char *letters)
    {
        for (; *letters; ++letters) {
            if (lower(get()) != *letters)
                return false;
        }
        return true;
    }

    bool convert(std::size_t start, float &out)
    {
        m_number.assign(m_data + start, m_pos - start);
        char *end = nullptr;
        const float value = toFloat(m_number.c_str(), &end);
        if (end == m_number.c_str())
            return false;
        out = value;
        return true;
    }

    std::string_view since(std::size_t start) const { return {m_data + start, m_pos - start}; }

    const char *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_endMet = false;
    std::string m_number; // zero-terminated copy of one number for the conversion
};

enum class Scan { Complete, CutShort, Malformed };

constexpr std::string_view kTags[6] = {"[CAL_NAME]", "[ABS_INTENSITY_CAL]", "[XCAL]",
                                       "[YCAL]", "[ZCAL]", "[BASCAL_INDEX]"};

bool allFinite(const CalibrationBlock &b)
{
    const float *rows[] = {b.xCal, b.yCal, b.zCal};
    bool finite = std::isfinite(b.absIntensityCal);
    for (const float *row : rows)
        finite = finite && std::isfinite(row[0]) && std::isfinite(row[1]) && std::isfinite(row[2]);
    return finite;
}

// Returns false when the name had to be cut.
bool storeName(CalibrationBlock &block, std::string_view name)
{
    // A complete record always has a LF after its name, so a CR here is that of a CR LF.
    if (!name.empty() && name.back() == '\r')
        name.remove_suffix(1);
    // calName is a C string: nothing after a zero byte could ever be read back.
    name = name.substr(0, name.find('\0'));
    // One byte more than fits is enough for the cut to see that it has to cut.
    const std::size_t seen = std::min(name.size(), kCalNameSize);
    return setCalibrationName(block, QByteArray::fromRawData(name.data(), static_cast<int>(seen)));
}

Scan scanRecord(Scanner &in, CalibrationBlock &block, bool &nameCut)
{
    std::string_view tags[6];
    std::string_view name;
    const bool allItems = in.word(tags[0]) && in.line(name)
        && in.word(tags[1]) && in.number(block.absIntensityCal)
        && in.word(tags[2]) && in.numbers(block.xCal)
        && in.word(tags[3]) && in.numbers(block.yCal)
        && in.word(tags[4]) && in.numbers(block.zCal)
        && in.word(tags[5]) && in.integer(block.basCalIndex);
    if (!allItems)
        return in.endMet() ? Scan::CutShort : Scan::Malformed;
    for (int i = 0; i < 6; ++i) {
        if (tags[i] != kTags[i])
            return Scan::Malformed;
    }
    if (!allFinite(block))
        return Scan::Malformed;
    nameCut = !storeName(block, name);
    return Scan::Complete;
}

} // namespace

CalibrationFileContents readCalibrationFile(const char *data, std::size_t size)
{
    CalibrationFileContents contents;
    Scanner in(data, size);
    for (;;) {
        in.skipSpace();
        const std::size_t recordStart = in.position();
        CalibrationBlock block {};
        bool nameCut = false;
        switch (scanRecord(in, block, nameCut)) {
        case Scan::CutShort:
            return contents;
        case Scan::Malformed:
            contents.result = CalibrationFileContents::Malformed;
            contents.malformedOffset = recordStart;
            return contents;
        case Scan::Complete:
            break;
        }
        if (nameCut)
            contents.cutNames.push_back(contents.blocks.size());
        contents.blocks.push_back(block);
    }
}
