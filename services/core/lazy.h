// Something the program makes on first use (the desktop of the session, the
// window module's user interface): the one way it loads what it may never
// need. open runs at most once; what it made is kept, and so is the message
// of its failure, which every later use raises again the same way without
// trying anew.
#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "services/core/errors.h"

namespace tolm {

template <typename T>
class Lazy {
 public:
  using Open = std::function<T()>;

  explicit Lazy(Open open) : open_(std::move(open)) {}

  // The thing, made now if this is the first use. Throws Exception with the
  // failure of the one attempt to make it.
  T& Get() {
    if (failure_) throw Exception(*failure_);
    if (!made_) {
      try {
        made_.emplace(std::exchange(open_, nullptr)());
      } catch (const std::exception& e) {
        failure_ = e.what();
        throw;
      }
    }
    return *made_;
  }

  bool Made() const { return made_.has_value(); }

 private:
  Open open_;
  std::optional<T> made_;
  std::optional<std::string> failure_;
};

}  // namespace tolm
