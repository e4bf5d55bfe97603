#pragma once

// The one result type above the engine. An operation that can fail returns an Outcome: the value,
// or the reason there is none as a sentence a window may show and a log may carry. Problem lists
// (what a checker finds) are values, not failures, and stay lists. The engine keeps its own
// jet::Status / jet::Result, which carry no Qt; they become an Outcome where they leave it.
#include <QString>

#include <optional>
#include <utility>

namespace common {

// The reason an operation failed; converts to any Outcome.
struct Failure {
    QString reason;
};

template <class T = void> class [[nodiscard]] Outcome {
public:
    Outcome(T value) : m_value(std::move(value)) {}
    Outcome(Failure failure) : m_reason(std::move(failure.reason)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const QString& reason() const { return m_reason; }
    T& value() & { return *m_value; }
    const T& value() const& { return *m_value; }
    T value() && { return std::move(*m_value); }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T& operator*() & { return *m_value; }
    const T& operator*() const& { return *m_value; }

private:
    std::optional<T> m_value;
    QString m_reason;
};

// Success that carries no value.
template <> class [[nodiscard]] Outcome<void> {
public:
    Outcome() = default;
    Outcome(Failure failure) : m_failed(true), m_reason(std::move(failure.reason)) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& reason() const { return m_reason; }

private:
    bool m_failed = false;
    QString m_reason;
};

} // namespace common

// Returns the failure from the enclosing function (which returns any Outcome) when `expr` failed.
#define OUTCOME_TRY(expr)                                                                                    \
    do {                                                                                                     \
        if (auto outcomeTry_ = (expr); !outcomeTry_.ok()) return ::common::Failure{outcomeTry_.reason()};    \
    } while (false)
