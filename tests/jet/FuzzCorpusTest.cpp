// Every file kept in the fuzz corpus (seeds and any input that once crashed) goes through the
// same steps as the fuzz target, in every build.
#include "EngineTestSupport.h"
#include "fuzz/ReadMutatedFile.h"

using namespace enginetest;

namespace {

TEST(FuzzCorpus, EveryKeptInputEndsInErrorsOrResults) {
    ScratchDir dir;
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(VELMORA_JET_FUZZ_CORPUS))) {
        const std::string bytes = readFile(entry.path().string());
        EXPECT_TRUE(readMutatedFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                                    (dir.path() / "input.mdb").string()))
            << entry.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 1);
}

} // namespace
