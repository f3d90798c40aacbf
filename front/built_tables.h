// The parse tables and scanner automata of both languages, as constant data
// generated from the grammars and lexer rules when the program is built
// (see front/gen/table_gen.cpp and the generated front_tables.cpp).
#pragma once

#include "front/table_views.h"

namespace tolm {

const ParseTableView& CommandParseTables();
const LexAutomatonView& CommandLexAutomaton();
const ParseTableView& ExprParseTables();
const LexAutomatonView& ExprLexAutomaton();

}  // namespace tolm
