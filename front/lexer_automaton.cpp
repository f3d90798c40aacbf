#include "front/lexer_automaton.h"

#include <map>
#include <stdexcept>

namespace tolm {

CharClass Chars(std::string_view chars) {
  CharClass set;
  for (char c : chars) set.set(static_cast<unsigned char>(c));
  set.reset(0);
  return set;
}

CharClass AllBut(std::string_view chars) {
  CharClass set;
  set.set();
  for (char c : chars) set.reset(static_cast<unsigned char>(c));
  set.reset(0);
  return set;
}

CharClass CharRange(unsigned char first, unsigned char last) {
  CharClass set;
  for (unsigned c = first; c <= last; ++c) set.set(c);
  set.reset(0);
  return set;
}

CharClass Letter(char c) {
  char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  char upper = (lower >= 'a' && lower <= 'z') ? static_cast<char>(lower - 'a' + 'A') : lower;
  return Chars(std::string{lower, upper});
}

namespace {

// The highest rule number the scanner accepts (TCustomLexer::kMaxRules).
constexpr int kScannerRuleLimit = 256;

// A rule's pattern with "x+" spelled "x x*", so that each position is either
// taken once, optional or a loop. Positions are bits of a mask; bit size()
// means the whole pattern has matched.
struct Positions {
  std::vector<PatternItem> items;

  explicit Positions(const std::vector<PatternItem>& pattern) {
    for (const PatternItem& item : pattern) {
      if (item.repeat == Repeat::Plus) {
        items.push_back({item.chars, Repeat::One});
        items.push_back({item.chars, Repeat::Star});
      } else {
        items.push_back(item);
      }
    }
    if (items.size() >= 31) throw std::length_error("lexer rule pattern too long");
  }

  uint32_t Closure(uint32_t mask) const {
    for (size_t i = 0; i < items.size(); ++i)
      if ((mask >> i & 1u) && items[i].repeat != Repeat::One) mask |= 1u << (i + 1);
    return mask;
  }

  uint32_t Step(uint32_t mask, unsigned char c) const {
    uint32_t out = 0;
    for (size_t i = 0; i < items.size(); ++i) {
      if (!(mask >> i & 1u) || !items[i].chars.test(c)) continue;
      out |= items[i].repeat == Repeat::Star ? 1u << i : 1u << (i + 1);
    }
    return Closure(out);
  }

  bool Accepts(uint32_t mask) const { return mask >> items.size() & 1u; }
  bool CanGrow(uint32_t mask) const { return (mask & ((1u << items.size()) - 1)) != 0; }
};

using Config = std::vector<uint32_t>;  // one position mask per rule

class SubsetBuilder {
 public:
  explicit SubsetBuilder(const std::vector<LexRule>& rules) {
    for (const LexRule& r : rules) positions_.emplace_back(r.pattern);
    // Bytes that belong to the same pattern items step alike: only the
    // first of each kind needs stepping.
    std::map<std::vector<bool>, unsigned> firstWith;
    for (unsigned c = 0; c < 256; ++c) {
      std::vector<bool> membership;
      for (const Positions& p : positions_)
        for (const PatternItem& item : p.items) membership.push_back(item.chars.test(c));
      firstOfKind_[c] = firstWith.emplace(std::move(membership), c).first->second;
    }
  }

  int16_t StateOf(const Config& config) {
    auto [it, inserted] = ids_.emplace(config, static_cast<int16_t>(configs_.size()));
    if (inserted) configs_.push_back(config);
    return it->second;
  }

  Config Initial(const std::vector<LexRule>& rules, int condition, bool atLineStart) const {
    Config c(rules.size(), 0);
    for (size_t r = 0; r < rules.size(); ++r) {
      bool active = (rules[r].conditions >> condition & 1u) && (!rules[r].lineStartOnly || atLineStart);
      if (active) c[r] = positions_[r].Closure(1u);
    }
    return c;
  }

  LexAutomaton Finish(std::vector<int16_t> starts) {
    LexAutomaton a;
    a.start = std::move(starts);
    for (size_t s = 0; s < configs_.size(); ++s) {  // configs_ grows while we walk it
      Config config = configs_[s];
      a.states.push_back(Describe(config));
      for (unsigned c = 1; c < 256; ++c) {
        const unsigned first = firstOfKind_[c];
        if (first != c) {  // a byte that every pattern treats like an earlier one
          a.states[s].next[c] = a.states[s].next[first];
          continue;
        }
        Config next = Step(config, static_cast<unsigned char>(c));
        a.states[s].next[c] = IsEmpty(next) ? int16_t{-1} : StateOf(next);
      }
    }
    if (configs_.size() > 32000) throw std::length_error("lexer automaton too large");
    Flatten(a);
    return a;
  }

