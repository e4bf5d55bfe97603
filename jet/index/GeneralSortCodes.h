#pragma once

// Character codes of Access's "General" sort order (LCID 1033, the Jet 4 default) as its text
// index keys hold them: a base code of one or two bytes, the same for upper and lower case, and
// for accented letters an accent code that the key lists after all the base codes.
#include <cstdint>
#include <optional>

namespace jet {

struct GeneralSortCode {
    std::uint16_t base = 0;  // one byte, or two with the first in the high byte
    std::uint8_t accent = 0; // 0: the letter carries no accent
};

class GeneralSortCodes {
public:
    // Blanks, ASCII letters and digits, the letters of Latin-1, and the Greek and Cyrillic letters
    // an Access-made key has shown. Anything else (other letters, punctuation, symbols, controls,
    // CJK) has no code here: a key built on an unconfirmed code could misorder the index.
    static std::optional<GeneralSortCode> of(char16_t c);
};

} // namespace jet
