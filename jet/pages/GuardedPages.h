#pragma once

// The pages as one update sees them: before the update changes a page of the file for the first
// time, the page is held to the rules the structure check applies to its kind, and a page that
// breaks them refuses the update, so that damage already in the file is not spread by writing on.
// Pages the update appends are its own and need no check.
#include "jet/catalog/TableDef.h"
#include "jet/file/PageStore.h"

#include <set>

namespace jet {

class GuardedPages final : public PageStore {
public:
    explicit GuardedPages(PageStore& store) : m_store(store) {}

    std::uint32_t pageCount() const override { return m_store.pageCount(); }
    Result<ConstPageSpan> read(std::uint32_t page) override { return m_store.read(page); }
    Result<ConstPageSpan> readPassing(std::uint32_t page, PageSpan buffer) override {
        return m_store.readPassing(page, buffer);
    }
    Result<PageSpan> modify(std::uint32_t page) override;
    Result<std::uint32_t> append() override;

    // What the update relies on beside the pages it writes: the definition's count of the `rows`
    // it holds, which the update keeps, and the free-space map a growing row takes its page from.
    Status checkTable(const TableDef& def, std::size_t rows);

private:
    Status check(std::uint32_t page);
    static Status refuse(const std::string& what, std::uint32_t page, const std::string& problem);

    PageStore& m_store;
    std::set<std::uint32_t> m_checked; // sound, or appended by this update
};

} // namespace jet
