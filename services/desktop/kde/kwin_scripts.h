// Running one of our window scripts (kwin_script_text.h) in KWin and taking
// its answer.
//
// The script is written to a private temporary file, loaded with
// org.kde.KWin /Scripting loadScript(file, name), started with the script
// object's run (at /Scripting/Script<id> on Plasma 6, /<id> on Plasma 5: the
// first that answers is remembered), and hands its answer back by callDBus
// to the object we serve under our own bus name. Only an answer from KWin's
// own connection with the token of this run counts. KWin reads the file when
// the script starts, after run has returned, so the file stays until the
// answer is in. Then the file is removed and the script unloaded
// (unloadScript(name), waiting for KWin's answer), on every path; when a
// close request ends the program during a wait, the unload is sent without
// waiting and the file removed.
//
// Each exchange with KWin is bounded by kKWinAnswerTime; a KWin that does not
// answer fails the command with a message that says so.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "services/desktop/dbus/dbus_connection.h"
#include "services/desktop/kde/kwin_script_text.h"

namespace tolm {

inline constexpr std::chrono::seconds kKWinAnswerTime{5};

// The path, interface and member our scripts hand their answers to.
inline constexpr const char* kScriptAnswerPath = "/org/tolm/Tolm32";
inline constexpr const char* kScriptAnswerInterface = "org.tolm.Tolm32.KWinScript";
inline constexpr const char* kScriptAnswerMember = "Deliver";

class KWinScripts {
 public:
  // Serves the answer object on the connection, whose well-known name
  // busName the caller owns.
  KWinScripts(DbusConnection& bus, std::string busName);
  KWinScripts(const KWinScripts&) = delete;
  KWinScripts& operator=(const KWinScripts&) = delete;

  // Runs the script and returns its answer; throws Exception when KWin
  // refuses or does not answer in time.
  std::string Run(WindowScript kind, const std::string& target = "");

 private:
  void OnAnswer(DbusMessage& call);
  // Starts the loaded script with this id.
  void Start(int32_t id);

  DbusConnection& bus_;
  std::string busName_;
  DbusObject answers_;
  unsigned runs_ = 0;
  std::string token_;                  // of the run in progress
  std::string kwin_;                   // KWin's unique name, from its answer to loadScript
  std::optional<std::string> answer_;  // of the run in progress
  int scriptPathStyle_ = 0;            // 0 unknown, 5 "/<id>", 6 "/Scripting/Script<id>"
};

}  // namespace tolm
