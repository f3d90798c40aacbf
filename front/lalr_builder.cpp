#include "front/lalr_builder.h"

#include <algorithm>
#include <bitset>
#include <map>
#include <stdexcept>

namespace tolm {
namespace {

constexpr int kMaxTerminals = 512;
using TokenSet = std::bitset<kMaxTerminals>;

struct Transition {
  int symbol;
  int target;
};

struct State {
  std::vector<int> kernel;  // item ids, sorted
  std::vector<TokenSet> kernelLookahead;
  std::vector<Transition> transitions;
};

struct ClosureItem {
  int item;
  TokenSet lookahead;
};

class LalrBuilder {
 public:
  explicit LalrBuilder(const GrammarSpec& g) : g_(g) {
    if (g.terminalCount > kMaxTerminals) throw std::length_error("grammar has too many terminals");
    augmented_ = g.terminalCount + g.nonterminalCount;
    rules_.push_back({augmented_, {g.start}});
    rules_.insert(rules_.end(), g.rules.begin(), g.rules.end());
    for (const GrammarRule& r : rules_) {
      itemBase_.push_back(static_cast<int>(itemRule_.size()));
      for (size_t d = 0; d <= r.rhs.size(); ++d) {
        itemRule_.push_back(static_cast<int>(&r - rules_.data()));
        itemDot_.push_back(static_cast<int>(d));
      }
    }
    rulesOf_.resize(static_cast<size_t>(g.nonterminalCount + 1));
    for (size_t r = 0; r < rules_.size(); ++r) rulesOf_[Nt(rules_[r].lhs)].push_back(static_cast<int>(r));
  }

  ParseTables Build() {
    ComputeFirstSets();
    ComputeItemFirsts();
    BuildLr0States();
    PropagateLookaheads();
    return MakeTables();
  }

 private:
  bool IsTerminal(int symbol) const { return symbol < g_.terminalCount; }
  size_t Nt(int symbol) const { return static_cast<size_t>(symbol - g_.terminalCount); }
  const GrammarRule& RuleOf(int item) const { return rules_[static_cast<size_t>(itemRule_[static_cast<size_t>(item)])]; }
  int Dot(int item) const { return itemDot_[static_cast<size_t>(item)]; }
  bool Complete(int item) const { return Dot(item) == static_cast<int>(RuleOf(item).rhs.size()); }
  int NextSymbol(int item) const { return RuleOf(item).rhs[static_cast<size_t>(Dot(item))]; }

  void ComputeFirstSets() {
    first_.assign(static_cast<size_t>(g_.nonterminalCount + 1), TokenSet{});
    nullable_.assign(static_cast<size_t>(g_.nonterminalCount + 1), false);
    for (bool changed = true; changed;) {
      changed = false;
      for (const GrammarRule& r : rules_) {
        TokenSet f;
        bool nullable = SequenceFirst(r.rhs, 0, f);
        TokenSet& lhs = first_[Nt(r.lhs)];
        if ((lhs | f) != lhs) lhs |= f, changed = true;
        if (nullable && !nullable_[Nt(r.lhs)]) nullable_[Nt(r.lhs)] = true, changed = true;
      }
    }
  }

  // FIRST of rhs[from..] into out; true when that tail can be empty.
  bool SequenceFirst(const std::vector<int>& rhs, size_t from, TokenSet& out) const {
    for (size_t i = from; i < rhs.size(); ++i) {
      if (IsTerminal(rhs[i])) {
        out.set(static_cast<size_t>(rhs[i]));
        return false;
      }
      out |= first_[Nt(rhs[i])];
      if (!nullable_[Nt(rhs[i])]) return false;
    }
    return true;
  }

  // For an item A -> x . B y: FIRST(y) and whether y can be empty.
  void ComputeItemFirsts() {
    afterFirst_.assign(itemRule_.size(), TokenSet{});
    afterNullable_.assign(itemRule_.size(), false);
    for (size_t item = 0; item < itemRule_.size(); ++item) {
      const GrammarRule& r = RuleOf(static_cast<int>(item));
      size_t dot = static_cast<size_t>(Dot(static_cast<int>(item)));
      if (dot < r.rhs.size()) afterNullable_[item] = SequenceFirst(r.rhs, dot + 1, afterFirst_[item]);
    }
  }

  std::vector<int> Closure0(const std::vector<int>& kernel) const {
    std::vector<int> items = kernel;
    std::vector<bool> seen(itemRule_.size(), false);
    for (int i : kernel) seen[static_cast<size_t>(i)] = true;
    for (size_t k = 0; k < items.size(); ++k) {
      if (Complete(items[k]) || IsTerminal(NextSymbol(items[k]))) continue;
      for (int r : rulesOf_[Nt(NextSymbol(items[k]))]) {
        int start = itemBase_[static_cast<size_t>(r)];
        if (!seen[static_cast<size_t>(start)]) seen[static_cast<size_t>(start)] = true, items.push_back(start);
      }
    }
    return items;
  }

