// qvtb's engine subcommands, run as the user runs them: output, exit code and the one-line reason.
#include "EngineTestSupport.h"

using namespace enginetest;

namespace {

const std::string kQvtb = quote(VELMORA_QVTB);

CommandResult qvtb(const std::string& args) {
    return run(kQvtb + " " + args + " 2>&1");
}
CommandResult qvtbErrors(const std::string& args) {
    return run(kQvtb + " " + args + " 2>&1 >/dev/null");
}

bool oneLineReason(const std::string& text) {
    return text.rfind("qvtb: ", 0) == 0 && text.find('\n') == text.size() - 1;
}

TEST(Qvtb, ListsAndExportsLikeMdbtools) {
    const std::string file = quote(accessFile("testV2003.mdb").string());
    const auto tables = qvtb("tables " + file);
    EXPECT_EQ(tables.exitCode, 0);
    EXPECT_EQ(tables.output, "Table1\nTable2\nTable3\nTable4\n");
    const auto ours = run(kQvtb + " export " + file + " Table1");
    ASSERT_EQ(ours.exitCode, 0);
    const auto theirs = mdbtoolsCsv(accessFile("testV2003.mdb").string(), "Table1");
    EXPECT_EQ(ours.output, theirs.output);
}

TEST(Qvtb, ExecUpdatesAndSums) {
    ScratchDir dir;
    const std::string file = quote(dir.copy("testV2003.mdb"));
    EXPECT_EQ(qvtb("exec " + file + " \"update Table1 set D='7'\"").exitCode, 0);
    const auto sum = qvtb("exec " + file + " \"select sum(D) from Table1\"");
    EXPECT_EQ(sum.exitCode, 0);
    EXPECT_EQ(sum.output, "14\n");
    EXPECT_EQ(qvtb("check --structure " + file).exitCode, 1); // Access's own stale counter in MSysACEs
}

TEST(Qvtb, EveryFailureExitsNonZeroWithOneLine) {
    ScratchDir dir;
    const std::string file = quote(dir.copy("overflowTestV2003.mdb"));
    const std::vector<std::string> failing = {
        "exec " + file + " \"delete from Table1\"",
        "exec " + file + " \"update Table1 set data3='open\"",
        "exec " + file + " \"update Nope set a='1'\"",
        "export " + file + " Nope",
        "tables " + quote((dir.path() / "missing.mdb").string()),
        "check --structure " + quote((dir.path() / "missing.mdb").string()),
    };
    for (const auto& args : failing) {
        const auto result = qvtbErrors(args);
        EXPECT_EQ(run(kQvtb + " " + args + " >/dev/null 2>&1").exitCode, 1) << args;
        EXPECT_TRUE(oneLineReason(result.output)) << args << " -> " << result.output;
    }
    EXPECT_EQ(qvtb("check --structure " + file).exitCode, 0);
}

TEST(Qvtb, WrongUsageShowsTheSubcommands) {
    const auto none = qvtb("");
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_NE(none.output.find("check --structure FILE"), std::string::npos);
    EXPECT_EQ(qvtb("frobnicate x").exitCode, 2);
    EXPECT_EQ(qvtb("export onlyonearg").exitCode, 2);
}

TEST(Qvtb, BankCommandsWithoutTheirPartnerFailWithOneLine) {
    ScratchDir dir;
    const auto lone = dir.path() / "qvtb";
    fs::copy_file(VELMORA_QVTB, lone);
    const auto result = run(quote(lone.string()) + " check " + quote(dir.copy("testV2003.mdb")) + " 2>&1");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(oneLineReason(result.output)) << result.output;
    EXPECT_NE(result.output.find("qvtb-bank"), std::string::npos) << result.output;
}

TEST(Qvtb, CheckReportsDamage) {
    ScratchDir dir;
    const std::string path = dir.copy("overflowTestV2003.mdb");
    fs::resize_file(path, 30 * 4096 + 17);
    const auto result = qvtb("check --structure " + quote(path));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("not a whole number of pages"), std::string::npos) << result.output;
}

} // namespace

// The bank's tables are keyed on ID: an update that would give every question one number is
// refused, and the bank is left as it was and sound.
TEST(Qvtb, TheBankRefusesAnUpdateThatRepeatsAQuestionNumber) {
    ScratchDir dir;
    const fs::path bank = dir.path() / "qvtb.mdb";
    fs::copy_file(VELMORA_BUILT_BANK, bank);
    fs::permissions(bank, fs::perms::owner_read | fs::perms::owner_write);
    const std::string file = quote(bank.string());
    const auto before = readFile(bank.string());
    for (const std::string table : {"danxuan", "tm14"}) {
        const auto refused = qvtbErrors("exec " + file + " \"update " + table + " set ID='1'\"");
        EXPECT_TRUE(oneLineReason(refused.output)) << refused.output;
        EXPECT_NE(refused.output.find("twice in unique"), std::string::npos) << refused.output;
    }
    EXPECT_EQ(readFile(bank.string()), before);
    EXPECT_EQ(qvtb("check --structure " + file).exitCode, 0);
}
