// The little the programs read of the working file: the 30-byte title field,
// and the suggested file name made from it.
#pragma once

#include <string>
#include <string_view>

#include "Classes.h"
#include "Profile.h"

namespace savecopy {

// The field's bytes before its first NUL, or all of them.
std::string TitleText(std::string_view field);

// The suggested name by the profile's rule. No name ends in half of a
// double-byte character.
std::string SuggestedName(TitleRule rule, std::string_view titleText);

// Reads the field at the profile's offset (bytes past the end of the file
// count as NUL) and makes the suggested name.
std::string ReadSuggestedName(TFileStream& file, const Profile& profile);

}  // namespace savecopy
