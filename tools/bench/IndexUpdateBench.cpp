// Times durable updates of indexed columns on a table our creator makes (an indexed Long and an
// indexed Text column), after first growing the text index over several leaves and a node.
// Prints min, median and max per kind of update.
//   jet_index_update_bench [ROWS] [ROUNDS]
#include "jet/Connection.h"
#include "jet/DatabaseCreator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    std::printf("%-34s min %.3f ms   median %.3f ms   max %.3f ms   (%zu runs)\n", what, samples.front(),
                samples[samples.size() / 2], samples.back(), samples.size());
}

// Times one statement; exits on failure, since a failed update times nothing.
double timed(jet::Connection& connection, const std::string& statement) {
    const auto start = Clock::now();
    const jet::Status s = connection.execute(statement);
    const auto end = Clock::now();
    if (!s.ok()) {
        std::fprintf(stderr, "jet_index_update_bench: %s: %s\n", statement.c_str(), s.message().c_str());
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

std::string longText(int i) {
    return "key" + std::to_string(i) + " " + std::string(60, static_cast<char>('a' + i % 26));
}

} // namespace

int main(int argc, char** argv) {
    const int rows = argc > 1 ? std::atoi(argv[1]) : 300;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 300;
    const auto file = std::filesystem::temp_directory_path() / "jet_index_update_bench.mdb";
    jet::NewTable table{
        "t", {{"ID", jet::FieldType::Long, 255, true}, {"T", jet::FieldType::Text, 100, true}}, {}};
    for (int i = 0; i < rows; ++i)
        table.rows.push_back({std::to_string(i), "k" + std::to_string(i)});
    if (const jet::Status s = jet::DatabaseCreator::create(file.string(), {table}); !s.ok()) {
        std::fprintf(stderr, "jet_index_update_bench: %s\n", s.message().c_str());
        return 1;
    }
    auto connection = jet::Connection::open(file.string());
    if (!connection.ok()) {
        std::fprintf(stderr, "jet_index_update_bench: %s\n", connection.status().message().c_str());
        return 1;
    }
    for (int i = 0; i < rows; ++i)
        timed(connection.value(),
              "update t set T='" + longText(i) + "' where ID='" + std::to_string(i) + "'");
    std::vector<double> texts;
    std::vector<double> longs;
    for (int i = 0; i < rounds; ++i) {
        const int row = i * 37 % rows;
        const std::string text = longText(rows + i);
        texts.push_back(timed(connection.value(),
                              "update t set T='" + text + "' where ID='" + std::to_string(row) + "'"));
        longs.push_back(timed(connection.value(),
                              "update t set ID='" + std::to_string(-1 - i) + "' where T='" + text + "'"));
        timed(connection.value(), "update t set ID='" + std::to_string(row) + "' where T='" + text + "'");
    }
    report("indexed Text update + fsync", texts);
    report("indexed Long update + fsync", longs);
    std::filesystem::remove(file);
    std::filesystem::remove(file.string() + "-journal");
    return 0;
}
