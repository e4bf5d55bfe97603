// libFuzzer entry: mutated Access files through everything the program does with one.
#include "ReadMutatedFile.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/dev/shm/jet-fuzz-" + std::to_string(getpid()) + ".mdb";
    if (!enginetest::readMutatedFile(data, size, path)) std::abort(); // a failed update changed the file
    return 0;
}
