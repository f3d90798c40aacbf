#include "front/lexer_automaton.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <unordered_map>

#include "services/core/text.h"

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
  char lower = LowerAscii(c);
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
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].repeat != Repeat::One) skippable |= 1u << i;
      if (items[i].repeat == Repeat::Star) loops |= 1u << i;
      for (unsigned c = 0; c < 256; ++c)
        if (items[i].chars.test(c)) taking[c] |= 1u << i;
    }
  }

  uint32_t Closure(uint32_t mask) const {
    // Low positions first, so a run of skippable positions is crossed at once.
    for (uint32_t open = mask & skippable; open != 0; open &= open - 1) {
      const uint32_t bit = open & (~open + 1);
      mask |= bit << 1;
      open |= (bit << 1) & skippable;
    }
    return mask;
  }

  uint32_t Step(uint32_t mask, unsigned char c) const {
    const uint32_t taken = mask & taking[c];
    return Closure((taken & loops) | ((taken & ~loops) << 1));
  }

  bool Accepts(uint32_t mask) const { return mask >> items.size() & 1u; }
  bool CanGrow(uint32_t mask) const { return (mask & ((1u << items.size()) - 1)) != 0; }

  uint32_t skippable = 0;  // optional or looping positions: the next one is open too
  uint32_t loops = 0;      // looping positions: taking a byte stays there
  std::array<uint32_t, 256> taking{};  // per byte, the positions it is taken at
};

struct ConfigHash {
  size_t operator()(const std::vector<uint32_t>& config) const {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint32_t m : config) h = (h ^ m) * 0x100000001b3ull;
    return static_cast<size_t>(h);
  }
};

using Config = std::vector<uint32_t>;  // one position mask per rule

class SubsetBuilder {
 public:
  explicit SubsetBuilder(const std::vector<LexRule>& rules) {
    positions_.reserve(rules.size());  // each carries a table per byte: no moves
    for (const LexRule& r : rules) positions_.emplace_back(r.pattern);
    // Bytes that belong to the same pattern items step alike: only the
    // first of each kind needs stepping.
    std::vector<unsigned> kinds;
    for (unsigned c = 0; c < 256; ++c) {
      const auto same = [&](unsigned k) {
        for (const Positions& p : positions_)
          if (p.taking[k] != p.taking[c]) return false;
        return true;
      };
      auto found = std::find_if(kinds.begin(), kinds.end(), same);
      if (found == kinds.end()) found = kinds.insert(kinds.end(), c);
      firstOfKind_[c] = *found;
    }
    // Byte 0 is in no class; bytes like it have no transition anywhere.
    for (unsigned c = 1; c < 256; ++c) {
      if (firstOfKind_[c] == 0) continue;
      if (firstOfKind_[c] == c) kinds_.push_back(c);
      kindOf_[c] = kindOf_[firstOfKind_[c]] >= 0 ? kindOf_[firstOfKind_[c]] : static_cast<int>(kinds_.size() - 1);
    }
  }

  int16_t StateOf(const Config& config) {
    auto found = ids_.find(config);
    if (found != ids_.end()) return found->second;
    const auto id = static_cast<int16_t>(configs_.size());
    ids_.emplace(config, id);
    configs_.push_back(config);
    return id;
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
    Config config, next;
    for (size_t s = 0; s < configs_.size(); ++s) {  // configs_ grows while we walk it
      config = configs_[s];
      found_.push_back(Describe(config));
      // Only the first byte of each kind is stepped; the others go alike.
      for (unsigned c : kinds_) {
        Step(config, static_cast<unsigned char>(c), next);
        kindNext_.push_back(IsEmpty(next) ? int16_t{-1} : StateOf(next));
      }
    }
    if (configs_.size() > 32000) throw std::length_error("lexer automaton too large");
    Flatten(a);
    return a;
  }

 private:
  // A state as found, before its transitions are spread over all bytes.
  struct Found {
    int16_t acceptRule = 0;
    int16_t acceptCount = 0;
    int16_t highestRule = 0;
    bool hasTransitions = false;
  };

