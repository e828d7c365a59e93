// SPDX-License-Identifier: MIT
#include "calibrationfile.h"

#include <cfloat>
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

// A decimal without its exponent: sign, significant digits as an integer, and the
// power of ten that the point gives them.
struct Decimal
{
    bool negative = false;
    bool anyDigit = false;
    int digits = 0; // significant ones, leading zeros not counted
    int power = 0;
    std::uint64_t mantissa = 0; // exact while digits is at most 19
};

// Reads [sign] digits [. digits] from p on; returns where it stopped. Works on locals:
// d could alias the bytes for all the compiler knows.
const char *readDecimal(const char *p, const char *end, Decimal &d)
{
    const bool negative = p < end && *p == '-';
    p += p < end && (*p == '-' || *p == '+');
    const char *const from = p;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    bool dot = false;
    for (; p < end; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned('0');
        if (digit <= 9) {
            digits += mantissa != 0 || digit != 0;
            mantissa = mantissa * 10 + digit;
            fraction += dot;
        } else if (*p == '.' && !dot) {
            dot = true;
        } else {
            break;
        }
    }
    d.negative = negative;
    d.anyDigit = p - from > int(dot);
    d.digits = digits;
    d.power = -fraction;
    d.mantissa = mantissa;
    return p;
}

// The float the C library makes of a decimal, without the library, where that is
// sure: at most 15 significant digits and a power of ten up to 22 make the double
// product or quotient correctly rounded, and its rounding to float is the library's
// unless the double lies exactly halfway between two floats, or outside the normal
// floats. Everything else goes to the library.
bool exactFloat(const Decimal &d, float &out)
{
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (!d.anyDigit || d.digits > 15 || d.power < -22 || d.power > 22)
        return false;
    const double magnitude = d.power < 0 ? double(d.mantissa) / kPowers[-d.power] : double(d.mantissa) * kPowers[d.power];
    if (magnitude != 0 && (magnitude < double(FLT_MIN) || magnitude > double(FLT_MAX)))
        return false;
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    if ((bits & 0x1FFFFFFFu) == 0x10000000u) // halfway between two floats
        return false;
    const float value = static_cast<float>(magnitude);
    out = d.negative ? -value : value;
    return true;
}

// A decimal with an exponent, as the number scan collected it ("-1.5e-3", "1e+"),
// so known to be a complete number; hexadecimal and named values are not taken.
bool quickDecimal(std::string_view text, float &out)
{
    Decimal d;
    const char *const end = text.data() + text.size();
    const char *p = readDecimal(text.data(), end, d);
    if (p < end) { // an exponent, possibly without digits, which then does not count
        if (lower(*p) != 'e')
            return false;
        const bool negativeExponent = ++p < end && *p == '-';
        p += p < end && (*p == '-' || *p == '+');
        int exponent = 0;
        for (; p < end && isDigit(*p) && exponent < 1000; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (p < end)
            return false;
        d.power += negativeExponent ? -exponent : exponent;
    }
    return exactFloat(d, out);
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
        while (m_pos < m_size && isSpace(static_cast<unsigned char>(m_data[m_pos])))
            ++m_pos;
        m_endMet = m_endMet || m_pos == m_size;
    }

    // " %s": the run of non-white bytes after any white space.
    bool word(std::string_view &out)
    {
        skipSpace();
        const std::size_t start = m_pos;
        while (m_pos < m_size && !isSpace(static_cast<unsigned char>(m_data[m_pos])))
            ++m_pos;
        m_endMet = m_endMet || m_pos == m_size;
        out = since(start);
        return m_pos > start;
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
        if (plainDecimal(out))
            return true;
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

    // Digits with at most one point, after a sign if any, and then white space: the
    // general scan would take exactly these bytes, so they can be converted at once.
    bool plainDecimal(float &out)
    {
        Decimal d;
        const char *const end = m_data + m_size;
        const char *const stop = readDecimal(m_data + m_pos, end, d);
        if (stop == end || !isSpace(static_cast<unsigned char>(*stop)) || !exactFloat(d, out))
            return false;
        m_pos = static_cast<std::size_t>(stop - m_data);
        return true;
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
        if (quickDecimal(since(start), out))
            return true;
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

enum class Scan { Complete, NonFinite, CutShort, Malformed };

constexpr std::string_view kTags[6] = {"[CAL_NAME]", "[ABS_INTENSITY_CAL]", "[XCAL]",
                                       "[YCAL]", "[ZCAL]", "[BASCAL_INDEX]"};

// The name as calName holds it before the cut.
std::string_view wholeName(std::string_view name)
{
    // A complete record always has a LF after its name, so a CR here is that of a CR LF.
    if (!name.empty() && name.back() == '\r')
        name.remove_suffix(1);
    // calName is a C string: nothing after a zero byte could ever be read back.
    return name.substr(0, name.find('\0'));
}

Scan scanRecord(Scanner &in, CalibrationBlock &block, std::string_view &name)
{
    std::string_view tags[6];
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
    name = wholeName(name);
    return allFinite(block) ? Scan::Complete : Scan::NonFinite;
}

} // namespace

CalibrationFileContents readCalibrationFile(const char *data, std::size_t size)
{
    CalibrationFileContents contents;
    // A record takes at least 90 bytes (its six tags, 17 separators, 11 values and a
    // name); room for that many is only address space until the records fill it.
    contents.blocks.reserve(size / 90 + 1);
    Scanner in(data, size);
    for (;;) {
        in.skipSpace();
        const std::size_t recordStart = in.position();
        CalibrationBlock block {};
        std::string_view name;
        switch (scanRecord(in, block, name)) {
        case Scan::CutShort:
            return contents;
        case Scan::Malformed:
            contents.result = CalibrationFileContents::Malformed;
            contents.malformedOffset = recordStart;
            return contents;
        case Scan::NonFinite:
            contents.nonFiniteNames.emplace_back(name);
            continue;
        case Scan::Complete:
            break;
        }
        if (!storeCalibrationName(block, name.data(), name.size())) {
            contents.cutNames.push_back(contents.blocks.size());
            contents.wholeNames.emplace_back(name);
        }
        contents.blocks.push_back(block);
    }
}
