#include "jet/CsvExport.h"

#include "jet/catalog/Table.h"
#include "jet/longvalue/LongValue.h"
#include "jet/pages/TextCodec.h"
#include "jet/pages/ValueText.h"

#include <algorithm>
#include <vector>

namespace jet {

namespace {

using format::ColumnType;

constexpr std::size_t kPiece = 64 * 1024;

bool quoted(ColumnType type) {
    switch (type) {
    case ColumnType::Text:
    case ColumnType::Memo:
    case ColumnType::DateTime:
    case ColumnType::Binary:
    case ColumnType::Ole:
    case ColumnType::Guid:
        return true;
    default:
        return false;
    }
}

// Cells are formatted straight into the piece being filled; a piece is handed on when full.
class CsvWriter final : public RowVisitor {
public:
    explicit CsvWriter(const CsvExport::Sink& sink) : m_sink(sink), m_buffer(kPiece) {}

    Status start(const TableDef& def, PageStore& longValues) override {
        m_def = &def;
        m_longValues = &longValues;
        for (std::size_t i = 0; i < def.columns.size(); ++i) {
            if (i) JET_TRY(put(","));
            JET_TRY(put(def.columns[i].name));
        }
        return put("\n");
    }

    Status row(const RowViews& values) override {
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i) JET_TRY(put(","));
            if (values[i]) JET_TRY(cell(m_def->columns[i], *values[i]));
        }
        return put("\n");
    }

    Status finish() { return flush(); }

private:
    Status flush() {
        if (m_used == 0) return {};
        const Status s = m_sink(std::string_view(m_buffer.data(), m_used));
        m_used = 0;
        return s;
    }
    // Room for `bytes` more at the end of the piece; a value larger than a piece gets its own.
    Result<char*> room(std::size_t bytes) {
        if (m_used + bytes > m_buffer.size()) {
            JET_TRY(flush());
            if (bytes > m_buffer.size()) m_buffer.resize(bytes);
        }
        return m_buffer.data() + m_used;
    }
    Status put(std::string_view text) {
        JET_ASSIGN_OR_RETURN(auto at, room(text.size()));
        std::copy(text.begin(), text.end(), at);
        m_used += text.size();
        return {};
    }

    Status cell(const Column& column, ByteView raw) {
        switch (column.type) {
        case ColumnType::Text:
            return text(raw);
        case ColumnType::Memo: {
            if (auto inlined = LongValue::inlineBytes(raw)) return text(*inlined);
            JET_ASSIGN_OR_RETURN(auto value, LongValue::read(*m_longValues, raw));
            return text(value);
        }
        case ColumnType::Ole: {
            JET_ASSIGN_OR_RETURN(auto value, LongValue::read(*m_longValues, raw));
            return hex(value, true);
        }
        default:
            break;
        }
        JET_ASSIGN_OR_RETURN(auto at, room(ValueText::kMaxFixedText + 2));
        char* out = at;
        const bool quote = quoted(column.type);
        if (quote) *out++ = '"';
        char* end = ValueText::formatTo(column, raw, out);
        if (!end) return hex(raw, quote);
        if (quote) *end++ = '"';
        m_used = static_cast<std::size_t>(end - m_buffer.data());
        return {};
    }

    // Decoded in place, then each quote doubled; an empty text is written as nothing, like NULL.
    Status text(ByteView stored) {
        JET_ASSIGN_OR_RETURN(auto at, room(TextCodec::maxDecodedSize(stored) + 2));
        char* begin = at + 1;
        char* end = TextCodec::decodeTo(stored, begin);
        if (end == begin) return {};
        const auto quotes = std::count(begin, end, '"');
        if (quotes > 0) {
            // Every stored byte has room for two output bytes, a quote for its double.
            char* from = end;
            end += quotes;
            for (char* to = end; from != begin;) {
                *--to = *--from;
                if (*from == '"') *--to = '"';
            }
        }
        begin[-1] = '"';
        *end++ = '"';
        m_used = static_cast<std::size_t>(end - m_buffer.data());
        return {};
    }

    // Upper-case hex, as binary values and values of unknown types are written.
    Status hex(ByteView raw, bool quote) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        if (raw.empty()) return {};
        JET_ASSIGN_OR_RETURN(auto at, room(2 * raw.size() + 2));
        char* out = at;
        if (quote) *out++ = '"';
        for (auto b : raw) {
            *out++ = kDigits[b >> 4];
            *out++ = kDigits[b & 0xF];
        }
        if (quote) *out++ = '"';
        m_used = static_cast<std::size_t>(out - m_buffer.data());
        return {};
    }

    const CsvExport::Sink& m_sink;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    const TableDef* m_def = nullptr;
    PageStore* m_longValues = nullptr;
};

} // namespace

Status CsvExport::write(Connection& connection, std::string_view statement, const Sink& sink) {
    CsvWriter writer(sink);
    JET_TRY(connection.scan(statement, writer));
    return writer.finish();
}

} // namespace jet
