// Window titles in UTF-8, whatever encoding their property was written in.
// _NET_WM_NAME is UTF8_STRING by definition, but a title held only in
// WM_NAME comes in the property's type: STRING is ISO Latin-1 (ICCCM), and
// COMPOUND_TEXT (written by older toolkits for text beyond Latin-1) switches
// between character sets with escape sequences.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tolm {

// Latin-1 bytes as UTF-8, up to the first NUL (which separates the texts of
// a text list; a title is the first).
std::string Latin1ToUtf8(std::string_view latin1);

// COMPOUND_TEXT as UTF-8 through Xlib's conversion (it decodes Latin,
// Cyrillic, CJK and the other standard sets also in the C locale tolm32
// runs in); the first text of the list. nullopt when Xlib cannot convert it.
std::optional<std::string> CompoundTextToUtf8(Display* display, Atom compoundText, std::string_view bytes);

// The atoms a title's type is told by, interned once per connection.
struct TitleTypes {
  Atom string = 0;        // STRING (31, predefined)
  Atom compoundText = 0;  // COMPOUND_TEXT
};

// The title as UTF-8 by its type: STRING and COMPOUND_TEXT are converted;
// UTF8_STRING and anything else, or text Xlib cannot convert, are passed on
// as they are. xlib is asked for a connection only for COMPOUND_TEXT.
std::string TitleToUtf8(Atom type, std::string bytes, const TitleTypes& types, const std::function<Display*()>& xlib);

}  // namespace tolm
