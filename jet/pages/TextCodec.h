#pragma once

// Jet text: UCS-2LE, or "compressed" (FF FE, one byte per character, 00 toggles); UTF-8 outside.
#include "jet/Bytes.h"
#include "jet/Status.h"

#include <string>
#include <string_view>

namespace jet {

class TextCodec {
public:
    static std::string decode(ByteView stored);
    // Decodes into `out`, which has room for maxDecodedSize(stored) bytes; returns the end.
    static char* decodeTo(ByteView stored, char* out);
    // A stored byte becomes at most two UTF-8 bytes (one-byte characters up to U+00FF).
    static std::size_t maxDecodedSize(ByteView stored) { return 2 * stored.size(); }
    // UTF-8 to UTF-16; characters outside the BMP become surrogate pairs as Access stores them.
    static Result<std::u16string> fromUtf8(std::string_view text);
    static std::string toUtf8(std::u16string_view text);
    // Compressed only when the column allows it and every character fits one byte.
    static Bytes encode(std::u16string_view text, bool compressible);
};

} // namespace jet
