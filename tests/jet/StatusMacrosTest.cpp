// The early returns engine code is written with: a failure leaves at once with its own Status, a
// value is taken over exactly as it was made.
#include "jet/Status.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

jet::Result<std::unique_ptr<std::string>> made(bool ok, int& calls) {
    ++calls;
    if (!ok) return jet::Status::corrupt("page 7 is not a data page");
    return std::make_unique<std::string>("row");
}

// Records how far it got, so a test sees whether the early return left before the rest.
jet::Result<std::size_t> lengthOf(bool ok, int& calls, bool& reachedEnd) {
    JET_ASSIGN_OR_RETURN(auto text, made(ok, calls));
    reachedEnd = true;
    return text->size();
}

jet::Status assignInto(bool ok, int& calls, std::unique_ptr<std::string>& target) {
    JET_ASSIGN_OR_RETURN(target, made(ok, calls));
    return {};
}

} // namespace

TEST(StatusMacros, AssignOrReturnLeavesWithTheFailureItself) {
    int calls = 0;
    bool reachedEnd = false;
    const auto failed = lengthOf(false, calls, reachedEnd);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.status().code(), jet::Code::Corrupt);
    EXPECT_EQ(failed.status().message(), "page 7 is not a data page");
    EXPECT_FALSE(reachedEnd);
    EXPECT_EQ(calls, 1);

    std::unique_ptr<std::string> target = std::make_unique<std::string>("kept");
    EXPECT_EQ(assignInto(false, calls, target).code(), jet::Code::Corrupt);
    EXPECT_EQ(*target, "kept"); // a failure leaves the target as it was
}

TEST(StatusMacros, AssignOrReturnTakesOverTheValueOnce) {
    int calls = 0;
    bool reachedEnd = false;
    const auto length = lengthOf(true, calls, reachedEnd);
    ASSERT_TRUE(length.ok());
    EXPECT_EQ(length.value(), 3u);
    EXPECT_TRUE(reachedEnd);
    EXPECT_EQ(calls, 1); // the expression runs once

    std::unique_ptr<std::string> target;
    ASSERT_TRUE(assignInto(true, calls, target).ok());
    ASSERT_NE(target, nullptr); // move-only values move in
    EXPECT_EQ(*target, "row");
    EXPECT_EQ(calls, 2);
}
