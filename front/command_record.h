// A command record of its own: one command's texts and option codes, as the
// editor's command dialog takes a line apart and puts it together again. A
// parse keeps its records packed instead (front/command_store.h), with the
// codes below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tolm {

class Tcmdrec {
 public:
  int32_t kwIndex = 0;  // keyword table row 1..34; 0 for a program line
  int32_t code = 0;     // 257..275 for keywords; 0 starts a program
  std::vector<std::string> args;  // [0] keyword name or program word, then arguments
  std::vector<int32_t> options;   // option codes 276..282 in source order, duplicates kept
  std::string condition;          // "/if" condition, "/do" while-condition ("0" without one)

  bool HasOption(int32_t optionCode) const {
    for (int32_t o : options)
      if (o == optionCode) return true;
    return false;
  }
};

// Command and option codes ("/else" and "/while" are parts of "/if" and
// "/do", not commands: no record carries their codes).
enum : int32_t {
  kCmdProgram = 0,
  kCmdAt = 257,
  kCmdActivate = 258,
  kCmdCd = 259,
  kCmdClose = 260,
  kCmdDo = 261,
  kCmdEdit = 262,
  kCmdIf = 264,
  kCmdKill = 265,
  kCmdKillWindow = 266,
  kCmdPause = 267,
  kCmdPlist = 268,
  kCmdSendKeys = 269,
  kCmdSet = 270,
  kCmdSleep = 271,
  kCmdWaitAll = 272,
  kCmdWaitClose = 273,
  kCmdWaitFor = 274,
  kCmdWlist = 275,
  kOptHide = 276,
  kOptIgnore = 277,
  kOptMax = 278,
  kOptMin = 279,
  kOptNoActivate = 280,
  kOptWait = 281,
  kOptWarn = 282,
};

}  // namespace tolm
