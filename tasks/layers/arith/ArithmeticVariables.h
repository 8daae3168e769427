// The variable tables of the mental arithmetic tasks, written as groups of
// rows so that every code, description and flag of a group comes from one
// line, and the norm getters of their combined rows.
//
// The values are written in this order: "Ntot"; eight RT rows for the
// correct answers of every kind; per pair of kinds (1+2, and 3+4 for the
// additions) the number and mean RT of their correct answers and the mean of
// their two Z-scores; number, mean RT and Z of the number of errors for every
// kind; per pair of kinds the number and mean RT of their errors and the
// mean of their two Z-scores; "No", "Np", "Ni".
//
// Combined rows have no norms of their own: their norm mean and SD come from
// the norms of the two kinds (CombinedNormValue). Norm values of a mean RT
// combine by their mean (the combined RT is the mean over both kinds), those
// of a count by their sum (the combined count is the sum of both).
#pragma once

#include <cstddef>
#include <cstdint>

#include "include/qel/TaskTables.h"
#include "taskfw/NormGetters.h"
#include "taskfw/VariableRows.h"

namespace qel {

namespace arith {

// Variable types (flags bits 0-3): total, right answers, errors (counts of
// errors get the SD floor of the norms).
constexpr uint32_t kTypeTotal = 1;
constexpr uint32_t kTypeCorrect = 2;
constexpr uint32_t kTypeError = 4;

// TaskNormVariable flags of a combined (summary) row.
constexpr int32_t kNormSummary = 1;

// The position of a name in a list of names (a name not in the list does
// not compile).
template <size_t N>
constexpr int32_t PositionOf(const char* const (&names)[N], const char* name) {
  for (size_t i = 0; i < N; ++i) {
    if (SameText(names[i], name)) return static_cast<int32_t>(i);
  }
  throw "no such name in the list";
}

// The first rows of a norm table are named, in the order of the list.
template <size_t N, size_t M>
constexpr bool NamedRowsInOrder(const TaskNormVariable (&norms)[N], const char* const (&names)[M]) {
  if (M > N) return false;
  for (size_t i = 0; i < M; ++i) {
    if (!norms[i].name || !SameText(norms[i].name, names[i])) return false;
  }
  return true;
}

// The rows of one pair of kinds in a variable table: the Z rows of the two
// kinds' correct answers and of their errors.
struct PairRows {
  int32_t correctZ[2];
  int32_t errorZ[2];
};

}  // namespace arith

// Groups of rows with the task's code suffix S (a string literal such as
// "_m1"); T is the kind ("1") or pair of kinds ("12") as a string literal.
#define ARITH_TOTAL(S) \
  { "Ntot" S, nullptr, "%.0f", "Total number of trials", VariableFlags(arith::kTypeTotal, 1), 1 }
// N, mean, SD, median, mean log, 25 % slowest, 25 % fastest, Z of the mean.
#define ARITH_CORRECT(T, S)                                                                                          \
  {"Nc" T S, "<CORRECT " T ">", "%.0f", "N correct type " T, VariableFlags(arith::kTypeCorrect, 1), 1},              \
      {"Tc" T S, "<CORRECT " T ">", "%.0f", "Mean RT correct type " T, VariableFlags(arith::kTypeCorrect, 2), 1},    \
      {"Sc" T S, "<CORRECT " T ">", "%.0f", "SD RT correct type " T, VariableFlags(arith::kTypeCorrect, 3), 1},      \
      {"Mc" T S,                                                                                                     \
       "<CORRECT " T ">",                                                                                            \
       "%.0f",                                                                                                       \
       "Median RT correct type " T,                                                                                  \
       VariableFlags(arith::kTypeCorrect, 4, kVarExtended),                                                          \
       1},                                                                                                           \
      {"Lc" T S,                                                                                                     \
       "<CORRECT " T ">",                                                                                            \
       "%.3f",                                                                                                       \
       "Mean log(RT) correct type " T,                                                                               \
       VariableFlags(arith::kTypeCorrect, 5, kVarExtended),                                                          \
       1},                                                                                                           \
      {"Uc" T S,                                                                                                     \
       "<CORRECT " T ">",                                                                                            \
       "%.0f",                                                                                                       \
       "25% slowest RT correct type " T,                                                                             \
       VariableFlags(arith::kTypeCorrect, 6, kVarExtended),                                                          \
       1},                                                                                                           \
      {"Dc" T S,                                                                                                     \
       "<CORRECT " T ">",                                                                                            \
       "%.0f",                                                                                                       \
       "25% fastest RT correct type " T,                                                                             \
       VariableFlags(arith::kTypeCorrect, 7, kVarExtended),                                                          \
       1},                                                                                                           \
  {                                                                                                                  \
    "Zc" T S, "<CORRECT " T ">", "%.2f", "Z-score RT correct type " T, VariableFlags(kVarTypeZScore, 9, kVarZRow), 1 \
  }
// Two kinds taken together: N, mean RT, the mean of the two Z-scores of RT.
#define ARITH_CORRECT_PAIR(T, S)                                                                                     \
  {"Nc" T S, "<CORRECT " T ">", "%.0f", "N correct type " T, VariableFlags(arith::kTypeCorrect, 1), 1},              \
      {"Tc" T S, "<CORRECT " T ">", "%.0f", "Mean RT correct type " T, VariableFlags(arith::kTypeCorrect, 2), 1}, {  \
    "Zc" T S, "<CORRECT " T ">", "%.2f", "Z-score RT correct type " T, VariableFlags(kVarTypeZScore, 9, kVarZRow), 1 \
  }
// Errors of a kind (or of two kinds): N, mean RT, Z of the count.
#define ARITH_ERRORS(T, S)                                                                                         \
  {"Ne" T S, "<ERRORS " T ">", "%.0f", "N errors type " T, VariableFlags(arith::kTypeError, 1), 1},                \
      {"Te" T S, "<ERRORS " T ">", "%.0f", "Mean RT errors type " T, VariableFlags(arith::kTypeError, 2), 1}, {    \
    "Ze" T S, "<ERRORS " T ">", "%.2f", "Z-score N errors type " T, VariableFlags(kVarTypeZScore, 11, kVarZRow), 1 \
  }
// Omissions, premature responses, interrupts.
#define ARITH_TAIL(S)                                                                                    \
  {"No" S, nullptr, "%.0f", "Number omissions", VariableFlags(kVarTypeOmission, 1), 1},                  \
      {"Np" S, nullptr, "%.0f", "Number premature responses", VariableFlags(kVarTypePremature, 1), 1}, { \
    "Ni" S, nullptr, "%.0f", "Number interrupts", VariableFlags(kVarTypeInterrupt, 1), 1                 \
  }

// Norm rows over a table `rows`: Z of a kind's mean RT of correct answers
// and Z of its count of errors, from the norms by name.
#define ARITH_NORM_CORRECT(rows, T, S) \
  { RowOf(rows, "Zc" T S), "ms", "Zc" T S, nullptr, RowOf(rows, "Tc" T S), 0 }
#define ARITH_NORM_ERRORS(rows, T, S) \
  { RowOf(rows, "Ze" T S), "N", "Ze" T S, nullptr, RowOf(rows, "Ne" T S), 0 }
// Combined rows of the pair of kinds A and B (their named norm rows found
// in the list `named`).
#define ARITH_NORM_CORRECT_PAIR(rows, named, A, B, S)                                              \
  {                                                                                                \
    RowOf(rows, "Zc" A B S), "ms", nullptr,                                                        \
        &CombinedNormValue<arith::PositionOf(named, "Zc" A S), arith::PositionOf(named, "Zc" B S), \
                           NormCombination::kMean>,                                                \
        RowOf(rows, "Tc" A B S), arith::kNormSummary                                               \
  }
#define ARITH_NORM_ERRORS_PAIR(rows, named, A, B, S)                                               \
  {                                                                                                \
    RowOf(rows, "Ze" A B S), "N", nullptr,                                                         \
        &CombinedNormValue<arith::PositionOf(named, "Ze" A S), arith::PositionOf(named, "Ze" B S), \
                           NormCombination::kSum>,                                                 \
        RowOf(rows, "Ne" A B S), arith::kNormSummary                                               \
  }
// The Z rows a pair of kinds combines.
#define ARITH_PAIR_ROWS(rows, A, B, S)                                                               \
  {                                                                                                  \
    {RowOf(rows, "Zc" A S), RowOf(rows, "Zc" B S)}, { RowOf(rows, "Ze" A S), RowOf(rows, "Ze" B S) } \
  }

// The whole tables of a task, defined in the namespace where the macro
// stands: kVariables, kNamedNorms, kNorms, the code lists kCorrect and
// kErrors, kPairs, and kTables, the ArithmeticTables of the task (texts 101,
// 103, 105 and 102; the trial lists of the generated header with prefix P,
// e.g. Mam1 for Mam1PracticeList). The plug-in's g_ModelDefault must be
// declared (taskfw/TaskPlugin.h).
#define ARITH_TASK_TABLES(TYPE, P, ROWS, NAMED, NORMS, CORRECT, ERRORS, PAIRS, VARIABLES, NORM_ROWS) \
  namespace {                                                                                        \
  constexpr TaskVariableDef kVariables[] = {ROWS};                                                   \
  static_assert(std::size(kVariables) == (VARIABLES));                                               \
  /* The norm rows found by name come first, in this order. */                                       \
  constexpr const char* kNamedNorms[] = {NAMED};                                                     \
  constexpr TaskNormVariable kNorms[] = {NORMS};                                                     \
  static_assert(std::size(kNorms) == (NORM_ROWS));                                                   \
  static_assert(NormRowsFound(kNorms), "every norm row names a variable of the table");              \
  static_assert(arith::NamedRowsInOrder(kNorms, kNamedNorms));                                       \
  constexpr QelCodeList kCorrect = CORRECT;                                                          \
  constexpr QelCodeList kErrors = ERRORS;                                                            \
  constexpr arith::PairRows kPairs[] = {PAIRS};                                                      \
  const char* const kVersionNames[] = {"Problem list 1", "Problem list 2", "Problem list 3"};        \
  }                                                                                                  \
  const ArithmeticTables kTables = {arith::ProblemType::TYPE,                                        \
                                    &g_ModelDefault,                                                 \
                                    kVersionNames,                                                   \
                                    k##P##Versions,                                                  \
                                    {101, 103, 105},                                                 \
                                    102,                                                             \
                                    P##PracticeList,                                                 \
                                    P##TestList,                                                     \
                                    k##P##PracticeLength,                                            \
                                    k##P##TestLengths[0],                                            \
                                    kVariables,                                                      \
                                    std::size(kVariables),                                           \
                                    kNorms,                                                          \
                                    std::size(kNorms),                                               \
                                    &kCorrect,                                                       \
                                    &kErrors,                                                        \
                                    kPairs,                                                          \
                                    std::size(kPairs)}

#define ARITH_COMMA ,
// Code lists of two and of four kinds, each code with the getter of the
// norm row named by its Z row.
#define ARITH_CODE_LIST2(A, B, ZA, ZB)                                          \
  {                                                                             \
    2, {arith::A, arith::B}, { NormGetter(kNorms, ZA), NormGetter(kNorms, ZB) } \
  }
#define ARITH_CODE_LIST4(A, B, C, D, ZA, ZB, ZC, ZD)                                                 \
  {                                                                                                  \
    4, {arith::A, arith::B, arith::C, arith::D}, {                                                   \
      NormGetter(kNorms, ZA), NormGetter(kNorms, ZB), NormGetter(kNorms, ZC), NormGetter(kNorms, ZD) \
    }                                                                                                \
  }

// A multiplication task: kinds 1 and 2, the pair 1+2; 32 variables, 6 norm rows.
#define ARITH_MULTIPLICATION_TABLES(S, P)                                                                           \
  ARITH_TASK_TABLES(                                                                                                \
      kMultiplication, P,                                                                                           \
      ARITH_TOTAL(S) ARITH_COMMA ARITH_CORRECT("1", S) ARITH_COMMA ARITH_CORRECT("2", S)                            \
          ARITH_COMMA ARITH_CORRECT_PAIR("12", S) ARITH_COMMA ARITH_ERRORS("1", S) ARITH_COMMA ARITH_ERRORS("2", S) \
              ARITH_COMMA ARITH_ERRORS("12", S) ARITH_COMMA ARITH_TAIL(S),                                          \
      "Zc1" S ARITH_COMMA "Zc2" S ARITH_COMMA "Ze1" S ARITH_COMMA "Ze2" S,                                          \
      ARITH_NORM_CORRECT(kVariables, "1", S) ARITH_COMMA ARITH_NORM_CORRECT(kVariables, "2", S)                     \
          ARITH_COMMA ARITH_NORM_ERRORS(kVariables, "1", S) ARITH_COMMA ARITH_NORM_ERRORS(kVariables, "2", S)       \
              ARITH_COMMA ARITH_NORM_CORRECT_PAIR(kVariables, kNamedNorms, "1", "2", S)                             \
                  ARITH_COMMA ARITH_NORM_ERRORS_PAIR(kVariables, kNamedNorms, "1", "2", S),                         \
      ARITH_CODE_LIST2(kCorrectType1, kCorrectType2, "Zc1" S, "Zc2" S),                                             \
      ARITH_CODE_LIST2(kErrorType1, kErrorType2, "Ze1" S, "Ze2" S), ARITH_PAIR_ROWS(kVariables, "1", "2", S), 32, 6)

// An addition task: kinds 1 to 4, the pairs 1+2 and 3+4; 60 variables, 12 norm rows.
#define ARITH_ADDITION_TABLES(TYPE, S, P)                                                                             \
  ARITH_TASK_TABLES(                                                                                                  \
      TYPE, P,                                                                                                        \
      ARITH_TOTAL(S) ARITH_COMMA ARITH_CORRECT("1", S) ARITH_COMMA ARITH_CORRECT("2", S)                              \
          ARITH_COMMA ARITH_CORRECT("3", S) ARITH_COMMA ARITH_CORRECT("4", S) ARITH_COMMA ARITH_CORRECT_PAIR("12", S) \
              ARITH_COMMA ARITH_CORRECT_PAIR("34", S) ARITH_COMMA ARITH_ERRORS("1", S)                                \
                  ARITH_COMMA ARITH_ERRORS("2", S) ARITH_COMMA ARITH_ERRORS("3", S) ARITH_COMMA ARITH_ERRORS("4", S)  \
                      ARITH_COMMA ARITH_ERRORS("12", S) ARITH_COMMA ARITH_ERRORS("34", S) ARITH_COMMA ARITH_TAIL(S),  \
      "Zc1" S ARITH_COMMA "Zc2" S ARITH_COMMA "Zc3" S ARITH_COMMA "Zc4" S ARITH_COMMA "Ze1" S ARITH_COMMA             \
      "Ze2" S ARITH_COMMA "Ze3" S ARITH_COMMA "Ze4" S,                                                                \
      ARITH_NORM_CORRECT(kVariables, "1", S) ARITH_COMMA ARITH_NORM_CORRECT(kVariables, "2", S)                       \
          ARITH_COMMA ARITH_NORM_CORRECT(kVariables, "3", S) ARITH_COMMA ARITH_NORM_CORRECT(kVariables, "4", S)       \
              ARITH_COMMA ARITH_NORM_ERRORS(kVariables, "1", S) ARITH_COMMA ARITH_NORM_ERRORS(kVariables, "2", S)     \
                  ARITH_COMMA ARITH_NORM_ERRORS(kVariables, "3", S) ARITH_COMMA ARITH_NORM_ERRORS(kVariables, "4", S) \
                      ARITH_COMMA ARITH_NORM_CORRECT_PAIR(kVariables, kNamedNorms, "1", "2", S)                       \
                          ARITH_COMMA ARITH_NORM_CORRECT_PAIR(kVariables, kNamedNorms, "3", "4", S)                   \
                              ARITH_COMMA ARITH_NORM_ERRORS_PAIR(kVariables, kNamedNorms, "1", "2", S)                \
                                  ARITH_COMMA ARITH_NORM_ERRORS_PAIR(kVariables, kNamedNorms, "3", "4", S),           \
      ARITH_CODE_LIST4(kCorrectType1, kCorrectType2, kCorrectType3, kCorrectType4, "Zc1" S, "Zc2" S, "Zc3" S,         \
                       "Zc4" S),                                                                                      \
      ARITH_CODE_LIST4(kErrorType1, kErrorType2, kErrorType3, kErrorType4, "Ze1" S, "Ze2" S, "Ze3" S, "Ze4" S),       \
      ARITH_PAIR_ROWS(kVariables, "1", "2", S) ARITH_COMMA ARITH_PAIR_ROWS(kVariables, "3", "4", S), 60, 12)

}  // namespace qel
