#include "services/seams/app_title.h"

#include "services/core/errors.h"
#include "services/core/text.h"

namespace tolm {
namespace {

std::string& Title() {
  static std::string title = "tolm32";
  return title;
}

std::function<void(const std::string&)>& Listener() {
  static std::function<void(const std::string&)> listener;
  return listener;
}

}  // namespace

const std::string& ApplicationTitle() { return Title(); }

void SetApplicationTitle(std::string title) {
  Title() = std::move(title);
  if (Listener()) Listener()(Title());
}

void ResetApplicationTitle() { SetApplicationTitle(AfterLastBlank(Title())); }

void RaiseScriptError(const std::string& message) {
  ResetApplicationTitle();
  throw EScriptError(message);
}

void SetTitleFor(const std::string& text) {
  SetApplicationTitle(text + " - " + AfterLastBlank(Title()));
}

void OnApplicationTitleChanged(std::function<void(const std::string&)> listener) {
  Listener() = std::move(listener);
}

}  // namespace tolm
