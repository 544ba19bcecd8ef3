#include "TitleField.h"

#include "Mbcs.h"

namespace savecopy {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view TrimBlanksAndControls(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string TitleText(std::string_view field) { return std::string(field.substr(0, field.find('\0'))); }

std::string SuggestedName(TitleRule rule, std::string_view titleText) {
  std::string_view name = titleText;
  if (rule == TitleRule::Trimmed) {
    name = TrimBlanksAndControls(name);
    // The last character goes, both bytes of a double-byte one.
    const size_t last = mbcs::LastCharStart(name);
    if (last != std::string_view::npos) name = name.substr(0, last);
  } else if (mbcs::EndsInLoneLeadByte(name)) {
    // Its second byte was cut off by a NUL or by the end of the field.
    name.remove_suffix(1);
  }
  return std::string(name);
}

std::string ReadSuggestedName(TFileStream& file, const Profile& profile) {
  char field[TitleFieldWidth] = {};
  file.Seek(profile.titleOffset);
  file.Read(field, sizeof field);
  return SuggestedName(profile.titleRule, TitleText(std::string_view(field, sizeof field)));
}

}  // namespace savecopy
