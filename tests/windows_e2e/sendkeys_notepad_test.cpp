// Key strings typed by tolm32.exe into Wine's notepad and saved by it: the
// file on disk holds every character typed, those the keyboard layout has a
// key for and those it lacks, in the code page and beyond it.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "e2e_support.h"
#include "support/run_tolm.h"

namespace tolm {
namespace {

using e2e::RunScript;
using e2e::WindowsPath;
using testing::ReadFileText;
using testing::RunResult;
using testing::TempDir;

// Every printable ASCII character from the blank on, as a key string: "+",
// "^", "%", "~" and "{" in the repeat form that types them as they stand.
std::string PrintableAsciiKeys() {
  std::string keys;
  for (char c = ' '; c <= '~'; ++c) {
    keys += std::string_view("+^%~{").find(c) == std::string_view::npos ? std::string(1, c)
                                                                        : std::string("{") + c + " 1}";
  }
  return keys;
}

// Types each key string (one line each) into notepad with the document
// open, saves it as saveAs through File > Save As and closes notepad.
// document: the file notepad opens, or empty for a new one.
RunResult TypeIntoNotepad(const TempDir& dir, const std::string& document, const std::string& windowTitle,
                          const std::vector<std::string>& lines, const std::string& saveAs) {
  std::string script = "/set waitinternval=100\nnotepad.exe";
  if (!document.empty()) script += " \"" + WindowsPath(document) + "\"";
  script += "\n/waitfor \"" + windowTitle + "\"\n/activate \"" + windowTitle + "\"\n";
  for (size_t i = 0; i < lines.size(); ++i) {
    script += "/sendkeys " + lines[i] + (i + 1 < lines.size() ? "{ENTER}" : "") + "\n";
  }
  const std::string savedTitle = saveAs + " - Notepad";
  script += "/sendkeys %fa\n/waitfor \"Save As\"\n/sendkeys " + WindowsPath(dir.File(saveAs)) + "{ENTER}\n" +
            "/waitfor \"" + savedTitle + "\"\n/close \"" + savedTitle + "\"\n/waitclose \"" + savedTitle + "\"\n";
  return RunScript(dir, script);
}

// A new document is saved in the code page (1252 under the test's Wine):
// ASCII punctuation with "(" and ")", which Wine's layout has no key for,
// Latin-1 letters and signs and the euro sign written in UTF-8, and bytes of
// code page 1252 written as they are (the euro sign, S and o-e ligature with
// caron, the copyright sign, sharp s).
TEST(WindowsSendkeys, NotepadSavesEveryCharacterOfTheCodePage) {
  TempDir dir;
  RunResult r = TypeIntoNotepad(dir, "", "Untitled - Notepad",
                                {"x" + PrintableAsciiKeys(), "äöüÄÖÜßéèêàçñÿ €©«»°±µ¿", "\x80\x8A\x9C\xA9\xDF",
                                 "x(äé€)y (ok)"},
                                "ansi.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFileText(dir.File("ansi.txt")),
            "x !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~\r\n"
            "\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xE9\xE8\xEA\xE0\xE7\xF1\xFF \x80\xA9\xAB\xBB\xB0\xB1\xB5\xBF\r\n"
            "\x80\x8A\x9C\xA9\xDF\r\n"
            "x(\xE4\xE9\x80)y (ok)");
}

// A document notepad reads as UTF-8 (it starts with the byte order mark) is
// saved in UTF-8: Greek, Chinese and characters beyond U+FFFF arrive whole,
// and SHIFT held by the key string still makes capitals beside them.
TEST(WindowsSendkeys, NotepadSavesCharactersBeyondTheCodePageInUtf8) {
  TempDir dir;
  const std::string document = dir.Write("utf8.txt", "\xEF\xBB\xBF");
  RunResult r = TypeIntoNotepad(dir, document, "utf8.txt - Notepad",
                                {"Greek αβγ ΩΣ, Chinese 中文字, beyond the BMP 😀𝄞", "x(äé€)y (ok) +(ab)€"},
                                "utf8-saved.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFileText(dir.File("utf8-saved.txt")),
            "\xEF\xBB\xBFGreek αβγ ΩΣ, Chinese 中文字, beyond the BMP 😀𝄞\r\nx(äé€)y (ok) AB€");
}

}  // namespace
}  // namespace tolm