  int AddState(std::vector<int> kernel) {
    std::sort(kernel.begin(), kernel.end());
    auto [it, inserted] = stateIds_.emplace(kernel, static_cast<int>(states_.size()));
    if (inserted) states_.push_back({kernel, std::vector<TokenSet>(kernel.size()), {}});
    return it->second;
  }

  void BuildLr0States() {
    AddState({itemBase_[0]});
    for (size_t s = 0; s < states_.size(); ++s) {
      std::map<int, std::vector<int>> bySymbol;  // ordered: deterministic state numbers
      for (int item : Closure0(states_[s].kernel))
        if (!Complete(item)) bySymbol[NextSymbol(item)].push_back(item + 1);
      for (auto& [symbol, kernel] : bySymbol) {
        int target = AddState(kernel);
        states_[s].transitions.push_back({symbol, target});
      }
    }
    states_[0].kernelLookahead[0].set(0);
  }

  int TargetOf(int state, int symbol) const {
    for (const Transition& t : states_[static_cast<size_t>(state)].transitions)
      if (t.symbol == symbol) return t.target;
    return -1;
  }

  // LR(1) closure of a state's kernel with its current lookahead sets.
  std::vector<ClosureItem> Closure1(const State& st) const {
    std::vector<ClosureItem> items;
    std::map<int, size_t> where;
    for (size_t k = 0; k < st.kernel.size(); ++k) {
      where[st.kernel[k]] = items.size();
      items.push_back({st.kernel[k], st.kernelLookahead[k]});
    }
    std::vector<size_t> work(items.size());
    for (size_t k = 0; k < work.size(); ++k) work[k] = k;
    while (!work.empty()) {
      size_t k = work.back();
      work.pop_back();
      int item = items[k].item;
      if (Complete(item) || IsTerminal(NextSymbol(item))) continue;
      TokenSet la = afterFirst_[static_cast<size_t>(item)];
      if (afterNullable_[static_cast<size_t>(item)]) la |= items[k].lookahead;
      for (int r : rulesOf_[Nt(NextSymbol(item))]) {
        int start = itemBase_[static_cast<size_t>(r)];
        auto found = where.find(start);
        if (found == where.end()) {
          where[start] = items.size();
          work.push_back(items.size());
          items.push_back({start, la});
        } else if ((items[found->second].lookahead | la) != items[found->second].lookahead) {
          items[found->second].lookahead |= la;
          work.push_back(found->second);
        }
      }
    }
    return items;
  }

  void PropagateLookaheads() {
    for (bool changed = true; changed;) {
      changed = false;
      for (size_t s = 0; s < states_.size(); ++s)
        for (const ClosureItem& ci : Closure1(states_[s])) {
          if (Complete(ci.item)) continue;
          State& target = states_[static_cast<size_t>(TargetOf(static_cast<int>(s), NextSymbol(ci.item)))];
          size_t k = static_cast<size_t>(
              std::lower_bound(target.kernel.begin(), target.kernel.end(), ci.item + 1) - target.kernel.begin());
          TokenSet merged = target.kernelLookahead[k] | ci.lookahead;
          if (merged != target.kernelLookahead[k]) target.kernelLookahead[k] = merged, changed = true;
        }
    }
  }

  struct Prec {
    int level = 0;  // 0: none
    Assoc assoc = Assoc::NonAssoc;
  };

  Prec TokenPrec(int token) const {
    for (size_t level = 0; level < g_.precedence.size(); ++level)
      for (int t : g_.precedence[level].tokens)
        if (t == token) return {static_cast<int>(level) + 1, g_.precedence[level].assoc};
    return {};
  }

  // As in yacc: a rule takes the precedence of its last terminal.
  Prec RulePrec(int rule) const {
    const std::vector<int>& rhs = rules_[static_cast<size_t>(rule)].rhs;
    for (auto it = rhs.rbegin(); it != rhs.rend(); ++it)
      if (IsTerminal(*it)) return TokenPrec(*it);
    return {};
  }

  static constexpr int16_t kNonAssocError = INT16_MIN;

