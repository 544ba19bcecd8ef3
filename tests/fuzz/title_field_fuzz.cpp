// The title rules on any field bytes: the input is what a working file holds
// from the title field's offset on. Its first 30 bytes are the field; a
// shorter input is a file that ends inside the field, so the rest is NUL, and
// bytes after the field must never be taken. Both profiles must propose a name that holds no NUL,
// fits the field, never ends in half of a double-byte character, and so keeps the extension's dot a
// character of its own. The same bytes read from a working file must give the same name.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "Classes.h"
#include "FuzzSupport.h"
#include "PathRules.h"
#include "Profile.h"
#include "TitleField.h"

namespace {

using savecopy::Profile;
using savecopy::TitleFieldWidth;

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

void CheckName(const Profile& profile, std::string_view text, const std::string& name) {
  FUZZ_CHECK(name.find('\0') == std::string::npos);
  FUZZ_CHECK(!fuzz::EndsInHalfCharacter(name));
  // The proposed file name carries the extension as its own.
  FUZZ_CHECK(savecopy::ExtensionOf(name + std::string(profile.extension), "\\:") ==
             profile.extension);

  if (profile.titleRule == savecopy::TitleRule::Raw) {
    // The text as it stands, less a lead byte whose partner was cut off.
    FUZZ_CHECK(name.size() <= TitleFieldWidth);
    FUZZ_CHECK(name == text || (fuzz::EndsInHalfCharacter(text) && name.size() + 1 == text.size() &&
                                text.substr(0, name.size()) == name));
    return;
  }

  // Trimmed: a piece of the text between its first and last byte above 0x20,
  // one character shorter than that piece.
  FUZZ_CHECK(name.size() < TitleFieldWidth);
  const size_t first = [&] {
    size_t i = 0;
    while (i < text.size() && IsBlankOrControl(text[i])) ++i;
    return i;
  }();
  size_t end = text.size();
  while (end > first && IsBlankOrControl(text[end - 1])) --end;
  const std::string_view trimmed = text.substr(first, end - first);
  FUZZ_CHECK(trimmed.substr(0, name.size()) == name);
  if (trimmed.empty()) {
    FUZZ_CHECK(name.empty());
    return;
  }
  const size_t dropped = trimmed.size() - name.size();
  FUZZ_CHECK(dropped == 1 || dropped == 2);
  if (dropped == 2) {
    // Both bytes of a double-byte character went, and they were one.
    FUZZ_CHECK(fuzz::IsLead(static_cast<unsigned char>(trimmed[name.size()])));
    FUZZ_CHECK(!fuzz::SingleBytes(trimmed)[name.size()]);
  } else {
    FUZZ_CHECK(fuzz::SingleBytes(trimmed)[name.size()]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  char field[TitleFieldWidth] = {};
  if (size > 0) std::memcpy(field, data, size < sizeof field ? size : sizeof field);
  const std::string text = savecopy::TitleText(std::string_view(field, sizeof field));
  FUZZ_CHECK(text.size() <= TitleFieldWidth);
  FUZZ_CHECK(text.find('\0') == std::string::npos);
  FUZZ_CHECK(std::string_view(field, text.size()) == text);
  FUZZ_CHECK(text.size() == TitleFieldWidth || field[text.size()] == '\0');

  const std::string file = fuzz::PrivateFolder() + "temp";
  for (const Profile* profile : {&savecopy::ProfileX, &savecopy::ProfileP}) {
    const std::string name = savecopy::SuggestedName(profile->titleRule, text);
    CheckName(*profile, text, name);

    // A working file that ends where the input ends.
    std::string bytes(profile->titleOffset, 'z');
    bytes.append(reinterpret_cast<const char*>(data), size);
    fuzz::WriteBytes(file, bytes);
    TFileStream stream(file, fmOpenRead | fmShareExclusive);
    FUZZ_CHECK(savecopy::ReadSuggestedName(stream, *profile) == name);
  }
  return 0;
}
