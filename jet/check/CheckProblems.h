#pragma once

// What the file checks share: the pages they read, the problems they list, each a sentence naming
// where it was seen, and the run over a file under a read lock. A failed read is a problem too: the check
// goes on with what it can still read.
#include "jet/Status.h"
#include "jet/catalog/CatalogTables.h"
#include "jet/file/Pager.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace jet {

class ProblemList {
protected:
    explicit ProblemList(PageStore& store) : m_store(store) {}

    void problem(std::string text) { m_problems.push_back(std::move(text)); }

    // The value of `result`, or nothing once its failure is listed as a problem of `where`.
    template <class T> std::optional<T> checked(const std::string& where, Result<T> result) {
        if (result.ok()) return std::move(result).value();
        problem(where + ": " + result.status().message());
        return std::nullopt;
    }

    // Whether page 0 is a Jet 4 header; listed as a problem when not.
    bool headerIsSound() {
        const Status header = checkHeaderPage(m_store);
        if (!header.ok()) problem("header: " + header.message());
        return header.ok();
    }

    PageStore& m_store;
    std::vector<std::string> m_problems;
};

// `check` run on `pager` under a read lock; a file of `size` bytes that is not a whole number of
// pages is told first (its last page lost its end, which no page read may have reached).
Result<std::vector<std::string>> checkWhileReading(Pager& pager, std::uintmax_t size,
                                                   const std::function<std::vector<std::string>()>& check);

} // namespace jet
