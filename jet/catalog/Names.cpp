#include "jet/Names.h"

#include "jet/pages/TextCodec.h"

namespace jet {

namespace {

constexpr std::size_t kMaxNameLength = 64;

std::string shown(char16_t c) {
    if (c < 0x20) return "control character " + std::to_string(static_cast<unsigned>(c));
    return std::string("'") + static_cast<char>(c) + "'";
}

} // namespace

Status Names::check(std::string_view name, std::string_view what) {
    const std::string about = std::string(what) + " '" + std::string(name) + "'";
    auto units = TextCodec::fromUtf8(name);
    if (!units.ok()) return Status::invalid(std::string(what) + " is not valid UTF-8");
    if (units->empty()) return Status::invalid(std::string(what) + " is empty");
    if (units->size() > kMaxNameLength)
        return Status::invalid(about + " has " + std::to_string(units->size()) +
                               " characters; Access allows at most 64");
    if (units->front() == u' ')
        return Status::invalid(about + " starts with a blank, which Access does not allow");
    for (char16_t c : units.value())
        if (c < 0x20 || c == u'.' || c == u'!' || c == u'`' || c == u'[' || c == u']')
            return Status::invalid(about + " holds " + shown(c) + ", which Access does not allow in names");
    return {};
}

} // namespace jet
