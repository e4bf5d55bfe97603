#pragma once

#include "common/Outcome.h"

#include <optional>

// An outcome as a test compares it: its value, or nullopt when it failed.
template <class T> std::optional<T> valueOf(const common::Outcome<T>& outcome) {
    return outcome ? std::optional<T>(*outcome) : std::nullopt;
}

// An outcome's reason, for a test to compare and print; empty when it succeeded.
template <class T> QString reasonOf(const common::Outcome<T>& outcome) {
    return outcome ? QString() : outcome.reason();
}
