#include "jet/pages/ValueText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>

namespace jet {

namespace {

using format::ColumnType;

char* copy(std::string_view text, char* out) {
    return std::copy(text.begin(), text.end(), out);
}

// As printf's "%.*g" writes it (to_chars is specified so), with Access's names for the rest.
char* writeFloat(double v, int digits, char* out) {
    if (std::isnan(v)) return copy("NaN", out);
    if (std::isinf(v)) return copy(v < 0 ? "-Infinity" : "Infinity", out);
    return std::to_chars(out, out + ValueText::kMaxFixedText, v, std::chars_format::general, digits).ptr;
}

char* twoDigits(unsigned v, char* out) {
    *out++ = static_cast<char>('0' + v / 10);
    *out++ = static_cast<char>('0' + v % 10);
    return out;
}

// Proleptic Gregorian date from days since 1970-01-01 (H. Hinnant's civil_from_days).
void civil(long long z, long long& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2 ? 1 : 0;
}

char* writeDate(double v, char* out) {
    if (!std::isfinite(v) || std::fabs(v) > 3e6) return writeFloat(v, 15, out);
    // The whole part counts days from 1899-12-30; the fraction is a time of day, forward even below zero.
    // Milliseconds first, then seconds: a time stored as hh:mm:ss.5 must not fall to the lower second.
    double days = std::trunc(v);
    long long seconds = (std::llround(std::fabs(v - days) * 86400000.0) + 500) / 1000;
    if (seconds >= 86400) {
        seconds -= 86400;
        days += v < 0 ? -1 : 1;
    }
    long long y = 0;
    unsigned m = 0;
    unsigned d = 0;
    civil(static_cast<long long>(days) - 25569, y, m, d);
    // As printf's "%04lld": four places, the sign counting as one.
    if (y < 0) *out++ = '-';
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, y < 0 ? -y : y).ptr;
    out = std::fill_n(out, std::max<std::ptrdiff_t>(0, (y < 0 ? 3 : 4) - (end - digits)), '0');
    out = std::copy(digits, end, out);
    *out++ = '-';
    out = twoDigits(m, out);
    *out++ = '-';
    out = twoDigits(d, out);
    *out++ = ' ';
    out = twoDigits(static_cast<unsigned>(seconds / 3600), out);
    *out++ = ':';
    out = twoDigits(static_cast<unsigned>(seconds / 60 % 60), out);
    *out++ = ':';
    return twoDigits(static_cast<unsigned>(seconds % 60), out);
}

std::string fixedPoint(bool negative, std::string digits, unsigned scale) {
    if (digits.size() <= scale) digits.insert(0, scale + 1 - digits.size(), '0');
    if (scale > 0) digits.insert(digits.size() - scale, ".");
    return negative ? "-" + digits : digits;
}

// Four decimals always: "-12.3400", "0.0001".
char* writeCurrency(std::int64_t v, char* out) {
    const bool negative = v < 0;
    const unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(v) : v;
    if (negative) *out++ = '-';
    char digits[32];
    char* end = std::to_chars(digits + 8, digits + sizeof digits, magnitude).ptr;
    char* begin = std::min(digits + 8, end - 5); // at least one digit before the point
    std::fill(begin, digits + 8, '0');
    out = std::copy(begin, end - 4, out);
    *out++ = '.';
    return std::copy(end - 4, end, out);
}

std::string formatNumeric(const Column& column, ByteView raw) {
    __extension__ using U128 = unsigned __int128;
    U128 magnitude = 0;
    for (int group = 0; group < 4; ++group)
        magnitude = (magnitude << 32) | get32(raw, 1 + 4 * static_cast<std::size_t>(group));
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return fixedPoint((raw[0] & 0x80) != 0, digits, column.scale);
}

char* writeGuid(ByteView raw, char* out) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    // Bytes in the order they are shown: the first three groups are stored little-endian.
    static constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    *out++ = '{';
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) *out++ = '-';
        const std::uint8_t b = raw[static_cast<std::size_t>(kOrder[i])];
        *out++ = kDigits[b >> 4];
        *out++ = kDigits[b & 0xF];
    }
    *out++ = '}';
    return out;
}

