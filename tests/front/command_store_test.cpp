// The packed records of a parse: a whole file of every construct reads back
// exactly as the records of the former parser (one object per record, a
// string per text) did, and the store's edges hold: empty input, texts of
// 255 characters, counts above 127, CR LF line ends, and lists and files
// larger than one chunk of the store.
#include "front/command_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "front/command_parser.h"
#include "front/recording_ui.h"
#include "services/core/errors.h"

namespace tolm {
namespace {

// A command file of every construct, deterministic: program lines with
// options and quoted arguments, one-text commands, assignments with joined
// and computed texts, nested blocks, "@" calls, comments, CR LF line ends
// and texts of exactly 255 characters.
std::string GeneratedCommandFile(int units) {
  std::string text;
  uint32_t seed = 12345;
  const std::string w126(126, 'w');
  for (int n = 0; n < units; ++n) {
    seed = seed * 1103515245u + 12345u;
    const std::string k = std::to_string(n);
    switch ((seed >> 16) % 14) {
      case 0: text += "\"/bin/prog" + k + "\" /wait /min \"arg " + k + "\" c:\\data\\f" + k + ".log \"--level=3\" /s\n"; break;
      case 1: text += "/activate Window " + k + "\n"; break;
      case 2: text += "/set V" + std::to_string(n % 7) + "=env(X) + " + k + " - 3\n"; break;
      case 3: text += "/set L=\"a\" & env(USER) & \"-\" & " + k + "\n"; break;
      case 4: text += "/if env(M) eq \"m" + k + "\" {\n  \"/bin/echo\" /wait \"x " + k + "\"\n} /else {\n  /sleep " + std::to_string(n % 5) + " + 1\n}\n"; break;
      case 5: text += "/do {\n  /set N=env(N) + 1\n  /if a eq b {\n    /plist\n  }\n} /while env(N) lt " + k + "\n"; break;
      case 6: text += "# comment " + k + "\n"; break;
      case 7: text += "@ sub" + k + ".tm a b\n"; break;
      case 8: text += "/cd \"/tmp/x " + k + "\"\r\n"; break;
      case 9: text += "p " + w126 + "&" + w126 + "\n"; break;
      case 10: text += "/waitall\n/wlist\n"; break;
      case 11: text += "/pause Message number " + k + " done\n"; break;
      case 12: text += "/edit\n"; break;
      default: text += "/killwindow /ignore /warn Win " + k + "\n"; break;
    }
  }
  return text;
}

// Every field of every record, blocks nested, one record a line.
std::string Render(const CommandList& list);
std::string Render(const CommandRecord& r) {
  std::string s = std::to_string(r.code) + "/" + std::to_string(r.kwIndex) + "[";
  for (size_t i = 0; i < r.args.size(); ++i) s.append(i ? "|" : "").append(r.args[i]);
  s += "]";
  for (int32_t o : r.Options()) s += " " + std::to_string(o);
  s.append(" (").append(r.condition).append(")");
  if (r.code == kCmdIf || r.code == kCmdDo) s += " {" + Render(r.block) + "}";
  if (r.code == kCmdIf) s += " else{" + Render(r.elseBlock) + "}";
  return s;
}
std::string Render(const CommandList& list) {
  std::string s;
  for (const CommandRecord& rec : list) s += Render(rec) + ";\n";
  return s;
}

uint64_t Fnv1a(std::string_view text) {
  uint64_t h = 0xcbf29ce484222325ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 0x100000001b3ull;
  }
  return h;
}

std::unique_ptr<CommandStore> ParseOk(const std::string& text) {
  testing::RecordingUi ui;
  auto store = TTolmYacc().Parse(text, "t.tm");
  EXPECT_TRUE(ui.dialogs.empty());
  return store;
}

// The size and checksum of the same rendering of the records the parser
// built before they were packed (one object per record, a string per text).
TEST(CommandStore, AGeneratedFileReadsBackAsTheFormerRecords) {
  const std::string rendered = Render(ParseOk(GeneratedCommandFile(3000))->Top());
  EXPECT_EQ(rendered.size(), 188513u);
  EXPECT_EQ(Fnv1a(rendered), 0x8c73ebf2bd16179aull);
}

TEST(CommandStore, EdgesOfTheStoredTexts) {
  const std::string q253(253, 'q'), w254(254, 'w'), w126(126, 'w');
  std::string manyArgs = "p";
  for (int i = 0; i < 300; ++i) manyArgs += " a" + std::to_string(i);
  struct Case {
    std::string text;
    std::string records;
  };
  const Case cases[] = {
      {"", ""},
      {"\n\n# only a comment\n", ""},
      {"/pause \"" + q253 + "\"\n", "267/17[/pause|\"" + q253 + "\"] ();\n"},
      {w254 + "\n", "0/0[" + w254 + "] ();\n"},
      {"p " + w126 + "&" + w126 + "\n", "0/0[p|" + w126 + " & " + w126 + "] ();\n"},
      {"/edit\n", "262/5[/edit|] ();\n"},
      {"a /wait b\r\n/if x {\r\n/plist\r\n}\r\n",
       "0/0[a|b] 281 ();\n264/10[/if] (x) {268/18[/plist] ();\n} else{};\n"},
      {"/do {\n}\n", "261/4[/do] (0) {};\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Render(ParseOk(c.text)->Top()), c.records);
  }
  const auto store = ParseOk(manyArgs + "\n");
  const CommandList many = store->Top();
  ASSERT_EQ(many.size(), 1u);
  ASSERT_EQ(many[0].args.size(), 301u);
  EXPECT_EQ(many[0].args[300], "a299");
}

TEST(CommandStore, ListsAndFilesLargerThanAChunk) {
  // 30000 records of one block: their list alone is larger than a chunk.
  std::string text = "/do {\n";
  for (int i = 0; i < 30000; ++i) text += "/set V=" + std::to_string(i) + "\n";
  text += "} /while 0\n";
  for (int i = 0; i < 100000; ++i) text += "x" + std::to_string(i) + "\n";
  const auto store = ParseOk(text);
  const CommandList top = store->Top();
  ASSERT_EQ(top.size(), 100001u);
  EXPECT_EQ(top[100000].args[0], "x99999");
  const CommandList block = top[0].block;
  ASSERT_EQ(block.size(), 30000u);
  EXPECT_EQ(block[0].args[2], "0");
  EXPECT_EQ(block[29999].args[2], "29999");
  EXPECT_GT(store->BytesUsed(), size_t{1} << 16);
}

// Short lines keep about their own size (here 8 bytes a record and 4 of the
// file's list for lines of 10): a record of one object and a string per
// text took twenty times that.
TEST(CommandStore, AFileOfShortLinesTakesAboutItsSize) {
  std::string text;
  for (int i = 0; i < 50000; ++i) text += "/set N=" + std::to_string(i % 100) + "\n";
  const auto store = ParseOk(text);
  ASSERT_EQ(store->Top().size(), 50000u);
  EXPECT_LE(store->BytesUsed() + 4 * store->Top().size(), text.size() * 5 / 4);
}

TEST(CommandStore, ATextBeyond255CharactersIsRefused) {
  CommandStore store;
  const std::string text(256, 'x');
  const std::string_view texts[] = {text};
  EXPECT_THROW(store.AddRecord(0, texts, {}), Exception);
}

}  // namespace
}  // namespace tolm
