// Token codes of the command language: what the command lexer hands the
// command parser. Codes 1..255 are single characters; 257..287 are the
// keyword tokens (their values live in the keyword table).
#pragma once

#include <cstdint>

namespace tolm {

enum CommandToken : int32_t {
  kTokEnd = 0,
  kTokError = 256,
  kTokAt = 257,
  kTokActivate = 258,
  kTokCd = 259,
  kTokClose = 260,
  kTokDo = 261,
  kTokEdit = 262,
  kTokElse = 263,
  kTokIf = 264,
  kTokKill = 265,
  kTokKillWindow = 266,
  kTokPause = 267,
  kTokPlist = 268,
  kTokSendKeys = 269,
  kTokSet = 270,
  kTokSleep = 271,
  kTokWaitAll = 272,
  kTokWaitClose = 273,
  kTokWaitFor = 274,
  kTokWlist = 275,
  kTokHide = 276,
  kTokIgnore = 277,
  kTokMax = 278,
  kTokMin = 279,
  kTokNoActivate = 280,
  kTokWait = 281,
  kTokWarn = 282,
  kTokWhile = 283,
  kTokEq = 284,
  kTokNe = 285,
  kTokLt = 286,
  kTokGt = 287,
  kTokNum = 288,
  kTokId = 289,
  kTokQstr = 290,
  kTokIllegal = 291,
  kTokNl = 292,
  kCommandTerminalCount = 293,  // one past the highest token code
};

// The program options (/hide, /ignore, /max, /min, /noactivate, /wait,
// /warn and their short forms).
constexpr bool IsOptionToken(int code) { return code >= kTokHide && code <= kTokWarn; }

}  // namespace tolm
