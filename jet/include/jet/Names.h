#pragma once

// Table and column names as Access allows them: 1 to 64 characters, no leading blank, no control
// characters and none of . ! ` [ ]. Anything else goes, blanks and Chinese included.
#include "jet/Status.h"

#include <string>
#include <string_view>

namespace jet {

class Names {
public:
    // Why Access would refuse `name` (UTF-8) as a name; `what` says which ("table name").
    static Status check(std::string_view name, std::string_view what);
    // The name in brackets, as a statement takes any allowed name.
    static std::string bracketed(std::string_view name) { return "[" + std::string(name) + "]"; }
};

} // namespace jet
