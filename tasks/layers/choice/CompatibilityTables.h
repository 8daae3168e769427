// The variable table the shifting-set and response-organization tasks share
// (116 rows each, 24 norm rows): three parts "Compatible", "Incompatible"
// and "Mixed"; per part "Ntot", the correct answers of the part's kind
// ("c" compatible, "i" incompatible) left and right with the mean of their
// mean RTs, their errors with the sum of their counts, and "No", "Np",
// "Ni"; the mixed part holds both kinds. Only the code suffix, the words
// for the two sides and the sub-categories differ between the tasks.
#pragma once

#include "tasks/layers/choice/ChoiceVariables.h"
#include "tasks/layers/choice/PairScoring.h"

namespace qel {

namespace choice {

constexpr uint32_t kCompatibilityVariableCount = 116;
constexpr uint32_t kCompatibilityNormCount = 24;
constexpr int kCompatibilityParts = 3;
// The category lists of the table, in its order: part 1 compatible correct
// and wrong answers, part 2 incompatible ones, part 3 both kinds.
constexpr int kCompatibilityLists = 8;

// The rows of the whole table from index on (after the framework's); the
// next index.
int32_t ComputeCompatibilityParts(ITaskRunData& runData, const IExpModelTask& context, int32_t index,
                                  const QelCodeList (&lists)[kCompatibilityLists]);

}  // namespace choice

// One kind k ("c" or "i", in the words kw) of part D; the sides in the
// words lw and rw.
#define CHOICE_COMPAT_KIND(k, kw, lw, rw, group, D, P, S)                                           \
  CHOICE_FULL(k "l", kw " " lw, group, choice::kTypeCorrect, D, " part " D, P, S),                  \
      CHOICE_FULL(k "r", kw " " rw, group, choice::kTypeCorrect, D, " part " D, P, S),              \
      CHOICE_MEAN_PAIR(k, kw, group, choice::kTypeCorrect, D, " part " D, P, S),                    \
      CHOICE_SHORT("e" k "l", "errors " kw " " lw, group, choice::kTypeError, D, " part " D, P, S), \
      CHOICE_SHORT("e" k "r", "errors " kw " " rw, group, choice::kTypeError, D, " part " D, P, S), \
      CHOICE_SUM_PAIR("e" k, "errors " kw, group, choice::kTypeError, D, " part " D, P, S)
// The whole table.
#define CHOICE_COMPAT_ROWS(lw, rw, S)                                                                                  \
  CHOICE_HEAD("1", " part 1", 1, S), CHOICE_COMPAT_KIND("c", "compatible", lw, rw, "<COMPATIBLE>", "1", 1, S),         \
      CHOICE_TAIL("1", " part 1", 1, S), CHOICE_HEAD("2", " part 2", 2, S),                                            \
      CHOICE_COMPAT_KIND("i", "incompatible", lw, rw, "<INCOMPATIBLE>", "2", 2, S), CHOICE_TAIL("2", " part 2", 2, S), \
      CHOICE_HEAD("3", " part 3", 3, S), CHOICE_COMPAT_KIND("c", "compatible", lw, rw, "<COMPATIBLE>", "3", 3, S),     \
      CHOICE_COMPAT_KIND("i", "incompatible", lw, rw, "<INCOMPATIBLE>", "3", 3, S), CHOICE_TAIL("3", " part 3", 3, S)

// Norm rows of one kind and of the whole table `rows`.
#define CHOICE_COMPAT_KIND_NORMS(rows, k, D, S)                                                 \
  CHOICE_NORM_RT(rows, k "l", D, S), CHOICE_NORM_RT(rows, k "r", D, S),                         \
      CHOICE_NORM_MEAN_PAIR(rows, k, k "l", k "r", D, S), CHOICE_NORM_N(rows, "e" k "l", D, S), \
      CHOICE_NORM_N(rows, "e" k "r", D, S), CHOICE_NORM_SUM_PAIR(rows, "e" k, "e" k "l", "e" k "r", D, S)
#define CHOICE_COMPAT_NORMS(rows, S)                                                        \
  CHOICE_COMPAT_KIND_NORMS(rows, "c", "1", S), CHOICE_COMPAT_KIND_NORMS(rows, "i", "2", S), \
      CHOICE_COMPAT_KIND_NORMS(rows, "c", "3", S), CHOICE_COMPAT_KIND_NORMS(rows, "i", "3", S)

// The list of two sub-categories a (left) and b (right) of the rows of
// category k in part D, with the getters of their Z rows in `norms`.
#define CHOICE_COMPAT_LIST(norms, a, b, k, D, S)                                                  \
  {                                                                                               \
    2, {a, b}, { NormGetter(norms, "Z" k "l" D S), NormGetter(norms, "Z" k "r" D S) } \
  }
// The eight lists of a task whose sub-categories are c0 / c1 (compatible
// correct, left / right), e0 / e1 (their errors), i0 / i1 (incompatible
// correct) and f0 / f1 (their errors).
#define CHOICE_COMPAT_LISTS(norms, S, c0, c1, e0, e1, i0, i1, f0, f1)                                    \
  {                                                                                                      \
    CHOICE_COMPAT_LIST(norms, c0, c1, "c", "1", S), CHOICE_COMPAT_LIST(norms, e0, e1, "ec", "1", S),     \
        CHOICE_COMPAT_LIST(norms, i0, i1, "i", "2", S), CHOICE_COMPAT_LIST(norms, f0, f1, "ei", "2", S), \
        CHOICE_COMPAT_LIST(norms, c0, c1, "c", "3", S), CHOICE_COMPAT_LIST(norms, e0, e1, "ec", "3", S), \
        CHOICE_COMPAT_LIST(norms, i0, i1, "i", "3", S), CHOICE_COMPAT_LIST(norms, f0, f1, "ei", "3", S)  \
  }

}  // namespace qel
