#include "Mbcs.h"

namespace mbcs {

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

namespace {

// Length of the character that starts at `pos`: 2 for a lead byte with its
// second byte present, 1 otherwise.
std::size_t CharLength(std::string_view text, std::size_t pos) {
  const bool lead = IsLeadByte(static_cast<unsigned char>(text[pos]));
  return (lead && pos + 1 < text.size()) ? 2 : 1;
}

}  // namespace

std::size_t LastDelimiter(std::string_view text, std::string_view delimiters) {
  std::size_t found = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    if (CharLength(text, pos) == 1 && delimiters.find(text[pos]) != std::string_view::npos) {
      found = pos;
    }
  }
  return found;
}

std::size_t FindChar(std::string_view text, char c, std::size_t from) {
  for (std::size_t pos = from; pos < text.size(); pos += CharLength(text, pos)) {
    if (CharLength(text, pos) == 1 && text[pos] == c) return pos;
  }
  return std::string_view::npos;
}

std::size_t LastCharStart(std::string_view text) {
  std::size_t last = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) last = pos;
  return last;
}

bool EndsInLoneLeadByte(std::string_view text) {
  const std::size_t last = LastCharStart(text);
  return last != std::string_view::npos && last + 1 == text.size() &&
         IsLeadByte(static_cast<unsigned char>(text[last]));
}

}  // namespace mbcs
