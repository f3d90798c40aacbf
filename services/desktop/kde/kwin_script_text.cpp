#include "services/desktop/kde/kwin_script_text.h"

#include <array>

#include "services/core/utf8_codec.h"

namespace tolm {
namespace {

// \uXXXX for a UTF-16 unit, in lower-case hexadecimal.
void AppendEscape(std::string& out, unsigned unit) {
  constexpr const char* kHex = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

// The part every script shares: the workspace of either Plasma, and the
// function that hands the result back.
constexpr const char* kPrologue =
    "(function () {\n"
    "  var ws = workspace;\n"
    "  var six = typeof ws.windowList === \"function\";\n"
    "  var list = six ? ws.windowList() : ws.clientList();\n";

// What each script does with the window list; `target` is the id looked for
// and `answer` the text handed back.
struct ScriptBody {
  WindowScript kind;
  const char* code;
};
constexpr std::array<ScriptBody, 4> kBodies{{
    {WindowScript::kList,
     "  var answer = [];\n"
     "  for (var i = 0; i < list.length; ++i) {\n"
     "    var w = list[i];\n"
     // KWin marks a caption that repeats another with \" <2>\" and a
     // left-to-right mark; the window's own title is without it.
     "    var caption = String(w.caption).replace(/ <[0-9]+>\\u200e$/, \"\");\n"
     "    answer.push([String(w.internalId), caption, String(w.resourceClass), w.pid | 0,\n"
     "                 w.stackingOrder | 0, w.active === true]);\n"
     "  }\n"
     "  answer = JSON.stringify(answer);\n"},
    {WindowScript::kActivate,
     "  var answer = \"0\";\n"
     "  for (var i = 0; i < list.length; ++i) {\n"
     "    var w = list[i];\n"
     "    if (String(w.internalId) !== target) continue;\n"
     "    if (w.minimized) w.minimized = false;\n"
     "    if (six) ws.activeWindow = w; else ws.activeClient = w;\n"
     "    answer = \"1\";\n"
     "    break;\n"
     "  }\n"},
    {WindowScript::kClose,
     "  var answer = \"0\";\n"
     "  for (var i = 0; i < list.length; ++i) {\n"
     "    var w = list[i];\n"
     "    if (String(w.internalId) !== target) continue;\n"
     "    w.closeWindow();\n"
     "    answer = \"1\";\n"
     "    break;\n"
     "  }\n"},
    {WindowScript::kPid,
     "  var answer = \"0\";\n"
     "  for (var i = 0; i < list.length; ++i) {\n"
     "    var w = list[i];\n"
     "    if (String(w.internalId) === target) { answer = String(w.pid | 0); break; }\n"
     "  }\n"},
}};

}  // namespace

std::string JsonQuote(const std::string& utf8) {
  std::string out = "\"";
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t c = NextUtf8(utf8, pos);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (c < 0x10000) {
      AppendEscape(out, static_cast<unsigned>(c));
    } else {
      const char32_t v = c - 0x10000;
      AppendEscape(out, static_cast<unsigned>(0xD800 + (v >> 10)));
      AppendEscape(out, static_cast<unsigned>(0xDC00 + (v & 0x3FF)));
    }
  }
  return out + "\"";
}

std::string WindowScriptText(WindowScript kind, const ScriptReturn& back, const std::string& target) {
  std::string text = kPrologue;
  if (kind != WindowScript::kList) text += "  var target = " + JsonQuote(target) + ";\n";
  for (const ScriptBody& body : kBodies) {
    if (body.kind == kind) text += body.code;
  }
  text += "  callDBus(" + JsonQuote(back.busName) + ", " + JsonQuote(back.path) + ", " + JsonQuote(back.interface) +
          ", " + JsonQuote(back.member) + ", " + JsonQuote(back.token) + ", answer);\n";
  text += "})();\n";
  return text;
}

}  // namespace tolm
