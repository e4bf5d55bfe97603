#pragma once

// Usage-map rows for a new file: inline while the pages fit one bitmap window, else a reference
// map whose bitmap pages (type 5) are appended to the file.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/catalog/CreateImage.h"

#include <cstdint>
#include <vector>

namespace jet {

class CreateUsageMap {
public:
    // A map of exactly `pages` (any order, no duplicates needed).
    static Result<Bytes> row(CreateImage& image, const std::vector<std::uint32_t>& pages);

    // The global map: a set bit means free. Every page of the image is in use; the rest of the
    // window is marked free, as Jet marks the pages past the end of its files. The bitmap pages it
    // may append are in use too, so call it last and append nothing after it.
    static Result<Bytes> globalRow(CreateImage& image);
};

} // namespace jet
