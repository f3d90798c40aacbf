// "Replace All" in the command file editor: the two texts of the dialog and
// their replacement in every line of the list.
#pragma once

#include <string>
#include <vector>

namespace tolm {

// The "Replace All" dialog (caption "Replace All"): String1 "String to
// replace:" and String2 "Replace with string".
struct ReplaceStrings {
  std::string String1;  // the text to find
  std::string String2;  // its replacement; empty deletes every occurrence
};

inline constexpr const char* kReplaceCaption = "Replace All";
inline constexpr const char* kReplaceFindLabel = "String to replace:";
inline constexpr const char* kReplaceWithLabel = "Replace with string";

// Replaces every occurrence of String1 in every line by String2 (ReplaceAll:
// the inserted text is never searched again; an empty String1 changes nothing).
void ReplaceInLines(std::vector<std::string>& lines, const ReplaceStrings& strings);

}  // namespace tolm
