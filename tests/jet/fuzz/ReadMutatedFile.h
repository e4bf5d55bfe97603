#pragma once

// Opens bytes as an Access file and does everything the program does with one: list tables,
// select and walk every row, export, sum, update, check. Damage must end in errors, never a crash, a
// hang, or a change to a file whose update failed. Returns false when that last rule broke.
#include <cstddef>
#include <cstdint>
#include <string>

namespace enginetest {

bool readMutatedFile(const std::uint8_t* data, std::size_t size, const std::string& scratchPath);

} // namespace enginetest
