#include "jet/pages/CreateValue.h"

#include "jet/pages/TextCodec.h"
#include "jet/pages/ValueText.h"

#include <array>
#include <cstring>
#include <string>

namespace jet {

namespace {

using format::ColumnType;

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's days_from_civil).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

bool leapYear(long long y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

unsigned daysInMonth(long long y, unsigned m) {
    static constexpr std::array<unsigned, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : kDays[m - 1];
}

// Reads exactly `width` digits at `at`.
bool digits(std::string_view text, std::size_t at, std::size_t width, unsigned& value) {
    if (at + width > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return true;
}

Status badDate(std::string_view text) {
    return Status::invalid("'" + std::string(text) + "' is not a date (YYYY-MM-DD or YYYY-MM-DD HH:MM:SS)");
}

// Readers take a leading FF FE as the compression marker; stored text can start with U+FEFF only
// in compressed form, where a character whose low byte is zero would switch modes.
bool storable(std::u16string_view text) {
    if (text.empty() || text.front() != u'\uFEFF') return true;
    for (char16_t c : text)
        if ((c & 0xFF) == 0) return false;
    return true;
}

Result<Bytes> convertText(const Column& column, std::string_view text) {
    auto utf16 = TextCodec::fromUtf8(text);
    if (!utf16.ok()) return Status::invalid("column " + column.name + ": " + utf16.status().message());
    if (!storable(utf16.value()))
        return Status::invalid(
            "column " + column.name +
            ": a text that starts with U+FEFF and holds a character ending in a zero byte "
            "(such as U+4E00 or one beyond the BMP) reads back changed in every Access reader");
    if (column.type == ColumnType::Text && utf16.value().size() * 2 > column.length)
        return Status::invalid("column " + column.name + " holds at most " +
                               std::to_string(column.length / 2) + " characters, the value has " +
                               std::to_string(utf16.value().size()));
    return TextCodec::encode(utf16.value(), column.compressible());
}

Result<Bytes> convertYesNo(const Column& column, std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower == "1" || lower == "-1" || lower == "true" || lower == "yes") return Bytes{1};
    if (lower == "0" || lower == "false" || lower == "no") return Bytes{0};
    return Status::invalid("'" + std::string(text) + "' is not a Yes/No value for column " + column.name);
}

Result<Bytes> convertDate(const Column& column, std::string_view text) {
    auto days = CreateValue::parseDate(text);
    if (!days.ok()) return Status::invalid("column " + column.name + ": " + days.status().message());
    Bytes out(8);
    std::memcpy(out.data(), &days.value(), 8);
    return out;
}

} // namespace

Result<double> CreateValue::parseDate(std::string_view text) {
    unsigned year = 0;
    unsigned month = 0;
    unsigned day = 0;
    if (text.size() < 10 || !digits(text, 0, 4, year) || text[4] != '-' || !digits(text, 5, 2, month) ||
        text[7] != '-' || !digits(text, 8, 2, day))
        return badDate(text);
    // Access keeps dates from the year 100 to 9999.
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return badDate(text);
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
    if (text.size() > 10) {
        const bool withSeconds = text.size() == 19;
        if ((text.size() != 16 && !withSeconds) || text[10] != ' ' || !digits(text, 11, 2, hour) ||
            text[13] != ':' || !digits(text, 14, 2, minute) ||
            (withSeconds && (text[16] != ':' || !digits(text, 17, 2, second))))
            return badDate(text);
        if (hour > 23 || minute > 59 || second > 59) return badDate(text);
    }
    constexpr long long kAccessEpoch = -25569; // 1899-12-30 counted from 1970-01-01
    const long long dayNumber = daysFromCivil(year, month, day) - kAccessEpoch;
    const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return dayNumber < 0 ? static_cast<double>(dayNumber) - time : static_cast<double>(dayNumber) + time;
}

Result<Bytes> CreateValue::convert(const Column& column, std::string_view text) {
    switch (column.type) {
    case ColumnType::Text:
    case ColumnType::Memo:
        return convertText(column, text);
    case ColumnType::Boolean:
        return convertYesNo(column, text);
    case ColumnType::DateTime:
        return convertDate(column, text);
    case ColumnType::Guid:
        return ValueText::parseGuid(column, text);
    default:
        return ValueText::parseNumber(column, text);
    }
}

} // namespace jet
