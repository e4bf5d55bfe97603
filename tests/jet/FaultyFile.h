#pragma once

// A real file that fails on demand: after N good writes (or syncs) the next `failures` ones
// return an I/O error, then it works again.
#include "jet/file/File.h"

#include <memory>

namespace enginetest {

struct Faults {
    int writesUntilFailure = -1; // -1: never
    int syncsUntilFailure = -1;
    int failures = 1;
    int writes = 0;
};

class FaultyFile final : public jet::File {
public:
    FaultyFile(std::unique_ptr<jet::File> inner, std::shared_ptr<Faults> faults)
        : m_inner(std::move(inner)), m_faults(std::move(faults)) {}

    jet::Status readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        return m_inner->readAt(offset, out);
    }
    jet::Status writeAt(std::uint64_t offset, jet::ByteView bytes) override {
        ++m_faults->writes;
        if (trip(m_faults->writesUntilFailure, m_faults->failures))
            return jet::Status::io("injected write failure");
        return m_inner->writeAt(offset, bytes);
    }
    jet::Result<std::uint64_t> size() override { return m_inner->size(); }
    jet::Status truncate(std::uint64_t size) override {
        if (trip(m_faults->writesUntilFailure, m_faults->failures))
            return jet::Status::io("injected truncate failure");
        return m_inner->truncate(size);
    }
    jet::Status sync() override {
        if (trip(m_faults->syncsUntilFailure, m_faults->failures))
            return jet::Status::io("injected sync failure");
        return m_inner->sync();
    }
    jet::Status lock(jet::LockMode mode) override { return m_inner->lock(mode); }
    bool writable() const override { return m_inner->writable(); }

private:
    static bool trip(int& countdown, int& failures) {
        if (countdown < 0) return false;
        if (countdown > 0) {
            --countdown;
            return false;
        }
        if (--failures <= 0) countdown = -1;
        return true;
    }

    std::unique_ptr<jet::File> m_inner;
    std::shared_ptr<Faults> m_faults;
};

} // namespace enginetest
