// Line reading over an in-memory text and the CR LF line writer shared by
// the lexers and parsers.
#pragma once

#include <string>
#include <string_view>

namespace tolm {

// Reads one line starting at pos and advances pos past its terminator.
// LF ends a line, CR LF ends a line, a CR followed by anything else stays in
// the line, and the end of the text ends the last line.
std::string_view StreamReadLine(std::string_view text, size_t& pos);

// Appends the text followed by CR LF.
void StreamWriteLine(std::string& stream, std::string_view text);

}  // namespace tolm