std::string hex(ByteView raw) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(raw.size() * 2);
    for (auto b : raw) {
        out += kDigits[b >> 4];
        out += kDigits[b & 0xF];
    }
    return out;
}

} // namespace

namespace {

// Bytes in the fixed part of a row, by column type; the other types are variable.
constexpr std::pair<ColumnType, std::size_t> kFixedSizes[] = {
    {ColumnType::Boolean, 1}, {ColumnType::Byte, 1},     {ColumnType::Integer, 2}, {ColumnType::Long, 4},
    {ColumnType::Single, 4},  {ColumnType::Currency, 8}, {ColumnType::Double, 8},  {ColumnType::DateTime, 8},
    {ColumnType::Guid, 16},   {ColumnType::Numeric, 17},
};

} // namespace

std::size_t ValueText::fixedSize(ColumnType type) {
    for (const auto& [column, size] : kFixedSizes)
        if (column == type) return size;
    return 0;
}

namespace {

// Accepts [-+]digits[.digits] and nothing else; returns the parts.
bool splitDecimal(std::string_view text, bool& negative, std::string_view& whole,
                  std::string_view& fraction) {
    negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const auto dot = text.find('.');
    whole = text.substr(0, dot);
    fraction = dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
    if (whole.empty() && fraction.empty()) return false;
    for (char c : whole)
        if (c < '0' || c > '9') return false;
    for (char c : fraction)
        if (c < '0' || c > '9') return false;
    return dot == std::string_view::npos || !fraction.empty() || !whole.empty();
}

Result<Bytes> parseWhole(const Column& column, std::string_view text, long long lo, long long hi) {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
    if (!splitDecimal(text, negative, whole, fraction) ||
        fraction.find_first_not_of('0') != std::string_view::npos || whole.empty())
        return Status::invalid("'" + std::string(text) + "' is not a whole number for column " + column.name);
    long long v = 0;
    const auto [end, ec] = std::from_chars(whole.data(), whole.data() + whole.size(), v);
    if (ec != std::errc{} || end != whole.data() + whole.size() || (negative ? -v : v) < lo ||
        (negative ? -v : v) > hi)
        return Status::invalid("'" + std::string(text) + "' is out of range for column " + column.name);
    v = negative ? -v : v;
    Bytes out(ValueText::fixedSize(column.type));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::uint8_t>(static_cast<unsigned long long>(v) >> (8 * i));
    return out;
}

Result<Bytes> parseCurrency(const Column& column, std::string_view text) {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
    if (!splitDecimal(text, negative, whole, fraction) || fraction.size() > 4)
        return Status::invalid("'" + std::string(text) + "' is not a currency amount for column " +
                               column.name);
    std::string digits(whole);
    digits.append(fraction);
    digits.append(4 - fraction.size(), '0');
    // Unsigned first: the most negative amount has no positive counterpart.
    unsigned long long magnitude = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    const unsigned long long limit = negative ? 1ull << 63 : (1ull << 63) - 1;
    if (ec != std::errc{} || end != digits.data() + digits.size() || magnitude > limit)
        return Status::invalid("'" + std::string(text) + "' is out of range for column " + column.name);
    Bytes out(8);
    put64(out, 0, negative ? 0ull - magnitude : magnitude);
    return out;
}

// [-+]digits[.digits][e[-+]digits], as export writes doubles ("1.5e-07"); no NaN or infinities.
bool floatForm(std::string_view text) {
    std::size_t at = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const auto digitsFrom = [&](std::size_t from) {
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        return at - from;
    };
    std::size_t mantissa = digitsFrom(at);
    if (at < text.size() && text[at] == '.') {
        ++at;
        mantissa += digitsFrom(at);
    }
    if (mantissa == 0) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
        if (digitsFrom(at) == 0) return false;
    }
    return at == text.size();
}

