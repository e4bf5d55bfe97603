#include "BankHandoff.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace qvtb {

namespace {

// qvtb-bank is looked up beside the running qvtb, never on PATH, so a build tree uses its own.
std::string bankToolPath() {
    std::string self(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= self.size()) return {};
    self.resize(static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/') + 1) + "qvtb-bank";
}

int handOff(const char* subcommand, std::span<char* const> args) {
    const std::string tool = bankToolPath();
    std::vector<char*> argv{const_cast<char*>(tool.c_str()), const_cast<char*>(subcommand)};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back(nullptr);
    if (!tool.empty()) execv(tool.c_str(), argv.data());
    std::cerr << "qvtb: " << subcommand << " needs qvtb-bank beside qvtb"
              << (tool.empty() ? std::string() : " (" + tool + ": " + std::strerror(errno) + ")") << '\n';
    return kExitFailed;
}

} // namespace

int handBuildToBankTool(std::span<char* const> args) {
    return handOff("build", args);
}

int handCheckToBankTool(std::span<char* const> args) {
    return handOff("check", args);
}

} // namespace qvtb
