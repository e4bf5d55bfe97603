#pragma once

// Access matches table and column names regardless of ASCII case ("Table1" is "TABLE1"); every
// other byte, Chinese included, must be the same.
#include <algorithm>
#include <string>
#include <string_view>

namespace jet::NameCase {

inline char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool same(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

inline std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), lower);
    return text;
}

} // namespace jet::NameCase
