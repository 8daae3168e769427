#include "tools/triallists/TrialListBuilder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <set>
#include <stdexcept>
#include <utility>

#include "tools/triallists/SeededDraw.h"

namespace qel {

namespace triallists {
namespace {

constexpr int kPlacementTries = 200000;
constexpr int kCodeTries = 1000;
constexpr int kOrderTries = 200000;

struct Trial {
  const TrialKind* kind = nullptr;
  std::array<char, kCodeLength> code{};  // 0 = position still free
  std::array<bool, kCodeLength> memory{};
};

std::vector<int> PositionsOf(uint8_t mask) {
  std::vector<int> positions;
  for (int i = 0; i < kCodeLength; ++i) {
    if (mask & (1u << i)) positions.push_back(i);
  }
  return positions;
}

char Shown(char item, bool letters) {
  return letters ? static_cast<char>(std::toupper(static_cast<unsigned char>(item))) : item;
}

// Places the items of every kind block by block: in a block of as many
// trials as the kind has positions, item j of trial t goes to position
// (s[t] + d[j]) mod a, with s a random order of the positions and d random
// distinct offsets, so each item takes each position once per whole block.
void PlaceItems(std::vector<Trial>& trials, bool letters, SeededDraw& draw) {
  size_t first = 0;
  while (first < trials.size()) {
    const TrialKind& kind = *trials[first].kind;
    size_t end = first;
    while (end < trials.size() && trials[end].kind == &kind) ++end;
    const std::vector<int> allowed = PositionsOf(kind.positions);
    const size_t a = allowed.size();
    for (size_t block = first; block < end; block += a) {
      std::vector<int> order(a), offsets(a > 0 ? a - 1 : 0);
      for (size_t i = 0; i < a; ++i) order[i] = static_cast<int>(i);
      for (size_t i = 0; i + 1 < a; ++i) offsets[i] = static_cast<int>(i + 1);
      draw.Shuffle(order);
      draw.Shuffle(offsets);
      for (size_t t = block; t < std::min(end, block + a); ++t) {
        Trial& trial = trials[t];
        trial.code.fill(0);
        trial.memory.fill(false);
        for (size_t j = 0; j < kind.items.size(); ++j) {
          const int shift = j == 0 ? 0 : offsets[j - 1];
          const int position = allowed[(order[t - block] + shift) % a];
          trial.code[position] = Shown(kind.items[j], letters);
          trial.memory[position] = true;
        }
      }
    }
    first = end;
  }
}

// Within every category, and over all trials whose kinds share a set of
// positions, each item stands on each of those positions equally often,
// within one.
bool PlacementIsBalanced(const std::vector<Trial>& trials, bool letters) {
  std::map<std::pair<int, char>, std::array<int, kCodeLength>> byCategory;
  std::map<std::pair<int, char>, uint8_t> categoryPositions;
  std::map<std::pair<uint8_t, char>, std::array<int, kCodeLength>> byPositions;
  for (const Trial& trial : trials) {
    for (char item : trial.kind->items) {
      const char shown = Shown(item, letters);
      const auto category = std::make_pair(trial.kind->category, shown);
      const auto positions = std::make_pair(trial.kind->positions, shown);
      byCategory[category];
      byPositions[positions];
      categoryPositions[category] |= trial.kind->positions;
      for (int i = 0; i < kCodeLength; ++i) {
        if (trial.code[i] == shown) {
          ++byCategory[category][i];
          ++byPositions[positions][i];
        }
      }
    }
  }
  auto spreadAtMostOne = [](const std::array<int, kCodeLength>& counts, uint8_t mask) {
    int low = 1 << 30, high = -1;
    for (int i : PositionsOf(mask)) {
      low = std::min(low, counts[i]);
      high = std::max(high, counts[i]);
    }
    return high - low <= 1;
  };
  for (const auto& [key, counts] : byCategory) {
    if (!spreadAtMostOne(counts, categoryPositions[key])) return false;
  }
  for (const auto& [key, counts] : byPositions) {
    if (!spreadAtMostOne(counts, key.first)) return false;
  }
  return true;
}

std::string Key(const Trial& trial) { return std::string(trial.code.begin(), trial.code.end()); }

// Fills the free positions from a shuffled deck of the distractors, taking
// the next card the code does not hold yet; a new deck when one runs out.
class DistractorDeck {
 public:
  DistractorDeck(const std::string& cards, SeededDraw& draw) : m_cards(cards), m_draw(draw) { Reshuffle(); }

