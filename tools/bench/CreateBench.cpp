// Times writing a question bank the size of the program's (25 tables, 2,000 rows, Chinese texts of
// up to a few thousand characters) into a new file, and prints the figures.
#include "jet/DatabaseCreator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kTables = 25;
constexpr int kRows = 2000;
constexpr int kRuns = 7;

std::string chinese(int characters) {
    static const char* const kWords[] = {"借", "贷", "资", "产", "负", "债", "会", "计", "科", "目"};
    std::string out;
    for (int i = 0; i < characters; ++i)
        out += kWords[(i * 7 + characters) % 10];
    return out;
}

std::vector<jet::NewTable> bank() {
    std::vector<jet::NewTable> tables;
    for (int t = 0; t < kTables; ++t) {
        jet::NewTable table{"tm" + std::to_string(t + 1), {}, {}};
        for (const char* name : {"TX", "DA", "XXDA"})
            table.fields.push_back({name, jet::FieldType::Text, 50});
        for (const char* name : {"TM", "XXA", "XXB", "XXC", "XXD", "JX"})
            table.fields.push_back({name, jet::FieldType::Memo});
        table.fields.insert(table.fields.begin(), {"ID", jet::FieldType::Long});
        table.fields.push_back({"fen", jet::FieldType::Integer});
        for (int r = 0; r < kRows / kTables; ++r) {
            const int id = r + 1;
            table.rows.push_back({std::to_string(id), "单选题", "A", "", chinese(40 + id * 37 % 2500),
                                  chinese(12), chinese(20), chinese(8), chinese(30),
                                  chinese(100 + id * 53 % 1200), "0"});
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

} // namespace

int main() {
    const auto tables = bank();
    const std::string path = (std::filesystem::temp_directory_path() / "create-bench.mdb").string();
    std::vector<double> millis;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const jet::Status s = jet::DatabaseCreator::create(path, tables, {45000.0});
        const auto stop = std::chrono::steady_clock::now();
        if (!s.ok()) {
            std::fprintf(stderr, "create failed: %s\n", s.message().c_str());
            return 1;
        }
        millis.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::sort(millis.begin(), millis.end());
    const auto bytes = std::filesystem::file_size(path);
    std::filesystem::remove(path);
    std::printf("bank: %d tables, %d rows, file %.1f MB (%ju pages)\n", kTables, kRows, bytes / 1048576.0,
                static_cast<std::uintmax_t>(bytes / 4096));
    std::printf("create (with fsync), %d runs: min %.1f ms, median %.1f ms, max %.1f ms\n", kRuns,
                millis.front(), millis[millis.size() / 2], millis.back());
    std::printf("rows per second at the median: %.0f\n", kRows / (millis[millis.size() / 2] / 1000.0));
    return 0;
}
