#include "jet/index/GeneralSortCodes.h"

#include <array>
#include <span>

namespace jet {

namespace {

using Code = GeneralSortCode;

// Blanks sort before digits and letters and carry no accent (seen in an Access-made index).
constexpr std::uint16_t kBlank = 0x07;
// Digits run in steps of 2 from 0x36 ("Table1".."Table4" give 38, 3A, 3C, 3E).
constexpr std::uint16_t kDigitZero = 0x36;
// Codes of the letters a..z, upper and lower case alike. Read off the catalog indexes Jet and
// Access wrote for names such as "MSysRelationships"; 'z' from the all-characters row of the
// shared Unicode sample's text index.
constexpr std::array<std::uint8_t, 26> kLetters = {
    0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x57, 0x59, 0x5B, 0x5C, 0x5E, 0x60,
    0x62, 0x64, 0x66, 0x68, 0x69, 0x6B, 0x6D, 0x6F, 0x71, 0x73, 0x75, 0x76, 0x78,
};

// The codes beyond ASCII follow the General tables published with Jackcess (index_codes_genleg);
// Access's own keys in the shared samples confirm every Latin-1 letter and the accent codes they
// hold. Accent codes:
constexpr std::uint8_t kAcute = 0x0E, kGrave = 0x0F, kCircumflex = 0x12, kDiaeresis = 0x13, kTilde = 0x19,
                       kRing = 0x1A, kCedilla = 0x1C, kSlash = 0x21, kVariant = 0x03;

// U+00C0..U+00DF; the lower-case letters U+00E0..U+00FE share their codes. × has none.
constexpr std::array<Code, 32> kLatin1 = {{
    {0x4A, kGrave},      {0x4A, kAcute}, {0x4A, kCircumflex}, {0x4A, kTilde},      // À Á Â Ã
    {0x4A, kDiaeresis},  {0x4A, kRing},  {0x4A51, 0},         {0x4D, kCedilla},    // Ä Å Æ Ç
    {0x51, kGrave},      {0x51, kAcute}, {0x51, kCircumflex}, {0x51, kDiaeresis},  // È É Ê Ë
    {0x59, kGrave},      {0x59, kAcute}, {0x59, kCircumflex}, {0x59, kDiaeresis},  // Ì Í Î Ï
    {0x4F, 0x68},        {0x62, kTilde}, {0x64, kGrave},      {0x64, kAcute},      // Ð Ñ Ò Ó
    {0x64, kCircumflex}, {0x64, kTilde}, {0x64, kDiaeresis},  {},                  // Ô Õ Ö ×
    {0x64, kSlash},      {0x6F, kGrave}, {0x6F, kAcute},      {0x6F, kCircumflex}, // Ø Ù Ú Û
    {0x6F, kDiaeresis},  {0x76, kAcute}, {0x6D57, 0},         {0x6B6B, 0},         // Ü Ý Þ ß
}};
constexpr Code kYDiaeresis{0x76, kDiaeresis}; // ÿ

// The letters beyond Latin-1 whose codes Access's own keys in the shared samples show, upper and
// lower case alike. The published table holds the rest of Greek and Cyrillic, but a wrong code would
// misorder the user's index, so a letter is added here only once an Access-made key confirms it.
struct ConfirmedLetter {
    char16_t upper;
    char16_t lower;
    Code code;
};
constexpr std::array<ConfirmedLetter, 11> kConfirmed = {{
    {u'Α', u'α', {0x790C}},
    {u'Γ', u'γ', {0x790E}},
    {u'Κ', u'κ', {0x7915}},
    {u'Λ', u'λ', {0x7916}},
    {u'Π', u'π', {0x791B}},
    {u'Τ', u'τ', {0x791E}},
    {u'Ω', u'ω', {0x7923}},
    {u'ϰ', u'ϰ', {0x7915, kVariant}},
    {u'М', u'м', {0x7943}},
    {u'И', u'и', {0x793B}},
    {u'Р', u'р', {0x7948}},
}};

std::optional<Code> lookUp(std::span<const Code> table, char16_t first, char16_t c) {
    if (c < first || c - first >= static_cast<int>(table.size())) return std::nullopt;
    const Code& code = table[static_cast<std::size_t>(c - first)];
    if (code.base == 0) return std::nullopt;
    return code;
}

std::optional<Code> ascii(char16_t c) {
    if (c == u' ') return Code{kBlank};
    if (c >= u'0' && c <= u'9') return Code{static_cast<std::uint16_t>(kDigitZero + 2 * (c - u'0'))};
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c >= u'a' && c <= u'z') return Code{kLetters[static_cast<std::size_t>(c - u'a')]};
    return std::nullopt;
}

} // namespace

std::optional<GeneralSortCode> GeneralSortCodes::of(char16_t c) {
    if (c < 0x80) return ascii(c);
    if (c == 0xFF) return kYDiaeresis;
    if (c >= 0xE0 && c < 0xFF) c = static_cast<char16_t>(c - 0x20); // case is not keyed
    if (c < 0x100) return lookUp(kLatin1, 0xC0, c);
    for (const ConfirmedLetter& letter : kConfirmed)
        if (c == letter.upper || c == letter.lower) return letter.code;
    return std::nullopt;
}

} // namespace jet
