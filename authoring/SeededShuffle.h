#pragma once

#include <random>
#include <utility>
#include <vector>

namespace authoring {

// mt19937's output sequence is fixed by the C++ standard, unlike the standard distributions and
// std::shuffle, so a shuffle seeded alike comes out the same on every library.
inline void seededShuffle(std::vector<int>& items, std::mt19937& rng) {
    for (std::size_t i = items.size(); i > 1; --i)
        std::swap(items[i - 1], items[rng() % i]);
}

} // namespace authoring