  // Starts a new deck; a code drawn again after a clash must not meet the
  // same leftover cards, which would give the same code again.
  void Reshuffle() {
    m_deck = m_cards;
    m_draw.Shuffle(m_deck);
    m_next = 0;
  }

  void Fill(Trial& trial) {
    for (int i = 0; i < kCodeLength; ++i) {
      if (trial.code[i] != 0) continue;
      trial.code[i] = Next(trial);
    }
  }

 private:
  bool Holds(const Trial& trial, char c) const {
    return std::find(trial.code.begin(), trial.code.end(), c) != trial.code.end();
  }

  char Next(const Trial& trial) {
    for (int round = 0; round < 2; ++round) {
      for (size_t i = m_next; i < m_deck.size(); ++i) {
        if (!Holds(trial, m_deck[i])) {
          std::swap(m_deck[i], m_deck[m_next]);
          return m_deck[m_next++];
        }
      }
      Reshuffle();
    }
    throw std::runtime_error("too few distractors for a code of distinct characters");
  }

  std::string m_cards;
  SeededDraw& m_draw;
  std::string m_deck;
  size_t m_next = 0;
};

void FillDistractors(std::vector<Trial>& trials, const std::string& distractors, SeededDraw& draw) {
  DistractorDeck deck(distractors, draw);
  std::set<std::string> seen;
  for (Trial& trial : trials) {
    const Trial placed = trial;
    int tries = 0;
    for (;;) {
      trial = placed;
      deck.Fill(trial);
      if (seen.insert(Key(trial)).second) break;
      if (++tries == kCodeTries) throw std::runtime_error("cannot find a code not yet in the list");
      deck.Reshuffle();
    }
  }
}

// A quarter (rounded down) of the memory letters and of the distractors
// are degraded.
void Degrade(std::vector<Trial>& trials, SeededDraw& draw) {
  std::vector<std::pair<size_t, int>> memory, other;
  for (size_t t = 0; t < trials.size(); ++t) {
    for (int i = 0; i < kCodeLength; ++i) (trials[t].memory[i] ? memory : other).emplace_back(t, i);
  }
  for (auto* cells : {&memory, &other}) {
    draw.Shuffle(*cells);
    for (size_t k = 0; k < cells->size() / 4; ++k) {
      char& c = trials[(*cells)[k].first].code[(*cells)[k].second];
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
}

std::vector<bool> Targets(const std::vector<Trial>& trials) {
  std::vector<bool> targets;
  for (const Trial& trial : trials) targets.push_back(trial.kind->target);
  return targets;
}

}  // namespace

std::vector<std::string> BuildTrialList(const TrialListSpec& spec) {
  SeededDraw draw(spec.seed);
  std::vector<Trial> trials;
  for (const TrialKind& kind : spec.kinds) {
    if (kind.count < 0 || kind.positions == 0 || kind.positions > 0xF ||
        kind.items.size() > PositionsOf(kind.positions).size()) {
      throw std::runtime_error("a kind with more items than positions");
    }
    for (int i = 0; i < kind.count; ++i) trials.push_back(Trial{&kind, {}, {}});
  }

  int tries = 0;
  do {
    if (++tries > kPlacementTries) throw std::runtime_error("cannot balance the item positions");
    PlaceItems(trials, spec.letters, draw);
  } while (!PlacementIsBalanced(trials, spec.letters));

  FillDistractors(trials, spec.distractors, draw);
  if (spec.letters) Degrade(trials, draw);

  tries = 0;
  do {
    if (++tries > kOrderTries) throw std::runtime_error("cannot order the list without long runs");
    draw.Shuffle(trials);
  } while (LongestRun(Targets(trials), spec.cyclic) > kMaxRun);

  std::vector<std::string> codes;
  for (const Trial& trial : trials) codes.push_back(Key(trial));
  return codes;
}

int LongestRun(const std::vector<bool>& targets, bool cyclic) {
  const size_t n = targets.size();
  if (n == 0) return 0;
  int longest = 0, run = 0;
  const size_t steps = cyclic ? 2 * n : n;
  for (size_t k = 0; k < steps; ++k) {
    const bool same = k > 0 && targets[k % n] == targets[(k - 1) % n];
    run = same ? run + 1 : 1;
    longest = std::max(longest, run);
  }
  return longest;
}

}  // namespace triallists

}  // namespace qel
