#include "services/core/url_form.h"

namespace tolm {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsSchemeChar(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

}  // namespace

bool LooksLikeUrl(std::string_view text) {
  size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2 || !IsAsciiLetter(text[0])) return false;
  for (size_t i = 1; i < colon; ++i)
    if (!IsSchemeChar(text[i])) return false;
  return true;
}

}  // namespace tolm
