#pragma once

// Errors are values: every engine operation that can fail returns a Status or a Result. Both are
// [[nodiscard]]: a dropped Status is a swallowed error. Where ignoring one is right, say why beside
// an explicit (void).
#include <optional>
#include <string>
#include <utility>

namespace jet {

enum class Code {
    Ok,
    NotFound,    // no such table, column or row
    Invalid,     // a statement or value the engine refuses
    Corrupt,     // the file contradicts its own format
    Io,          // the operating system refused a read, write, sync or lock
    Busy,        // another process held the file's lock longer than the engine waits
    Unsupported, // a valid file feature this engine does not handle
    Failed,      // sticky state after a failed rollback: reopen the file
};

class [[nodiscard]] Status {
public:
    Status() = default;
    static Status okStatus() { return {}; }
    static Status notFound(std::string m) { return {Code::NotFound, std::move(m)}; }
    static Status invalid(std::string m) { return {Code::Invalid, std::move(m)}; }
    static Status corrupt(std::string m) { return {Code::Corrupt, std::move(m)}; }
    static Status io(std::string m) { return {Code::Io, std::move(m)}; }
    static Status unsupported(std::string m) { return {Code::Unsupported, std::move(m)}; }
    static Status busy(std::string m) { return {Code::Busy, std::move(m)}; }
    static Status failed(std::string m) { return {Code::Failed, std::move(m)}; }

    bool ok() const { return m_code == Code::Ok; }
    Code code() const { return m_code; }
    const std::string& message() const { return m_message; }

private:
    Status(Code code, std::string message) : m_code(code), m_message(std::move(message)) {}

    Code m_code = Code::Ok;
    std::string m_message;
};

// A value or the Status that explains why there is none.
template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status status) : m_status(std::move(status)) {
        if (m_status.ok()) m_status = Status::failed("internal: empty result without an error");
    }

    bool ok() const { return m_value.has_value(); }
    const Status& status() const { return m_status; }
    T& value() & { return *m_value; }
    const T& value() const& { return *m_value; }
    T value() && { return std::move(*m_value); } // by value: safe in range-for over a temporary
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }

private:
    std::optional<T> m_value;
    Status m_status;
};

} // namespace jet

// Returns from the enclosing function when an expression yields a failed Status.
#define JET_TRY(expr)                                                                                        \
    do {                                                                                                     \
        ::jet::Status jetTryStatus_ = (expr);                                                                \
        if (!jetTryStatus_.ok()) return jetTryStatus_;                                                       \
    } while (false)

// Declares `decl` from the value of a Result-yielding expression (or assigns it to a target such as
// `statement.table`), or returns its Status from the enclosing function (which returns a Status or
// any Result). The expression is evaluated once:
//     JET_ASSIGN_OR_RETURN(auto pages, UsageMap::pages(store, map));   // pages is the value itself
#define JET_ASSIGN_OR_RETURN(decl, ...)                                                                      \
    JET_ASSIGN_OR_RETURN_AT_(JET_CONCAT_(jetResult_, __LINE__), decl, __VA_ARGS__)
#define JET_ASSIGN_OR_RETURN_AT_(result, decl, ...)                                                          \
    auto result = (__VA_ARGS__);                                                                             \
    if (!result.ok()) return result.status();                                                                \
    decl = std::move(result).value()
#define JET_CONCAT_(a, b) JET_CONCAT_PASTE_(a, b)
#define JET_CONCAT_PASTE_(a, b) a##b