  Found Describe(const Config& config) const {
    Found st;
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

  void Step(const Config& config, unsigned char c, Config& next) const {
    next.assign(config.size(), 0);
    for (size_t r = 0; r < config.size(); ++r)
      if (config[r]) next[r] = positions_[r].Step(config[r], c);
  }

  // Numbers the states that the scanner just passes through first (see
  // LexAutomaton::passCount), then lays the automaton out flat.
  void Flatten(LexAutomaton& a) const {
    const size_t count = found_.size(), kinds = kinds_.size();
    const auto target = [&](size_t s, size_t k) { return kindNext_[s * kinds + k]; };
    const auto tooMany = [](const Found& st) { return st.highestRule > kScannerRuleLimit; };
    std::vector<bool> loops(count);
    for (size_t s = 0; s < count; ++s)
      for (size_t k = 0; k < kinds; ++k)
        if (target(s, k) == static_cast<int16_t>(s)) loops[s] = !tooMany(found_[s]);
    const auto passes = [&](size_t s) {
      const Found& st = found_[s];
      return st.acceptRule == 0 && !tooMany(st) && st.hasTransitions && !loops[s];
    };
    std::vector<int16_t> order, number(count);
    for (bool first : {true, false})
      for (size_t s = 0; s < count; ++s)
        if (passes(s) == first) order.push_back(static_cast<int16_t>(s));
    for (size_t n = 0; n < order.size(); ++n) number[static_cast<size_t>(order[n])] = static_cast<int16_t>(n);
    const auto renumber = [&](int16_t s) { return s < 0 ? s : number[static_cast<size_t>(s)]; };

    a.states.resize(count);
    a.steps.reserve(count);
    for (size_t n = 0; n < count; ++n) {
      const size_t old = static_cast<size_t>(order[n]);
      const Found& found = found_[old];
      LexAutomaton::State& st = a.states[n];
      for (unsigned c = 0; c < 256; ++c)
        st.next[c] = kindOf_[c] < 0 ? int16_t{-1} : renumber(target(old, static_cast<size_t>(kindOf_[c])));
      st.acceptRule = found.acceptRule;
      st.acceptCount = found.acceptCount;
      st.highestRule = found.highestRule;
      st.hasTransitions = found.hasTransitions;
      if (passes(old)) ++a.passCount;
      a.steps.push_back({st.acceptRule, st.acceptCount, st.hasTransitions, tooMany(found),
                         st.acceptRule == 0 && !tooMany(found), loops[old]});
    }
    for (int16_t& s : a.start) s = renumber(s);
    ClassifyBytes(a);
  }

  // Bytes whose transitions agree in every state form one class; byte 0
  // (no transition anywhere) gets a class of its own like any other.
  // A byte of the same kind as an earlier one has that byte's column, so
  // only the first of each kind is compared with the classes so far.
  void ClassifyBytes(LexAutomaton& a) const {
    std::vector<unsigned> representative;
    const auto sameColumn = [&](unsigned c, unsigned d) {
      for (const LexAutomaton::State& st : a.states)
        if (st.next[c] != st.next[d]) return false;
      return true;
    };
    for (unsigned c = 0; c < 256; ++c) {
      if (firstOfKind_[c] != c) {
        a.byteClass[c] = a.byteClass[firstOfKind_[c]];
        continue;
      }
      size_t k = 0;
      while (k < representative.size() && !sameColumn(c, representative[k])) ++k;
      if (k == representative.size()) representative.push_back(c);
      a.byteClass[c] = static_cast<uint8_t>(k);
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
  std::vector<unsigned> kinds_;  // the first byte of each kind but byte 0's
  std::array<int, 256> kindOf_ = [] {
    std::array<int, 256> none{};
    none.fill(-1);
    return none;
  }();  // index into kinds_, -1: no transition anywhere
  std::vector<Found> found_;       // per state in the order found
  std::vector<int16_t> kindNext_;  // found state x kind: the next state, -1: none
  std::unordered_map<Config, int16_t, ConfigHash> ids_;
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
