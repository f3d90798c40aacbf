#include "front/command_parser.h"

#include <gtest/gtest.h>

#include "front/recording_ui.h"
#include "services/core/errors.h"

namespace tolm {
namespace {

std::string Render(const CommandList& list);

// "/if" and "/do" records have a block ("/if" two), others none.
std::string Render(const CommandRecord& r) {
  std::string s = std::to_string(r.code) + "/" + std::to_string(r.kwIndex) + "[";
  for (size_t i = 0; i < r.args.size(); ++i) s.append(i ? "|" : "").append(r.args[i]);
  s += "]";
  if (!r.Options().empty()) {
    s += " opts";
    for (int32_t o : r.Options()) s += " " + std::to_string(o);
  }
  if (!r.condition.empty()) s.append(" cond(").append(r.condition).append(")");
  if (r.code == kCmdIf || r.code == kCmdDo) s += " {" + Render(r.block) + "}";
  if (r.code == kCmdIf) s += " else{" + Render(r.elseBlock) + "}";
  return s;
}

std::string Render(const CommandList& list) {
  std::string s;
  for (const CommandRecord& rec : list) s += (s.empty() ? "" : "; ") + Render(rec);
  return s;
}

struct Outcome {
  std::string records;  // rendered list, or "parse error"
  std::string dialog;   // the one dialog shown, empty if none
  size_t dialogs = 0;
};

Outcome ParseText(std::string_view text, const std::string& source = "t.tm") {
  testing::RecordingUi ui;
  Outcome o;
  try {
    o.records = Render(TTolmYacc().Parse(text, source)->Top());
  } catch (const EScriptError& e) {
    o.records = e.Message();
  }
  o.dialogs = ui.dialogs.size();
  if (!ui.dialogs.empty()) o.dialog = ui.dialogs.back();
  return o;
}

TEST(CommandParser, RecordsOfCorrectLines) {
  const struct {
    const char* text;
    const char* records;
  } cases[] = {
      {"", ""},
      {"notepad /min c:\\doc\\a.txt\n", "0/0[notepad|c:\\doc\\a.txt] opts 279"},
      {"notepad\n", "0/0[notepad]"},
      {"xcopy src dst /s\n", "0/0[xcopy|src|dst|/s]"},
      {"copy my-file x\n", "0/0[copy|my - file|x]"},
      {"/sleep 5\n", "271/21[/sleep|5]"},
      {"/activate /warn Untitled - Notepad\n", "258/1[/activate|Untitled - Notepad] opts 282"},
      {"/set Path=c:\\bin\n", "270/20[/set|Path|c:\\bin]"},
      {"/if env(X) eq \"a b\" {\nnotepad\n}\n", "264/10[/if] cond(env(X) EQ \"a b\") {0/0[notepad]} else{}"},
      {"/do {\nnotepad\n} /while errorlevel() ne 0\n", "261/4[/do] cond(errorlevel() NE 0) {0/0[notepad]}"},
      {"/do {\n}\n", "261/4[/do] cond(0) {}"},
      {"/if a {\n} /else {\n/plist\n}\n", "264/10[/if] cond(a) {} else{268/18[/plist]}"},
      {"@ f.tm one two\n", "257/30[@|f.tm|one|two]"},
      {"/edit\n", "262/5[/edit|]"},
      {"/pause \"Done\"\n", "267/17[/pause|\"Done\"]"},
      {"prog /w /w /h x\n", "0/0[prog|x] opts 281 281 276"},
      {"{ /waitall }", "272/24[/waitall]"},
      {"/wlist\n\n/plist\n", "275/29[/wlist]; 268/18[/plist]"},
      {"p a & b + c - d\n", "0/0[p|a & b + c - d]"},
      {"p f(x & y) g()\n", "0/0[p|f(x & y)|g()]"},
      {"/if a lt b + 1 {\n}\n", "264/10[/if] cond(a LT b + 1) {} else{}"},
      {"/kill /i /warn calc.exe\n", "265/12[/kill|calc.exe] opts 277 282"},
      {"/if a {\n/if b {\nx\n}\n}\n", "264/10[/if] cond(a) {264/10[/if] cond(b) {0/0[x]} else{}} else{}"},
  };
  for (const auto& c : cases) {
    Outcome o = ParseText(c.text);
    EXPECT_EQ(o.records, c.records) << c.text;
    EXPECT_EQ(o.dialogs, 0u) << c.text << o.dialog;
  }
}

// Absolute paths: where a word that begins with "/" was a syntax error, it
// is now read as a path. The records are those of the quoted forms, minus
// the quotes.
TEST(CommandParser, AbsolutePathsThatWereSyntaxErrors) {
  const struct {
    const char* text;
    const char* source;
    const char* records;
  } cases[] = {
      {"/cd /tmp\n", "t.tm", "259/2[/cd|/tmp]"},
      {"/cd /\n", "t.tm", "259/2[/cd|/]"},
      {"/cd/tmp\n", "t.tm", "259/2[/cd|/tmp]"},
      {"/edit /home/u/x.tm\n", "t.tm", "262/5[/edit|/home/u/x.tm]"},
      {"/activate /ignore /opt/my app - x\n", "t.tm", "258/1[/activate|/opt/my app - x] opts 277"},
      {"/cd /i /warn /tmp\n", "t.tm", "259/2[/cd|/tmp] opts 277 282"},
      {"/pause /plist is a command\n", "t.tm", "267/17[/pause|/plist is a command]"},
      {"/pause /waitx\n", "t.tm", "267/17[/pause|/waitx]"},
      {"/pause /1 & \"a\"\n", "t.tm", "267/17[/pause|/1 & \"a\"]"},
      {"/cd /* c */ /tmp\n", "t.tm", "259/2[/cd|/tmp]"},
      {"/waitfor /x }\n", "t.tm", "274/26[/waitfor|/x }]"},
      {"{ /waitfor /x }", "ARGS", "274/26[/waitfor|/x ]"},
      {"@/home/u/x.tm\n", "t.tm", "257/30[@|/home/u/x.tm]"},
      {"@ /home/u/my-notes.tm a /b\n", "t.tm", "257/30[@|/home/u/my-notes.tm|a|/b]"},
      {"@/a/b/*c*/ x\n", "t.tm", "257/30[@|/a/b|x]"},
      {"/usr/bin/xterm\n", "t.tm", "0/0[/usr/bin/xterm]"},
      {"/usr/bin/xterm /min \"-e\" sh /s/x\n", "t.tm", "0/0[/usr/bin/xterm|\"-e\"|sh|/s|/x] opts 279"},
      {"  /usr/local/bin/\n", "t.tm", "0/0[/usr/local/bin/]"},
      {"/if a {\n  /bin/true /w\n}\n", "t.tm", "264/10[/if] cond(a) {0/0[/bin/true] opts 281} else{}"},
      {"/do {/bin/true\n}\n", "t.tm", "261/4[/do] cond(0) {0/0[/bin/true]}"},
      {"{/sbin/x}", "ARGS", "0/0[/sbin/x]"},
  };
  for (const auto& c : cases) {
    Outcome o = ParseText(c.text, c.source);
    EXPECT_EQ(o.records, c.records) << c.text;
    EXPECT_EQ(o.dialogs, 0u) << c.text << o.dialog;
  }
}

// Lines whose "/" words parsed before, or failed for another reason, keep
// their meaning: options stay options, switches after a program stay
// separate words, and a path that is not one stays an error.
TEST(CommandParser, SlashWordsKeepTheirOldMeaning) {
  const struct {
    const char* text;
    const char* outcome;  // records, or the error lines of the report
  } cases[] = {
      {"/activate /ignore Calc\n", "258/1[/activate|Calc] opts 277"},
      {"/activate /IGNORE/warn Calc\n", "258/1[/activate|Calc] opts 277 282"},
      {"/cd /ignore-x\n", "259/2[/cd|-x] opts 277"},
      {"/pause /*c*/\"a\"\n", "267/17[/pause|\"a\"]"},
      {"xcopy a b /s/e\n", "0/0[xcopy|a|b|/s|/e]"},
      {"@ f.tm /s/e\n", "257/30[@|f.tm|/s|/e]"},
      {"@/x.tm\n", "257/30[@|/x.tm]"},
      {"@ /a\"b\"\n", "257/30[@|/a|\"b\"]"},
      {"@/a/*c*/ x\n", "257/30[@|/a|x]"},
      {"/cd /hide\n", "Line 1 Col 10 in file \"t.tm\"\r\nsyntax error at /hide\r\n"},
      {"/cd /min /tmp\n", "Line 1 Col 9 in file \"t.tm\"\r\nsyntax error at /min\r\n"},
      {"/cd /i\n", "Line 1 Col 7 in file \"t.tm\"\r\nstring expected at \n\r\n"},
      {"/usr\n", "Line 1 Col 5 in file \"t.tm\"\r\nsyntax error at /usr\r\n"},
      {"/my-app/run\n", "Line 1 Col 4 in file \"t.tm\"\r\nsyntax error at /my\r\n"},
      {"/i/x\n", "Line 1 Col 3 in file \"t.tm\"\r\nsyntax error at /i\r\n"},
      {"/usr/bin/x-y\n", "Line 1 Col 12 in file \"t.tm\"\r\nsyntax error at -\r\n"},
      {"x /usr/bin/x /w\n", "Line 1 Col 16 in file \"t.tm\"\r\nsyntax error at /w\r\n"},
      {"@ /\n", "Line 1 Col 4 in file \"t.tm\"\r\nsyntax error at /\r\n"},
  };
  for (const auto& c : cases) {
    Outcome o = ParseText(c.text);
    if (o.records == "parse error")
      EXPECT_EQ(o.dialog, testing::ParseReport("", c.outcome)) << c.text;
    else
      EXPECT_EQ(o.records, c.outcome) << c.text;
  }
}

TEST(CommandParser, PathsAreTracedAsTheTokensTheyBecome) {
  testing::ScopedLexTrace trace(true);
  EXPECT_EQ(ParseText("/cd /tmp\n/bin/true\n@/a/b\n").dialog,
            testing::ParseReport("got keyword \"/cd\"\r\n"
                                 "sucked up white space\r\n"
                                 "got OLDSTRARGFILE ID (/tmp)\r\n"
                                 "in intCmdOpts: empty\r\n"
                                 "got NL\r\n"
                                 "in strexpr: str\r\n"
                                 "in inputLine: cmd\r\n"
                                 "got ID (/bin/true)\r\n"
                                 "got NL\r\n"
                                 "in osCmdOpts: empty\r\n"
                                 "in osArgs: empty\r\n"
                                 "in inputLine: cmd\r\n"
                                 "in inputList: inputList cmd NL\r\n"
                                 "got @\r\n"
                                 "got ILLEGAL (/a/b)\r\n"
                                 "got NL\r\n"
                                 "in inputLine: cmd\r\n"
                                 "in inputList: inputList cmd NL\r\n"
                                 "in input: inputList\r\n",
                                 ""));
}

TEST(CommandParser, ErrorReportsGiveLineColumnSourceAndToken) {
  const struct {
    const char* text;
    const char* errors;
  } cases[] = {
      {"notepad c:\\doc\\a.txt /min\n", "Line 1 Col 26 in file \"t.tm\"\r\nsyntax error at /min\r\n"},
      {"a\n/activate\nb\n", "Line 3 Col 1 in file \"t.tm\"\r\nstring expected at \n\r\n"},
      {"@\n", "Line 1 Col 2 in file \"t.tm\"\r\nsyntax error at \n\r\n"},
      {"/set Greeting=hello world\n", "Line 1 Col 26 in file \"t.tm\"\r\nsyntax error at world\r\n"},
      {"/if {\n}\n", "Line 2 Col 1 in file \"t.tm\"\r\nstring expected at {\n\r\n"},
      {"/if a {\nx\n", "Line 2 Col 3 in file \"t.tm\"\r\nsyntax error at \r\n"},
      {"bad = 1\nok\nbad2 = 2\n",
       "Line 1 Col 6 in file \"t.tm\"\r\nsyntax error at =\r\nLine 3 Col 7 in file \"t.tm\"\r\nsyntax error at =\r\n"},
      {"/if a {\n/* c */ \n}\n",
       "Line 3 Col 1 in file \"t.tm\"\r\nsyntax error at \n\r\nLine 3 Col 2 in file \"t.tm\"\r\nsyntax error at }\r\n"},
  };
  for (const auto& c : cases) {
    Outcome o = ParseText(c.text);
    EXPECT_EQ(o.records, "parse error") << c.text;
    EXPECT_EQ(o.dialog, testing::ParseReport("", c.errors)) << c.text;
    EXPECT_EQ(o.dialogs, 1u);
  }
}

TEST(CommandParser, RecoveryResumesAtTheNextLineAtTopLevel) {
  testing::ScopedLexTrace trace(true);  // keeps the records of a failed parse
  testing::RecordingUi ui;
  auto list = TTolmYacc().Parse("a\nb c /min\nd\n", "f");
  EXPECT_EQ(Render(list->Top()), "0/0[a]; 0/0[d]");
  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_NE(ui.dialogs[0].find("Parse Errors: \r\nLine 2 Col 9 in file \"f\"\r\nsyntax error at /min\r\n"),
            std::string::npos);
}

TEST(CommandParser, InterruptedBlockLeavesItsClosingBraceAsAnotherError) {
  Outcome o = ParseText("/if a {\n= x\nnotepad\n}\n");
  EXPECT_EQ(o.records, "parse error");
  EXPECT_EQ(o.dialog, testing::ParseReport("",
                                          "Line 2 Col 2 in file \"t.tm\"\r\nsyntax error at =\r\n"
                                          "Line 4 Col 2 in file \"t.tm\"\r\nsyntax error at }\r\n"));
}

TEST(CommandParser, TraceOfACorrectLine) {
  testing::ScopedLexTrace trace(true);
  Outcome o = ParseText("/plist\n");
  EXPECT_EQ(o.records, "268/18[/plist]");
  EXPECT_EQ(o.dialog, testing::ParseReport("got keyword \"/plist\"\r\ngot NL\r\nin inputLine: cmd\r\nin input: inputList\r\n", ""));
}

TEST(CommandParser, TraceInterleavesLexerAndGrammarLines) {
  // "}" ends in a state that reduces without reading on, so the block is
  // traced before the line end is scanned; the empty "/while" part needs it.
  testing::ScopedLexTrace trace(true);
  Outcome o = ParseText("/do {\n}\n");
  EXPECT_EQ(o.records, "261/4[/do] cond(0) {}");
  EXPECT_EQ(o.dialog, testing::ParseReport("got keyword \"/do\"\r\n"
                                          "sucked up white space\r\n"
                                          "got left bracket\r\n"
                                          "got right bracket\r\n"
                                          "in cmdblock: { }\r\n"
                                          "got NL\r\n"
                                          "in optWhile: empty\r\n"
                                          "in _DO cmdblock optWhile\r\n"
                                          "in inputLine: cmd\r\n"
                                          "in input: inputList\r\n",
                                          ""));
}

TEST(CommandParser, EmptyInputTracesTheEmptyRule) {
  testing::ScopedLexTrace trace(true);
  Outcome o = ParseText("");
  EXPECT_EQ(o.dialog, testing::ParseReport("in input: empty\r\n", ""));
}

TEST(CommandParser, DeepNestingOverflowsTheStack) {
  std::string text;
  for (int i = 0; i < 700; ++i) text += "/if a {\n";
  Outcome o = ParseText(text);
  EXPECT_EQ(o.records, "parse error");
  EXPECT_NE(o.dialog.find("\r\nyyparse stack overflow at "), std::string::npos) << o.dialog.substr(0, 200);
}

TEST(CommandParser, LongTextsAreReportedNotCut) {
  std::string word(200, 'w');
  Outcome o = ParseText("p " + word + "&" + word + "\n");
  EXPECT_EQ(o.records, "parse error");
  EXPECT_EQ(o.dialog, testing::ParseReport("", "Line 1 Col 404 in file \"t.tm\"\r\ntext too long (limit is 255 characters)\r\n"));
}

TEST(CommandParser, ArgsSourceEndsTheArgumentAtABrace) {
  EXPECT_EQ(ParseText("{ /activate Calc }", "ARGS").records, "258/1[/activate|Calc ]");
}

}  // namespace
}  // namespace tolm