  void AddReduction(int state, int token, int rule, int16_t& cell, std::vector<Conflict>& conflicts) const {
    if (cell == ParseTables::kError) {
      cell = static_cast<int16_t>(-rule);
    } else if (cell < 0 && cell != kNonAssocError) {
      int other = -cell;
      int winner = std::min(rule, other);
      conflicts.push_back({state, token, std::max(rule, other), winner, ConflictResolution::ReduceEarlierRule});
      cell = static_cast<int16_t>(-winner);
    } else if (cell != kNonAssocError) {
      ConflictResolution how = ResolveShiftReduce(token, rule);
      conflicts.push_back({state, token, rule, 0, how});
      if (how == ConflictResolution::ReduceByPrecedence) cell = static_cast<int16_t>(-rule);
      if (how == ConflictResolution::ErrorByNonAssoc) cell = kNonAssocError;
    }
  }

  ConflictResolution ResolveShiftReduce(int token, int rule) const {
    Prec t = TokenPrec(token), r = RulePrec(rule);
    if (t.level == 0 || r.level == 0) return ConflictResolution::ShiftByDefault;
    if (r.level > t.level) return ConflictResolution::ReduceByPrecedence;
    if (t.level > r.level) return ConflictResolution::ShiftByPrecedence;
    if (t.assoc == Assoc::Left) return ConflictResolution::ReduceByPrecedence;
    if (t.assoc == Assoc::Right) return ConflictResolution::ShiftByPrecedence;
    return ConflictResolution::ErrorByNonAssoc;
  }

  void FillRow(int s, ParseTables& t) const {
    const State& st = states_[static_cast<size_t>(s)];
    int16_t* row = &t.action[static_cast<size_t>(s) * static_cast<size_t>(t.terminalCount)];
    for (const Transition& tr : st.transitions) {
      if (IsTerminal(tr.symbol))
        row[tr.symbol] = static_cast<int16_t>(tr.target + 1);
      else
        t.gotoState[static_cast<size_t>(s) * static_cast<size_t>(t.nonterminalCount) + Nt(tr.symbol)] =
            static_cast<int16_t>(tr.target);
    }
    std::vector<ClosureItem> items = Closure1(st);
    for (const ClosureItem& ci : items)
      if (Complete(ci.item) && itemRule_[static_cast<size_t>(ci.item)] == 0) row[0] = ParseTables::kAccept;
    for (const ClosureItem& ci : items) {
      int rule = itemRule_[static_cast<size_t>(ci.item)];
      if (!Complete(ci.item) || rule == 0) continue;
      for (int tok = 0; tok < t.terminalCount; ++tok)
        if (ci.lookahead.test(static_cast<size_t>(tok))) AddReduction(s, tok, rule, row[tok], t.conflicts);
    }
    for (int tok = 0; tok < t.terminalCount; ++tok)
      if (row[tok] == kNonAssocError) row[tok] = ParseTables::kError;
    t.defaultReduction[static_cast<size_t>(s)] = OnlyReduction(row, t.terminalCount);
  }

  // The rule when every action of the row reduces by that one rule.
  static int16_t OnlyReduction(const int16_t* row, int count) {
    int16_t rule = 0;
    for (int tok = 0; tok < count; ++tok) {
      if (row[tok] == ParseTables::kError) continue;
      if (row[tok] > 0 || (rule != 0 && -row[tok] != rule)) return 0;
      rule = static_cast<int16_t>(-row[tok]);
    }
    return rule;
  }

  ParseTables MakeTables() const {
    ParseTables t;
    t.terminalCount = g_.terminalCount;
    t.nonterminalCount = g_.nonterminalCount;
    t.stateCount = static_cast<int>(states_.size());
    if (states_.size() >= static_cast<size_t>(INT16_MAX - 1)) throw std::length_error("too many parser states");
    t.action.assign(states_.size() * static_cast<size_t>(t.terminalCount), ParseTables::kError);
    t.gotoState.assign(states_.size() * static_cast<size_t>(t.nonterminalCount), -1);
    t.defaultReduction.assign(states_.size(), 0);
    for (const GrammarRule& r : rules_) {
      t.ruleLength.push_back(static_cast<int16_t>(r.rhs.size()));
      t.ruleLhs.push_back(static_cast<int16_t>(r.lhs - g_.terminalCount));
    }
    for (int s = 0; s < t.stateCount; ++s) FillRow(s, t);
    return t;
  }

  const GrammarSpec& g_;
  int augmented_ = 0;
  std::vector<GrammarRule> rules_;  // rule 0 is the augmented start rule
  std::vector<std::vector<int>> rulesOf_;
  std::vector<int> itemBase_, itemRule_, itemDot_;
  std::vector<TokenSet> first_;
  std::vector<bool> nullable_;
  std::vector<TokenSet> afterFirst_;
  std::vector<bool> afterNullable_;
  std::vector<State> states_;
  std::map<std::vector<int>, int> stateIds_;
};

}  // namespace

ParseTables BuildLalrTables(const GrammarSpec& grammar) { return LalrBuilder(grammar).Build(); }

}  // namespace tolm
