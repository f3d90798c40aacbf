#include "front/recording_ui.h"

#include "front/lexer_runtime.h"

namespace tolm::testing {

ScopedLexTrace::ScopedLexTrace(bool on) : saved_(LexTrace) { LexTrace = on; }
ScopedLexTrace::~ScopedLexTrace() { LexTrace = saved_; }

}  // namespace tolm::testing
