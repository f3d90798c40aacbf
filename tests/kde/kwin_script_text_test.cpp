// The window scripts KWin runs for us: the literal every outside text goes
// into, and one whole script, so a change to what KWin is asked shows here.
#include <gtest/gtest.h>

#include <string>

#include "services/desktop/kde/kwin_script_text.h"

namespace tolm {
namespace {

TEST(KWinScriptText, JsonQuoteEscapesEverythingButPrintableAscii) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"", "\"\""},
      {"{0d89ac7e-d036-4698-9bb5-6bd812fdb3eb}", "\"{0d89ac7e-d036-4698-9bb5-6bd812fdb3eb}\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"\");workspace.activeClient=null;(\"", "\"\\\");workspace.activeClient=null;(\\\"\""},
      {"line\nbreak\t\x01", "\"line\\u000abreak\\u0009\\u0001\""},
      {"</script>\x7f", "\"</script>\\u007f\""},
      {"Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC", "\"Gr\\u00fc\\u00dfe \\u20ac\""},
      {"\xE2\x80\xA8", "\"\\u2028\""},                       // a line end to JavaScript
      {"\xF0\x9F\x98\x80", "\"\\ud83d\\ude00\""},            // beyond U+FFFF: a surrogate pair
      {"a\xFF" "b\xC3", "\"a\\ufffdb\\ufffd\""},              // no UTF-8
      {"\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},          // an encoded surrogate is no UTF-8 either
  };
  for (const auto& c : cases) EXPECT_EQ(JsonQuote(c.in), c.out) << c.in;
}

TEST(KWinScriptText, TheActivateScriptNamesItsTargetOnlyAsALiteral) {
  const ScriptReturn back{"org.tolm.Tolm32.Pid42", "/org/tolm/Tolm32", "org.tolm.Tolm32.KWinScript", "Deliver",
                          "42-7"};
  EXPECT_EQ(WindowScriptText(WindowScript::kActivate, back, "{x\"}"),
            "(function () {\n"
            "  var ws = workspace;\n"
            "  var six = typeof ws.windowList === \"function\";\n"
            "  var list = six ? ws.windowList() : ws.clientList();\n"
            "  var target = \"{x\\\"}\";\n"
            "  var answer = \"0\";\n"
            "  for (var i = 0; i < list.length; ++i) {\n"
            "    var w = list[i];\n"
            "    if (String(w.internalId) !== target) continue;\n"
            "    if (w.minimized) w.minimized = false;\n"
            "    if (six) ws.activeWindow = w; else ws.activeClient = w;\n"
            "    answer = \"1\";\n"
            "    break;\n"
            "  }\n"
            "  callDBus(\"org.tolm.Tolm32.Pid42\", \"/org/tolm/Tolm32\", \"org.tolm.Tolm32.KWinScript\", "
            "\"Deliver\", \"42-7\", answer);\n"
            "})();\n");
}

TEST(KWinScriptText, EachScriptDoesItsOwnThingAndHandsItBack) {
  const ScriptReturn back{"n", "/p", "i", "m", "t"};
  const struct {
    WindowScript kind;
    const char* has;
  } cases[] = {
      {WindowScript::kList, "answer = JSON.stringify(answer);"},
      {WindowScript::kClose, "w.closeWindow();"},
      {WindowScript::kPid, "answer = String(w.pid | 0);"},
  };
  for (const auto& c : cases) {
    const std::string text = WindowScriptText(c.kind, back, "{id}");
    EXPECT_NE(text.find(c.has), std::string::npos) << text;
    EXPECT_NE(text.find("callDBus(\"n\", \"/p\", \"i\", \"m\", \"t\", answer);"), std::string::npos) << text;
    EXPECT_EQ(text.find("\"{id}\"") != std::string::npos, c.kind != WindowScript::kList) << text;
  }
}

}  // namespace
}  // namespace tolm
