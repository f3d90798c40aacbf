// The line-end rule of the input and the CR LF line writer shared by the
// lexers and parsers.
#pragma once

#include <string>
#include <string_view>

namespace tolm {

// Where the text of a line that starts at start ends, given the LF that ends
// it: before an odd last CR of the CRs in front of the LF, else at the LF.
// (Read byte by byte, a CR swallows the byte after it unless that is an LF,
// so of a run of CRs before the LF only an odd last one pairs with it.)
const char* LineTextEnd(const char* start, const char* lf);
inline char* LineTextEnd(char* start, char* lf) {
  return const_cast<char*>(LineTextEnd(static_cast<const char*>(start), static_cast<const char*>(lf)));
}

// Appends the text followed by CR LF.
void StreamWriteLine(std::string& stream, std::string_view text);

}  // namespace tolm
