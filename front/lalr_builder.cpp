#include "front/lalr_builder.h"

#include <algorithm>
#include <bitset>
#include <stdexcept>
#include <unordered_map>

namespace tolm {
namespace {

constexpr int kMaxTerminals = 512;
// Bits past the terminals mark, while the lookahead links are worked out,
// "whatever kernel item k itself gets", one bit for each of up to
// kMarkers kernel items at a time.
constexpr size_t kMarkers = 64;
using TokenSet = std::bitset<kMaxTerminals + kMarkers>;
const TokenSet kTerminalBits = [] {
  TokenSet bits;
  for (size_t t = 0; t < kMaxTerminals; ++t) bits.set(t);
  return bits;
}();

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

// Kernels are interned by content; FNV-1a over the sorted item ids.
struct KernelHash {
  size_t operator()(const std::vector<int>& kernel) const {
    uint64_t h = 0xcbf29ce484222325ull;
    for (int item : kernel) h = (h ^ static_cast<uint32_t>(item)) * 0x100000001b3ull;
    return static_cast<size_t>(h);
  }
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
    where_.assign(itemRule_.size(), -1);
    mark_.assign(itemRule_.size(), 0);
    bySymbol_.resize(static_cast<size_t>(augmented_ + 1));
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

  // LR(0) closure of a kernel into closure_: the kernel, then the items it
  // brings in, in the order they are found.
  void Closure0(const std::vector<int>& kernel) {
    closure_.assign(kernel.begin(), kernel.end());
    ++stamp_;
    for (int i : kernel) mark_[static_cast<size_t>(i)] = stamp_;
    for (size_t k = 0; k < closure_.size(); ++k) {
      if (Complete(closure_[k]) || IsTerminal(NextSymbol(closure_[k]))) continue;
      for (int r : rulesOf_[Nt(NextSymbol(closure_[k]))]) {
        const size_t start = static_cast<size_t>(itemBase_[static_cast<size_t>(r)]);
        if (mark_[start] != stamp_) mark_[start] = stamp_, closure_.push_back(static_cast<int>(start));
      }
    }
  }

  int AddState(std::vector<int>& kernel) {
    std::sort(kernel.begin(), kernel.end());
    auto found = stateIds_.find(kernel);
    if (found != stateIds_.end()) return found->second;
    const int id = static_cast<int>(states_.size());
    stateIds_.emplace(kernel, id);
    states_.push_back({kernel, std::vector<TokenSet>(kernel.size()), {}});
    return id;
  }

