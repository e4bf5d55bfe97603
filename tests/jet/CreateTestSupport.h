#pragma once

// Helpers for the tests of file creation: a file's pages in memory, a scratch directory, and the
// two independent readers (mdbtools and mdb-reader) run as child processes.
#include "jet/Format.h"
#include "jet/file/PageStore.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace jet::testing {

inline std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Read-only pages of a file, for the engine's decoders.
class MemoryPages final : public PageStore {
public:
    explicit MemoryPages(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    std::uint32_t pageCount() const override {
        return static_cast<std::uint32_t>(m_bytes.size() / format::kPageSize);
    }
    Result<ConstPageSpan> read(std::uint32_t page) override {
        if (page >= pageCount()) return Status::corrupt("page beyond the file");
        return ConstPageSpan(m_bytes.data() + page * format::kPageSize, format::kPageSize);
    }
    Result<PageSpan> modify(std::uint32_t) override { return Status::unsupported("read only"); }
    Result<std::uint32_t> append() override { return Status::unsupported("read only"); }

    ConstPageSpan page(std::uint32_t n) const {
        return ConstPageSpan(m_bytes.data() + n * format::kPageSize, format::kPageSize);
    }

private:
    std::vector<std::uint8_t> m_bytes;
};

class ScratchDir {
public:
    ScratchDir() {
        char name[] = "/tmp/jet-create-XXXXXX";
        m_path = ::mkdtemp(name);
    }
    ~ScratchDir() { std::filesystem::remove_all(m_path); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_path), {}));
    }

private:
    std::filesystem::path m_path;
};

// Standard output of a shell command, or nullopt when it fails.
inline std::optional<std::string> run(const std::string& command) {
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string out;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    return ::pclose(pipe) == 0 ? std::optional(out) : std::nullopt;
}

inline constexpr char kNullMark[] = "\x1d";
using TextTable = std::vector<std::vector<std::string>>;

// Splits "a\x1fb\x1e c\x1fd\x1e" into rows of cells.
inline TextTable splitRows(const std::string& text) {
    TextTable rows;
    std::vector<std::string> row;
    std::string cell;
    for (char c : text) {
        if (c == '\x1f' || c == '\x1e') {
            row.push_back(cell);
            cell.clear();
            if (c == '\x1e') {
                rows.push_back(row);
                row.clear();
            }
        } else {
            cell += c;
        }
    }
    return rows;
}

inline std::optional<TextTable> mdbExport(const std::string& file, const std::string& table) {
    auto out =
        run("mdb-export -H -Q -d '\x1f' -R '\x1e' -0 '\x1d' -D '%Y-%m-%d %H:%M:%S' -T '%Y-%m-%d %H:%M:%S' '" +
            file + "' '" + table + "'");
    return out ? std::optional(splitRows(*out)) : std::nullopt;
}

// Every user table through mdb-reader, read in one run of node.
inline std::optional<std::map<std::string, TextTable>> mdbReader(const std::string& file) {
    auto out = run("node '" VELMORA_ORACLE_DIR "/dump.mjs' '" + file + "' '*' --text");
    if (!out) return std::nullopt;
    std::map<std::string, TextTable> tables;
    for (std::size_t at = 0; at < out->size();) {
        const std::size_t nameEnd = out->find('\x1c', at);
        const std::size_t bodyEnd = out->find('\x1c', nameEnd + 1);
        if (nameEnd == std::string::npos || bodyEnd == std::string::npos) return std::nullopt;
        tables[out->substr(at, nameEnd - at)] = splitRows(out->substr(nameEnd + 1, bodyEnd - nameEnd - 1));
        at = bodyEnd + 1;
    }
    return tables;
}

// One table as both independent readers read it.
struct ReaderTables {
    TextTable mdbExport;
    TextTable mdbReader;
};

// Each of `tables` (new tables, by name) through mdb-export and mdb-reader; nullopt when either fails.
template <typename Tables>
std::optional<std::map<std::string, ReaderTables>> readBoth(const std::string& file, const Tables& tables) {
    auto read = mdbReader(file);
    if (!read) return std::nullopt;
    std::map<std::string, ReaderTables> out;
    for (const auto& table : tables) {
        auto exported = mdbExport(file, table.name);
        if (!exported) return std::nullopt;
        out[table.name] = {std::move(*exported), (*read)[table.name]};
    }
    return out;
}

// mdbtools reads a zero-length text as NULL.
inline std::string asMdbtoolsReads(const std::string& text) {
    return text.empty() ? kNullMark : text;
}

} // namespace jet::testing
