// What the two programs differ in, fixed when each is built.
#pragma once

#include <cstdint>
#include <string_view>

#include "Texts.h"

namespace savecopy {

enum class TitleRule {
  Trimmed,  // blanks and control bytes cut at both ends, then the last character
  Raw,      // the title text as it stands
};

struct Profile {
  std::string_view extension;    // dot included
  std::string_view workingFile;  // relative to the program folder, "\" between parts
  std::string_view settingsKey;
  std::uint32_t titleOffset;
  std::uint32_t titleWidth;
  TitleRule titleRule;
  std::string_view dialogFilter;
};

// Width of the title field in every profile.
inline constexpr std::uint32_t TitleFieldWidth = 30;

// stashx: .qvx working files.
inline constexpr Profile ProfileX{
    ".qvx", "qvfilex\\temp.qvx", "Name", 149, TitleFieldWidth, TitleRule::Trimmed, texts::FilterQvx};

// stashp: .qvp working files.
inline constexpr Profile ProfileP{
    ".qvp", "qvfilex\\temp.qvp", "PName", 106, TitleFieldWidth, TitleRule::Raw, texts::FilterQvp};

// Shared by both programs.
inline constexpr std::string_view WorkingFolderName = "qvfilex";
inline constexpr std::string_view SettingsFileName = "qv.ini";
inline constexpr std::string_view SettingsSection = "RWfolder";

static_assert(ProfileX.titleWidth == TitleFieldWidth && ProfileP.titleWidth == TitleFieldWidth);

}  // namespace savecopy
