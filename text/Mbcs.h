// Scanning Shift_JIS (code page 932) byte texts by characters.
//
// A byte from 0x81 to 0x9F or from 0xE0 to 0xFC opens a double-byte
// character, and the byte after it is that character's second byte, whatever
// its value. Which bytes are second bytes therefore follows only from reading
// a text from its start; a second byte (0x5C in 表 or ソ, say) is never taken
// for the single-byte character of the same value.
#pragma once

#include <cstddef>
#include <string_view>

namespace mbcs {

bool IsLeadByte(unsigned char byte);

// Position of the last single-byte character of `text` that is one of
// `delimiters`, or npos when there is none.
std::size_t LastDelimiter(std::string_view text, std::string_view delimiters);

// Position of the first single-byte character `c` at or after `from` (which
// must start a character), or npos.
std::size_t FindChar(std::string_view text, char c, std::size_t from = 0);

// Position of the first byte of the last character, or npos for an empty text.
// A lead byte at the very end, without its second byte, is a character alone.
std::size_t LastCharStart(std::string_view text);

// True when the text ends in a lead byte whose second byte is missing.
bool EndsInLoneLeadByte(std::string_view text);

}  // namespace mbcs
