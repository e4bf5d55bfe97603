#include "jet/index/GeneralSortCodes.h"

#include <array>
#include <span>
#include <string_view>

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
// Access's own keys in the shared samples confirm every Latin-1 letter, Greek and Cyrillic
// letters and the accent codes they hold. Accent codes:
constexpr std::uint8_t kAcute = 0x0E, kGrave = 0x0F, kDot = 0x10, kMiddleDot = 0x11, kCircumflex = 0x12,
                       kDiaeresis = 0x13, kCaron = 0x14, kBreve = 0x15, kMacron = 0x17, kTilde = 0x19,
                       kRing = 0x1A, kOgonek = 0x1B, kCedilla = 0x1C, kDoubleAcute = 0x1D, kStroke = 0x1E,
                       kBar = 0x1F, kSlash = 0x21, kVariant = 0x03, kTonos = 0x05, kDialytikaTonos = 0x16;

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

// U+0386..U+03D6. Unassigned places and the ano teleia have no code.
constexpr std::array<Code, 81> kGreek = {{
    {0x790C, kTonos},
    {},
    {0x7910, kTonos},
    {0x7912, kTonos},
    {0x7914, kTonos},
    {}, // Ά · Έ Ή Ί
    {0x791A, kTonos},
    {},
    {0x791F, kTonos},
    {0x7923, kTonos},
    {0x7914, kDialytikaTonos}, // Ό Ύ Ώ ΐ
    {0x790C},
    {0x790D},
    {0x790E},
    {0x790F},
    {0x7910},
    {0x7911},
    {0x7912},
    {0x7913}, // Α..Θ
    {0x7914},
    {0x7915},
    {0x7916},
    {0x7917},
    {0x7918},
    {0x7919},
    {0x791A},
    {0x791B}, // Ι..Π
    {0x791C},
    {},
    {0x791D},
    {0x791E},
    {0x791F},
    {0x7920},
    {0x7921},
    {0x7922},
    {0x7923}, // Ρ Σ..Ω
    {0x7914, kDiaeresis},
    {0x791F, kDiaeresis},
    {0x790C, kTonos},
    {0x7910, kTonos}, // Ϊ Ϋ ά έ
    {0x7912, kTonos},
    {0x7914, kTonos},
    {0x791F, kDialytikaTonos}, // ή ί ΰ
    {0x790C},
    {0x790D},
    {0x790E},
    {0x790F},
    {0x7910},
    {0x7911},
    {0x7912},
    {0x7913}, // α..θ
    {0x7914},
    {0x7915},
    {0x7916},
    {0x7917},
    {0x7918},
    {0x7919},
    {0x791A},
    {0x791B}, // ι..π
    {0x791C},
    {0x791D},
    {0x791D},
    {0x791E},
    {0x791F},
    {0x7920},
    {0x7921},
    {0x7922}, // ρ ς σ..ψ
    {0x7923},
    {0x7914, kDiaeresis},
    {0x791F, kDiaeresis},
    {0x791A, kTonos}, // ω ϊ ϋ ό
    {0x791F, kTonos},
    {0x7923, kTonos},
    {},
    {0x790D, kVariant},
    {0x7913, kVariant}, // ύ ώ ϐ ϑ
    {0x791F, 0x1B},
    {0x791F, 0x44},
    {0x791F, kDiaeresis},
    {0x7920, kVariant}, // ϒ ϓ ϔ ϕ
    {0x791B, kVariant}, // ϖ
}};
// U+03F0..U+03F2: ϰ ϱ ϲ.
constexpr std::array<Code, 3> kGreekVariants = {{{0x7915, kVariant}, {0x791C, kVariant}, {0x791D, 0x04}}};

// U+0400..U+042F; the lower-case letters U+0430..U+045F share their codes.
constexpr std::array<Code, 48> kCyrillic = {{
    {},
    {0x7936, kDiaeresis},
    {0x7935},
    {0x7932, kAcute},
    {0x7937},
    {0x793A},
    {0x793C},
    {0x793D}, // Ѐ Ё Ђ Ѓ Є Ѕ І Ї
    {0x793F},
    {0x7942},
    {0x7945},
    {0x794B},
    {0x7940, kAcute},
    {},
    {0x794E},
    {0x7954}, // Ј Љ Њ Ћ Ќ Ѝ Ў Џ
    {0x792F},
    {0x7930},
    {0x7931},
    {0x7932},
    {0x7933},
    {0x7936},
    {0x7938},
    {0x7939}, // А..З
    {0x793B},
    {0x793E},
    {0x7940},
    {0x7941},
    {0x7943},
    {0x7944},
    {0x7946},
    {0x7947}, // И..П
    {0x7948},
    {0x7949},
    {0x794A},
    {0x794D},
    {0x7950},
    {0x7951},
    {0x7952},
    {0x7953}, // Р..Ч
    {0x7955},
    {0x7956},
    {0x7957},
    {0x7958},
    {0x7959},
    {0x795A},
    {0x795B},
    {0x795C}, // Ш..Я
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

// The letters beyond Latin-1 whose codes Access's own keys in the shared samples show (upper and
// lower case share a code). A wrong code would misorder the user's index, so the rest of the
// published table is not trusted until an Access-made key confirms it.
bool confirmedByAccess(char16_t c) {
    if (c < 0x100) return true;
    constexpr std::u16string_view kConfirmed = u"ΑΓΚΛΠΤΩαγκλπτωϰМИРмир";
    return kConfirmed.find(c) != std::u16string_view::npos;
}

} // namespace

std::optional<GeneralSortCode> GeneralSortCodes::of(char16_t c) {
    if (c >= 0x100 && !confirmedByAccess(c)) return std::nullopt;
    if (c < 0x80) return ascii(c);
    if (c == 0xFF) return kYDiaeresis;
    if (c >= 0xE0 && c < 0xFF) c = static_cast<char16_t>(c - 0x20); // case is not keyed
    if (c < 0x100) return lookUp(kLatin1, 0xC0, c);
    if (c >= 0x3F0 && c < 0x400) return lookUp(kGreekVariants, 0x3F0, c);
    if (c < 0x400) return lookUp(kGreek, 0x386, c);
    if (c >= 0x430 && c < 0x450) c = static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c < 0x460) c = static_cast<char16_t>(c - 0x50);
    return lookUp(kCyrillic, 0x400, c);
}

} // namespace jet
