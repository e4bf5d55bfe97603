#pragma once

// Shared by the engine tests: the Access-made test files, scratch copies, and the two
// independent readers (mdbtools' mdb-export and mdb-reader under node) as CSV.
#include "jet/Connection.h"
#include "jet/CsvExport.h"
#include "jet/IntegrityCheck.h"
#include "jet/Names.h"
#include "jet/Statement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace enginetest {

namespace fs = std::filesystem;

// A parameterized case's name from its parameter's `name`: letters and digits kept, all else '_'.
struct CaseName {
    template <typename Info> std::string operator()(const Info& info) const {
        std::string name = info.param.name;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    }
};

// Every Access-made file the tests read.
inline const std::vector<std::string> kAccessFiles = {
    "adox_jet4.mdb",         "delColTestV2003.mdb", "delTestV2003.mdb",
    "empty2003.mdb",         "indexTestV2003.mdb",  "mdbreader_V2003_with-password.mdb",
    "overflowTestV2003.mdb", "test2V2003.mdb",      "testUnicodeCompV2003.mdb",
    "testV2003.mdb"};

inline fs::path accessFile(const std::string& name) {
    const fs::path source = fs::path(VELMORA_JET_TEST_DATA) / name;
    return fs::exists(source) ? source : fs::path(VELMORA_JET_UNPACKED_DATA) / name;
}

// A directory of its own for one test, removed afterwards.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "jet-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // A writable copy of an Access-made test file.
    std::string copy(const std::string& name, const std::string& as = {}) const {
        const fs::path target = m_path / (as.empty() ? name : as);
        fs::copy_file(accessFile(name), target, fs::copy_options::overwrite_existing);
        fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
        return target.string();
    }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

inline std::string quote(const std::string& s) {
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct CommandResult {
    int exitCode = -1;
    std::string output;
};

inline CommandResult run(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 65536> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A scratch copy of an Access-made test file, its bytes before the test, and a connection to it:
//     auto [dir, file, before, connection] = OpenedCopy("testV2003.mdb");
struct OpenedCopy {
    explicit OpenedCopy(const std::string& name)
        : file(dir.copy(name)), before(readFile(file)), connection(jet::Connection::open(file)) {}

    ScratchDir dir;
    std::string file;
    std::string before;
    jet::Result<jet::Connection> connection;
};

// overflowTestV2003.mdb's Table1 with a name for every row in data1: the three rows left without
// one take the name in their data3.
inline jet::Status nameEveryRow(jet::Connection& connection) {
    for (const std::string row : {"row3col3", "row5col2", "row6col2"})
        JET_TRY(connection.execute("update Table1 set data1='" + row + "'where data3='" + row + "'"));
    return {};
}

// A statement refused with `code`, its message holding `reason`.
inline void expectRefused(const jet::Status& status, jet::Code code, const std::string& reason) {
    EXPECT_EQ(status.code(), code) << status.message();
    EXPECT_NE(status.message().find(reason), std::string::npos) << status.message();
}

// Each statement refused by the parser as invalid, its message holding the reason beside it.
inline void expectRefusedStatements(const std::vector<std::pair<std::string, std::string>>& refused) {
    for (const auto& [text, reason] : refused) {
        auto parsed = jet::Statement::parse(text);
        ASSERT_FALSE(parsed.ok()) << text;
        EXPECT_EQ(parsed.status().code(), jet::Code::Invalid) << text;
        EXPECT_NE(parsed.status().message().find(reason), std::string::npos)
            << text << " -> " << parsed.status().message();
    }
}

// CSV records (a quoted cell may hold line breaks), header first, the rest sorted: the readers
// return rows in page order, the engine in slot order, which differ after relocation.
inline std::vector<std::string> records(const std::string& csv) {
    std::vector<std::string> out;
    std::string current;
    bool inQuotes = false;
    for (char c : csv) {
        if (c == '"') inQuotes = !inQuotes;
        if (c == '\n' && !inQuotes) {
            out.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) out.push_back(current);
    if (out.size() > 1) std::sort(out.begin() + 1, out.end());
    return out;
}

inline std::string engineCsv(const std::string& file, const std::string& table) {
    auto connection = jet::Connection::open(file);
    if (!connection.ok()) return "open failed: " + connection.status().message();
    std::string out;
    const jet::Status written = jet::CsvExport::write(
        connection.value(), "select * from " + jet::Names::bracketed(table), [&out](std::string_view piece) {
            out += piece;
            return jet::Status{};
        });
    return written.ok() ? out : "export failed: " + written.message();
}

inline CommandResult mdbtoolsCsv(const std::string& file, const std::string& table) {
    return run("mdb-export -D '%Y-%m-%d %H:%M:%S' -T '%Y-%m-%d %H:%M:%S' -b hex " + quote(file) + " " +
               quote(table) + " 2>&1");
}

inline std::vector<std::string> problems(const std::string& file) {
    auto result = jet::IntegrityCheck::run(file);
    if (!result.ok()) return {"check failed: " + result.status().message()};
    return result.value();
}

// Every table of a file as mdb-reader reads it, in one run of node (it takes a second to start).
inline std::map<std::string, std::string> mdbReaderTables(const std::string& file) {
    const auto result =
        run("node " + quote(std::string(VELMORA_ORACLE_DIR) + "/export.mjs") + " " + quote(file) + " 2>&1");
    std::map<std::string, std::string> tables;
    if (result.exitCode != 0) {
        tables["(error)"] = result.output;
        return tables;
    }
    std::string* current = nullptr;
    std::istringstream in(result.output);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("## ", 0) == 0)
            current = &tables[line.substr(3)];
        else if (current)
            *current += line + "\n";
    }
    return tables;
}

// The same table read by the engine and by mdb-reader (and mdbtools unless told not to).
inline void expectReadersAgree(const std::string& file, const std::string& table,
                               const std::map<std::string, std::string>& reader, bool withMdbtools = true) {
    const auto ours = records(engineCsv(file, table));
    const auto found = reader.find(table);
    ASSERT_NE(found, reader.end()) << "mdb-reader did not list " << table << " of " << file;
    EXPECT_EQ(ours, records(found->second)) << file << " " << table << " (mdb-reader)";
    if (!withMdbtools) return;
    const auto tools = mdbtoolsCsv(file, table);
    ASSERT_EQ(tools.exitCode, 0) << tools.output;
    EXPECT_EQ(ours, records(tools.output)) << file << " " << table << " (mdbtools)";
}

} // namespace enginetest