Result<Bytes> parseFloat(const Column& column, std::string_view text) {
    if (!floatForm(text))
        return Status::invalid("'" + std::string(text) + "' is not a number for column " + column.name);
    double v = 0;
    const auto [end, ec] =
        std::from_chars(text.data() + (text[0] == '+' ? 1 : 0), text.data() + text.size(), v);
    if (ec != std::errc{} || end != text.data() + text.size())
        return Status::invalid("'" + std::string(text) + "' is out of range for column " + column.name);
    Bytes out(ValueText::fixedSize(column.type));
    if (column.type == ColumnType::Single) {
        const auto f = static_cast<float>(v);
        if (!std::isfinite(f))
            return Status::invalid("'" + std::string(text) + "' is out of range for column " + column.name);
        std::memcpy(out.data(), &f, 4);
    } else {
        std::memcpy(out.data(), &v, 8);
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

char* ValueText::formatTo(const Column& column, ByteView raw, char* out) {
    if (raw.size() < ValueText::fixedSize(column.type)) return nullptr;
    switch (column.type) {
    case ColumnType::Boolean:
        *out++ = raw[0] ? '1' : '0';
        return out;
    case ColumnType::Byte:
        return std::to_chars(out, out + kMaxFixedText, raw[0]).ptr;
    case ColumnType::Integer:
        return std::to_chars(out, out + kMaxFixedText, static_cast<std::int16_t>(get16(raw, 0))).ptr;
    case ColumnType::Long:
        return std::to_chars(out, out + kMaxFixedText, static_cast<std::int32_t>(get32(raw, 0))).ptr;
    case ColumnType::Currency:
        return writeCurrency(static_cast<std::int64_t>(get64(raw, 0)), out);
    case ColumnType::Single: {
        float f = 0;
        std::memcpy(&f, raw.data(), 4);
        return writeFloat(f, 7, out);
    }
    case ColumnType::Double:
    case ColumnType::DateTime: {
        double d = 0;
        std::memcpy(&d, raw.data(), 8);
        return column.type == ColumnType::Double ? writeFloat(d, 15, out) : writeDate(d, out);
    }
    case ColumnType::Guid:
        return writeGuid(raw, out);
    case ColumnType::Numeric:
        return copy(formatNumeric(column, raw), out);
    default:
        return nullptr;
    }
}

std::string ValueText::format(const Column& column, ByteView raw) {
    char text[kMaxFixedText];
    const char* end = formatTo(column, raw, text);
    return end ? std::string(static_cast<const char*>(text), end) : hex(raw);
}

// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}: the first three groups are stored little-endian.
Result<Bytes> ValueText::parseGuid(const Column& column, std::string_view text) {
    static constexpr std::string_view kShape = "{........-....-....-....-............}";
    bool shaped = text.size() == kShape.size();
    std::string digits;
    for (std::size_t i = 0; shaped && i < kShape.size(); ++i) {
        if (kShape[i] != '.')
            shaped = text[i] == kShape[i];
        else if (hexDigit(text[i]) < 0)
            shaped = false;
        else
            digits += text[i];
    }
    if (!shaped)
        return Status::invalid("'" + std::string(text) +
                               "' is not a GUID ({XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}) for column " +
                               column.name);
    Bytes big(16);
    for (std::size_t i = 0; i < 16; ++i)
        big[i] = static_cast<std::uint8_t>(hexDigit(digits[2 * i]) * 16 + hexDigit(digits[2 * i + 1]));
    Bytes out = big;
    std::reverse_copy(big.begin(), big.begin() + 4, out.begin());
    std::reverse_copy(big.begin() + 4, big.begin() + 6, out.begin() + 4);
    std::reverse_copy(big.begin() + 6, big.begin() + 8, out.begin() + 6);
    return out;
}

std::optional<long long> ValueText::wholeNumber(std::string_view text) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return v;
}

Result<Bytes> ValueText::parseNumber(const Column& column, std::string_view text) {
    switch (column.type) {
    case ColumnType::Byte:
        return parseWhole(column, text, 0, 255);
    case ColumnType::Integer:
        return parseWhole(column, text, -32768, 32767);
    case ColumnType::Long:
        return parseWhole(column, text, -2147483648LL, 2147483647LL);
    case ColumnType::Currency:
        return parseCurrency(column, text);
    case ColumnType::Single:
    case ColumnType::Double:
        return parseFloat(column, text);
    default:
        return Status::unsupported("column " + column.name + " does not take numbers written as text");
    }
}

} // namespace jet
