#include "jet/check/CheckProblems.h"

namespace jet {

Result<std::vector<std::string>> checkWhileReading(Pager& pager, std::uintmax_t size,
                                                   const std::function<std::vector<std::string>()>& check) {
    JET_TRY(pager.beginRead());
    std::vector<std::string> problems = check();
    pager.endRead();
    if (size % format::kPageSize != 0)
        problems.insert(problems.begin(),
                        "file length " + std::to_string(size) + " is not a whole number of pages");
    return problems;
}

} // namespace jet
