#include "services/desktop/x11/x11_title_text.h"

#include <X11/Xutil.h>

#include <memory>

namespace tolm {
namespace {

struct TextListDeleter {
  void operator()(char** list) const { XFreeStringList(list); }
};

}  // namespace

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size() * 2);
  for (const char c : latin1.substr(0, latin1.find('\0'))) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {  // U+0080..U+00FF: two bytes, 110000xx 10xxxxxx
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

std::optional<std::string> CompoundTextToUtf8(Display* display, Atom compoundText, std::string_view bytes) {
  std::string copy(bytes);
  XTextProperty property{};
  property.value = reinterpret_cast<unsigned char*>(copy.data());
  property.encoding = compoundText;
  property.format = 8;
  property.nitems = copy.size();
  char** raw = nullptr;
  int count = 0;
  // A negative result is a failure; a positive one counts characters that
  // had no equivalent and were replaced, which still leaves a title.
  const int status = Xutf8TextPropertyToTextList(display, &property, &raw, &count);
  const std::unique_ptr<char*, TextListDeleter> list(raw);
  if (status < Success || !list) return std::nullopt;
  return count > 0 ? std::string(list.get()[0]) : std::string();
}

std::string TitleToUtf8(Atom type, std::string bytes, const TitleTypes& types,
                        const std::function<Display*()>& xlib) {
  if (type == types.string) return Latin1ToUtf8(bytes);
  if (type == types.compoundText && types.compoundText != None) {
    if (std::optional<std::string> text = CompoundTextToUtf8(xlib(), types.compoundText, bytes)) return *text;
  }
  return bytes;
}

}  // namespace tolm
