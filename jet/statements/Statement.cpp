#include "jet/Statement.h"

#include "jet/NameCase.h"
#include "jet/Names.h"

#include <algorithm>

namespace jet {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    void blanks() {
        while (m_at < m_text.size() &&
               (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\r' || m_text[m_at] == '\n'))
            ++m_at;
    }
    bool atEnd() {
        blanks();
        return m_at == m_text.size();
    }
    // A keyword must not run on into a name ("selectx" is not "select").
    bool keyword(std::string_view word) {
        blanks();
        if (m_text.size() - m_at < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (NameCase::lower(m_text[m_at + i]) != word[i]) return false;
        if (m_at + word.size() < m_text.size() && nameChar(m_text[m_at + word.size()])) return false;
        m_at += word.size();
        return true;
    }
    bool symbol(char c) {
        blanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    // A name in brackets (any name Access allows), or bare: words of name characters with blanks
    // between them, ending before a keyword, so "from Order Details" needs no brackets.
    Result<std::string> name(std::string_view what) {
        blanks();
        const std::size_t start = m_at;
        std::string found;
        if (m_at < m_text.size() && m_text[m_at] == '[') {
            const std::size_t close = m_text.find(']', m_at + 1);
            if (close == std::string_view::npos)
                return Status::invalid(std::string(what) + " in brackets at position " +
                                       std::to_string(start + 1) + " has no closing ']'");
            found = m_text.substr(m_at + 1, close - m_at - 1);
            m_at = close + 1;
        } else {
            m_at = wordEnd(m_at);
            if (start == m_at)
                return Status::invalid("expected a " + std::string(what) + " at position " +
                                       std::to_string(start + 1));
            for (;;) {
                std::size_t next = m_at;
                while (next < m_text.size() && m_text[next] == ' ')
                    ++next;
                const std::size_t end = wordEnd(next);
                if (next == m_at || end == next || isKeyword(m_text.substr(next, end - next))) break;
                m_at = end;
            }
            found = m_text.substr(start, m_at - start);
        }
        JET_TRY(Names::check(found, what));
        return found;
    }
    Result<std::string> literal() {
        blanks();
        if (m_at >= m_text.size() || m_text[m_at] != '\'')
            return Status::invalid("expected a quoted value at position " + std::to_string(m_at + 1));
        const std::size_t start = m_at++;
        std::string value;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c != '\'') {
                value += c;
            } else if (m_at < m_text.size() && m_text[m_at] == '\'') {
                value += '\'';
                ++m_at;
            } else {
                return value;
            }
        }
        return Status::invalid("string literal starting at position " + std::to_string(start + 1) +
                               " is not terminated");
    }
    Status expect(std::string_view word) {
        if (keyword(word)) return {};
        return Status::invalid("expected '" + std::string(word) + "' at position " +
                               std::to_string(m_at + 1));
    }
    Status expectSymbol(char c) {
        if (symbol(c)) return {};
        return Status::invalid(std::string("expected '") + c + "' at position " + std::to_string(m_at + 1));
    }
    Status end() {
        if (atEnd()) return {};
        return Status::invalid("unexpected text at position " + std::to_string(m_at + 1) + ": '" +
                               std::string(m_text.substr(m_at, 20)) + "'");
    }

private:
    // Letters, digits, '_' and any non-ASCII byte, so names may be Chinese.
    static bool nameChar(char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_';
    }

    std::size_t wordEnd(std::size_t from) const {
        while (from < m_text.size() && nameChar(m_text[from]))
            ++from;
        return from;
    }
    static bool isKeyword(std::string_view word) {
        static constexpr std::string_view kKeywords[] = {"select", "update", "from", "set", "where", "sum"};
        for (std::string_view keyword : kKeywords)
            if (NameCase::same(word, keyword)) return true;
        return false;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

Result<Statement> select(Parser& p) {
    Statement s;
    if (p.symbol('*')) {
        s.kind = Statement::Kind::SelectAll;
    } else if (p.keyword("sum")) {
        s.kind = Statement::Kind::SelectSum;
        JET_TRY(p.expectSymbol('('));
        JET_ASSIGN_OR_RETURN(s.column, p.name("column name"));
        JET_TRY(p.expectSymbol(')'));
    } else {
        return Status::invalid("only 'select *' and 'select sum(column)' are supported");
    }
    JET_TRY(p.expect("from"));
    JET_ASSIGN_OR_RETURN(s.table, p.name("table name"));
    JET_TRY(p.end());
    return s;
}

Result<Statement> update(Parser& p) {
    Statement s;
    s.kind = Statement::Kind::Update;
    JET_ASSIGN_OR_RETURN(s.table, p.name("table name"));
    JET_TRY(p.expect("set"));
    JET_ASSIGN_OR_RETURN(s.column, p.name("column name"));
    JET_TRY(p.expectSymbol('='));
    JET_ASSIGN_OR_RETURN(s.value, p.literal());
    if (p.keyword("where")) {
        JET_ASSIGN_OR_RETURN(s.whereColumn, p.name("column name"));
        JET_TRY(p.expectSymbol('='));
        JET_ASSIGN_OR_RETURN(s.whereValue, p.literal());
    }
    JET_TRY(p.end());
    return s;
}

} // namespace

Result<Statement> Statement::parse(std::string_view text) {
    Parser p(text);
    if (p.keyword("select")) return select(p);
    if (p.keyword("update")) return update(p);
    return Status::invalid("unknown statement: only select and update are supported");
}

} // namespace jet
