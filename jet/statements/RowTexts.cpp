#include "jet/RowTexts.h"

#include "jet/pages/ValueText.h"

#include <algorithm>

namespace jet {

RowTexts::RowTexts(std::vector<TextRow> rows, std::vector<std::size_t> numberedColumns)
    : m_size(rows.size()) {
    for (std::size_t start = 0; start < rows.size(); start += kChunk) {
        auto chunk = std::make_shared<Chunk>();
        for (std::size_t r = start; r < std::min(rows.size(), start + kChunk); ++r)
            chunk->push_back(std::make_shared<const TextRow>(std::move(rows[r])));
        m_chunks.push_back(std::move(chunk));
    }
    for (std::size_t column : numberedColumns)
        m_numbers.emplace_back(column, numbersOf(column));
}

std::shared_ptr<const RowTexts::Numbers> RowTexts::numbersOf(std::size_t column) const {
    auto numbers = std::make_shared<Numbers>();
    for (std::size_t r = 0; r < m_size; ++r) {
        const auto& cell = (*this)[r].at(column);
        if (const auto number = cell ? ValueText::wholeNumber(*cell) : std::nullopt)
            numbers->emplace(*number, r); // the first row keeps its place
    }
    return numbers;
}

RowTexts RowTexts::with(std::size_t row, TextRow texts) const {
    RowTexts next = *this;
    auto chunk = std::make_shared<Chunk>(*m_chunks[row / kChunk]);
    const TextRow& before = *(*chunk)[row % kChunk];
    std::vector<std::size_t> renumber;
    for (const auto& [column, numbers] : m_numbers)
        if (before.at(column) != texts.at(column)) renumber.push_back(column);
    (*chunk)[row % kChunk] = std::make_shared<const TextRow>(std::move(texts));
    next.m_chunks[row / kChunk] = std::move(chunk);
    // A changed number may have been the first of its kind: counted again, which is rare.
    for (auto& [column, numbers] : next.m_numbers)
        if (std::find(renumber.begin(), renumber.end(), column) != renumber.end())
            numbers = next.numbersOf(column);
    return next;
}

std::optional<std::optional<std::size_t>> RowTexts::firstWithNumber(std::size_t column,
                                                                    long long number) const {
    for (const auto& [indexed, numbers] : m_numbers) {
        if (indexed != column) continue;
        const auto found = numbers->find(number);
        return found == numbers->end() ? std::optional<std::size_t>{}
                                       : std::optional<std::size_t>{found->second};
    }
    return std::nullopt;
}

} // namespace jet
