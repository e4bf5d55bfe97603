#include "jet/pages/TextCodec.h"

#include "jet/Format.h"

#include <algorithm>

namespace jet {

namespace {

// Writes through a raw pointer: appending byte by byte to a string dominated reading whole tables.
char* appendUtf8(char* out, char32_t c) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// UTF-16 units in, UTF-8 out: a high surrogate waits for its partner; a lone one becomes U+FFFD.
class Utf8Writer {
public:
    explicit Utf8Writer(char* out) : m_out(out) {}
    void unit(char16_t u) {
        if (m_high) {
            if (u >= 0xDC00 && u < 0xE000) {
                m_out = appendUtf8(m_out, 0x10000 + ((char32_t{m_high} - 0xD800) << 10) + (u - 0xDC00));
                m_high = 0;
                return;
            }
            m_out = appendUtf8(m_out, 0xFFFD);
            m_high = 0;
        }
        if (u >= 0xD800 && u < 0xDC00)
            m_high = u;
        else
            m_out = appendUtf8(m_out, u >= 0xDC00 && u < 0xE000 ? char32_t{0xFFFD} : char32_t{u});
    }
    char* finish() {
        if (m_high) m_out = appendUtf8(m_out, 0xFFFD);
        m_high = 0;
        return m_out;
    }

private:
    char* m_out;
    char16_t m_high = 0;
};

bool isCompressed(ByteView stored) {
    return stored.size() >= 2 && stored[0] == format::kCompressedMarker[0] &&
           stored[1] == format::kCompressedMarker[1];
}

} // namespace

char* TextCodec::decodeTo(ByteView stored, char* out) {
    Utf8Writer writer(out);
    if (!isCompressed(stored)) {
        for (std::size_t i = 0; i + 1 < stored.size(); i += 2)
            writer.unit(static_cast<char16_t>(get16(stored, i)));
        return writer.finish();
    }
    bool oneByte = true;
    std::size_t i = 2;
    while (i < stored.size()) {
        if (stored[i] == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            writer.unit(static_cast<char16_t>(stored[i]));
            ++i;
        } else if (i + 1 < stored.size()) {
            writer.unit(static_cast<char16_t>(get16(stored, i)));
            i += 2;
        } else {
            break; // a dangling half character carries no text
        }
    }
    return writer.finish();
}

std::string TextCodec::decode(ByteView stored) {
    std::string out(maxDecodedSize(stored), '\0');
    out.resize(static_cast<std::size_t>(decodeTo(stored, out.data()) - out.data()));
    return out;
}

std::string TextCodec::toUtf8(std::u16string_view text) {
    std::string out(text.size() * 3, '\0'); // a UTF-16 unit never takes more than 3 bytes
    Utf8Writer writer(out.data());
    for (char16_t u : text)
        writer.unit(u);
    out.resize(static_cast<std::size_t>(writer.finish() - out.data()));
    return out;
}

Result<std::u16string> TextCodec::fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t extra = lead < 0x80           ? 0
                                  : (lead >> 5) == 0x6  ? 1
                                  : (lead >> 4) == 0xE  ? 2
                                  : (lead >> 3) == 0x1E ? 3
                                                        : 9;
        if (extra == 9 || i + extra >= text.size()) return Status::invalid("text is not valid UTF-8");
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return Status::invalid("text is not valid UTF-8");
            c = (c << 6) | (next & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
            return Status::invalid("text is not valid UTF-8");
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += extra + 1;
    }
    return out;
}

Bytes TextCodec::encode(std::u16string_view text, bool compressible) {
    bool compress = compressible && text.size() > 2 && text.size() <= format::kMaxCompressedChars;
    for (std::size_t i = 0; compress && i < text.size(); ++i)
        compress = text[i] >= 0x01 && text[i] <= 0xFF;
    Bytes out;
    if (compress) {
        out.reserve(text.size() + 2);
        out.push_back(format::kCompressedMarker[0]);
        out.push_back(format::kCompressedMarker[1]);
        for (char16_t c : text)
            out.push_back(static_cast<std::uint8_t>(c));
        return out;
    }
    out.reserve(text.size() * 2 + 3);
    // Plain text starting with U+FEFF would read as the compression marker and lose characters;
    // the marker followed by a switch to two-byte mode stores it unambiguously, provided no
    // character has a zero low byte (that byte would switch modes again).
    const bool markerLike = !text.empty() && text.front() == u'\uFEFF';
    if (markerLike && std::none_of(text.begin(), text.end(), [](char16_t c) { return (c & 0xFF) == 0; })) {
        out.push_back(format::kCompressedMarker[0]);
        out.push_back(format::kCompressedMarker[1]);
        out.push_back(0x00);
    }
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

} // namespace jet