 private:
  LexAutomaton::State Describe(const Config& config) const {
    LexAutomaton::State st;
    st.next.fill(-1);
    for (size_t r = 0; r < config.size(); ++r) {
      const int16_t rule = static_cast<int16_t>(r + 1);
      if (positions_[r].Accepts(config[r])) {
        if (st.acceptRule == 0) st.acceptRule = rule;
        ++st.acceptCount;
        st.highestRule = rule;
      }
      if (positions_[r].CanGrow(config[r])) st.hasTransitions = true;
    }
    return st;
  }

  Config Step(const Config& config, unsigned char c) const {
    Config next(config.size(), 0);
    for (size_t r = 0; r < config.size(); ++r)
      if (config[r]) next[r] = positions_[r].Step(config[r], c);
    return next;
  }

  // Numbers the states that the scanner just passes through first (see
  // LexAutomaton::passCount), then lays the automaton out flat.
  static void Flatten(LexAutomaton& a) {
    const auto tooMany = [](const LexAutomaton::State& st) { return st.highestRule > kScannerRuleLimit; };
    std::vector<bool> loops(a.states.size());
    for (size_t s = 0; s < a.states.size(); ++s)
      for (int16_t target : a.states[s].next)
        if (target == static_cast<int16_t>(s)) loops[s] = !tooMany(a.states[s]);
    const auto passes = [&](size_t s) {
      const LexAutomaton::State& st = a.states[s];
      return st.acceptRule == 0 && !tooMany(st) && st.hasTransitions && !loops[s];
    };
    std::vector<int16_t> order, number(a.states.size());
    for (bool first : {true, false})
      for (size_t s = 0; s < a.states.size(); ++s)
        if (passes(s) == first) order.push_back(static_cast<int16_t>(s));
    for (size_t n = 0; n < order.size(); ++n) number[static_cast<size_t>(order[n])] = static_cast<int16_t>(n);
    const auto renumber = [&](int16_t s) { return s < 0 ? s : number[static_cast<size_t>(s)]; };

    std::vector<LexAutomaton::State> states;
    for (int16_t old : order) {
      LexAutomaton::State st = a.states[static_cast<size_t>(old)];
      for (int16_t& target : st.next) target = renumber(target);
      if (passes(static_cast<size_t>(old))) ++a.passCount;
      a.steps.push_back({st.acceptRule, st.acceptCount, st.hasTransitions, tooMany(st),
                         st.acceptRule == 0 && !tooMany(st), loops[static_cast<size_t>(old)]});
      states.push_back(st);
    }
    a.states = std::move(states);
    for (int16_t& s : a.start) s = renumber(s);
    ClassifyBytes(a);
  }

  // Bytes whose transitions agree in every state form one class; byte 0
  // (no transition anywhere) gets a class of its own like any other.
  static void ClassifyBytes(LexAutomaton& a) {
    std::map<std::vector<int16_t>, uint8_t> classOfColumn;
    std::vector<unsigned> representative;
    for (unsigned c = 0; c < 256; ++c) {
      std::vector<int16_t> column;
      for (const LexAutomaton::State& st : a.states) column.push_back(st.next[c]);
      auto [it, added] = classOfColumn.emplace(std::move(column), static_cast<uint8_t>(representative.size()));
      if (added) representative.push_back(c);
      a.byteClass[c] = it->second;
    }
    a.classStride = 1;
    while (a.classStride < static_cast<int>(representative.size())) a.classStride *= 2;
    a.next.assign(a.states.size() * static_cast<size_t>(a.classStride), -1);
    for (size_t s = 0; s < a.states.size(); ++s)
      for (size_t k = 0; k < representative.size(); ++k)
        a.next[s * static_cast<size_t>(a.classStride) + k] = a.states[s].next[representative[k]];
  }

  static bool IsEmpty(const Config& c) {
    for (uint32_t m : c)
      if (m) return false;
    return true;
  }

  std::vector<Positions> positions_;
  std::array<unsigned, 256> firstOfKind_{};
  std::map<Config, int16_t> ids_;
  std::vector<Config> configs_;
};

}  // namespace

LexAutomaton BuildLexAutomaton(const std::vector<LexRule>& rules, int conditionCount) {
  SubsetBuilder builder(rules);
  std::vector<int16_t> starts;
  for (int cond = 0; cond < conditionCount; ++cond)
    for (bool atLineStart : {false, true}) starts.push_back(builder.StateOf(builder.Initial(rules, cond, atLineStart)));
  return builder.Finish(std::move(starts));
}

}  // namespace tolm
