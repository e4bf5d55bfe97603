#pragma once

// Puts a created file on disk so that a crash leaves either no file or a complete one.
#include "jet/Status.h"
#include "jet/catalog/CreateImage.h"

#include <string>

namespace jet {

class CreateFileWriter {
public:
    // Writes to a temporary name in the same directory, flushes it, renames it over `path` and
    // flushes the directory. On failure the temporary file is removed and `path` is untouched.
    static Status write(const std::string& path, const CreateImage& image);
};

} // namespace jet