  void BuildLr0States() {
    std::vector<int> first{itemBase_[0]};
    AddState(first);
    std::vector<int> symbols;
    for (size_t s = 0; s < states_.size(); ++s) {
      Closure0(states_[s].kernel);
      symbols.clear();
      for (int item : closure_) {
        if (Complete(item)) continue;
        std::vector<int>& kernel = bySymbol_[static_cast<size_t>(NextSymbol(item))];
        if (kernel.empty()) symbols.push_back(NextSymbol(item));
        kernel.push_back(item + 1);
      }
      // By symbol: deterministic state numbers.
      std::sort(symbols.begin(), symbols.end());
      for (int symbol : symbols) {
        std::vector<int>& kernel = bySymbol_[static_cast<size_t>(symbol)];
        const int target = AddState(kernel);
        kernel.clear();
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

  // LR(1) closure of a kernel with the given lookahead sets, into items_:
  // the kernel first, then items in the order they are found.
  const std::vector<ClosureItem>& Closure1(const std::vector<int>& kernel, const std::vector<TokenSet>& lookahead) {
    items_.clear();
    work_.clear();
    for (size_t k = 0; k < kernel.size(); ++k) {
      where_[static_cast<size_t>(kernel[k])] = static_cast<int>(items_.size());
      work_.push_back(items_.size());
      items_.push_back({kernel[k], lookahead[k]});
    }
    while (!work_.empty()) {
      const size_t k = work_.back();
      work_.pop_back();
      const int item = items_[k].item;
      if (Complete(item) || IsTerminal(NextSymbol(item))) continue;
      TokenSet la = afterFirst_[static_cast<size_t>(item)];
      if (afterNullable_[static_cast<size_t>(item)]) la |= items_[k].lookahead;
      for (int r : rulesOf_[Nt(NextSymbol(item))]) {
        const size_t start = static_cast<size_t>(itemBase_[static_cast<size_t>(r)]);
        int& at = where_[start];
        if (at < 0) {
          at = static_cast<int>(items_.size());
          work_.push_back(items_.size());
          items_.push_back({static_cast<int>(start), la});
        } else {
          TokenSet& have = items_[static_cast<size_t>(at)].lookahead;
          if ((have | la) != have) have |= la, work_.push_back(static_cast<size_t>(at));
        }
      }
    }
    for (const ClosureItem& ci : items_) where_[static_cast<size_t>(ci.item)] = -1;
    return items_;
  }

  // Lookaheads the LALR way: the closure of a kernel whose items carry a
  // marker each for "this kernel item's own lookahead" tells which tokens
  // every successor kernel item gets outright and which kernel items pass
  // theirs on to it. Passing on along those links until
  // nothing changes gives the least solution, the same sets as closing
  // every state again and again until nothing changes.
  void PropagateLookaheads() {
    std::vector<size_t> slotBase(states_.size() + 1, 0);
    for (size_t s = 0; s < states_.size(); ++s) slotBase[s + 1] = slotBase[s] + states_[s].kernel.size();
    std::vector<std::vector<size_t>> links(slotBase.back());
    std::vector<TokenSet> seed;
    for (size_t s = 0; s < states_.size(); ++s) {
      const size_t size = states_[s].kernel.size();
      for (size_t first = 0; first < size; first += kMarkers) {
        const size_t end = std::min(size, first + kMarkers);
        seed.assign(size, TokenSet{});
        for (size_t k = first; k < end; ++k) seed[k].set(kMaxTerminals + k - first);
        for (const ClosureItem& ci : Closure1(states_[s].kernel, seed)) {
          if (Complete(ci.item)) continue;
          const size_t t = static_cast<size_t>(TargetOf(static_cast<int>(s), NextSymbol(ci.item)));
          const std::vector<int>& kernel = states_[t].kernel;
          const size_t kk =
              static_cast<size_t>(std::lower_bound(kernel.begin(), kernel.end(), ci.item + 1) - kernel.begin());
          states_[t].kernelLookahead[kk] |= ci.lookahead & kTerminalBits;
          for (size_t k = first; k < end; ++k)
            if (ci.lookahead.test(kMaxTerminals + k - first)) links[slotBase[s] + k].push_back(slotBase[t] + kk);
        }
      }
    }
    std::vector<TokenSet*> la(slotBase.back());
    for (size_t s = 0; s < states_.size(); ++s)
      for (size_t k = 0; k < states_[s].kernel.size(); ++k) la[slotBase[s] + k] = &states_[s].kernelLookahead[k];
    std::vector<size_t> work;
    std::vector<bool> queued(la.size(), false);
    for (size_t slot = 0; slot < la.size(); ++slot)
      if (la[slot]->any() && !links[slot].empty()) work.push_back(slot), queued[slot] = true;
    while (!work.empty()) {
      const size_t from = work.back();
      work.pop_back();
      queued[from] = false;
      for (size_t to : links[from]) {
        if ((*la[to] | *la[from]) == *la[to]) continue;
        *la[to] |= *la[from];
        if (!queued[to]) work.push_back(to), queued[to] = true;
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

  void AddReduction(int state, int token, int rule, int16_t& cell, std::vector<Conflict>& conflicts) {
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
      if (how == ConflictResolution::ErrorByNonAssoc) cell = kNonAssocError, nonAssocSeen_ = true;
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

  void FillRow(int s, ParseTables& t) {
    const State& st = states_[static_cast<size_t>(s)];
    int16_t* row = &t.action[static_cast<size_t>(s) * static_cast<size_t>(t.terminalCount)];
    for (const Transition& tr : st.transitions) {
      if (IsTerminal(tr.symbol))
        row[tr.symbol] = static_cast<int16_t>(tr.target + 1);
      else
        t.gotoState[static_cast<size_t>(s) * static_cast<size_t>(t.nonterminalCount) + Nt(tr.symbol)] =
            static_cast<int16_t>(tr.target);
    }
    const std::vector<ClosureItem>& items = Closure1(st.kernel, st.kernelLookahead);
    for (const ClosureItem& ci : items)
      if (Complete(ci.item) && itemRule_[static_cast<size_t>(ci.item)] == 0) row[0] = ParseTables::kAccept;
    for (const ClosureItem& ci : items) {
      int rule = itemRule_[static_cast<size_t>(ci.item)];
      if (!Complete(ci.item) || rule == 0) continue;
      // Lookaheads hold terminals only, so every bit found is a token.
      for (size_t tok = ci.lookahead._Find_first(); tok < kMaxTerminals; tok = ci.lookahead._Find_next(tok))
        AddReduction(s, static_cast<int>(tok), rule, row[tok], t.conflicts);
    }
    if (nonAssocSeen_) {
      for (int tok = 0; tok < t.terminalCount; ++tok)
        if (row[tok] == kNonAssocError) row[tok] = ParseTables::kError;
      nonAssocSeen_ = false;
    }
    t.defaultReduction[static_cast<size_t>(s)] = KeepsShift(st, row) ? 0 : OnlyReduction(row, t.terminalCount);
  }

  // A shift that survived the reductions rules out a default reduction
  // without a look at the whole row.
  bool KeepsShift(const State& st, const int16_t* row) const {
    for (const Transition& tr : st.transitions)
      if (IsTerminal(tr.symbol) && row[tr.symbol] > 0) return true;
    return false;
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

  ParseTables MakeTables() {
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
  std::unordered_map<std::vector<int>, int, KernelHash> stateIds_;
  // Scratch reused by every closure.
  std::vector<int> where_;  // position of an item in items_, -1: not there
  std::vector<unsigned> mark_;
  unsigned stamp_ = 0;
  bool nonAssocSeen_ = false;  // the row being filled has a cell to clear
  std::vector<int> closure_;
  std::vector<ClosureItem> items_;
  std::vector<size_t> work_;
  std::vector<std::vector<int>> bySymbol_;  // successor kernels by symbol
};

}  // namespace

ParseTables BuildLalrTables(const GrammarSpec& grammar) { return LalrBuilder(grammar).Build(); }

}  // namespace tolm
