#pragma once

// The texts of a table's rows, shared between the engine's cache of the table and the row sets of
// its selects. Changing a row gives a new version sharing every untouched piece with the old, so a
// row set keeps what it selected while the cache moves on, at a cost that does not grow with the
// table. Whole numbers of the columns chosen at construction are indexed for find.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace jet {

using TextRow = std::vector<std::optional<std::string>>; // nullopt is NULL

class RowTexts {
public:
    RowTexts(std::vector<TextRow> rows, std::vector<std::size_t> numberedColumns);

    std::size_t size() const { return m_size; }
    const TextRow& operator[](std::size_t row) const { return *(*m_chunks[row / kChunk])[row % kChunk]; }
    // A version with `row` holding `texts`.
    RowTexts with(std::size_t row, TextRow texts) const;
    // The first row whose `column` reads as `number`, when that column is indexed; nullopt when it
    // is not (the caller looks itself).
    std::optional<std::optional<std::size_t>> firstWithNumber(std::size_t column, long long number) const;

private:
    using Numbers = std::unordered_map<long long, std::size_t>; // a number's first row
    using Chunk = std::vector<std::shared_ptr<const TextRow>>;
    static constexpr std::size_t kChunk = 64;

    std::shared_ptr<const Numbers> numbersOf(std::size_t column) const;

    std::vector<std::shared_ptr<const Chunk>> m_chunks;
    std::size_t m_size = 0;
    std::vector<std::pair<std::size_t, std::shared_ptr<const Numbers>>> m_numbers; // per indexed column
};

} // namespace jet
