#include "tasks/plugins/pr/ProsodyVariables.h"

#include <iterator>

#include "taskfw/VariableRows.h"

namespace qel {

namespace pr {
namespace {

// Variable types (flags bits 0-3): total, right answers, errors (counts of
// errors get the SD floor of the norms).
constexpr uint32_t kTypeTotal = 1;
constexpr uint32_t kTypeCorrect = 2;
constexpr uint32_t kTypeError = 4;

}  // namespace

// The right answers of emotion E ("happy"), letter L ("h").
#define PR_CORRECT(L, E)                                                                                              \
  {"N" L "_pr", "<" E ">", "%.0f", "N correct " E, VariableFlags(kTypeCorrect, 1), 1},                                \
      {"T" L "_pr", "<" E ">", "%.0f", "Mean RT correct " E, VariableFlags(kTypeCorrect, 2), 1},                      \
      {"S" L "_pr", "<" E ">", "%.0f", "SD RT correct " E, VariableFlags(kTypeCorrect, 3), 1},                        \
      {"M" L "_pr", "<" E ">", "%.0f", "Median RT correct " E, VariableFlags(kTypeCorrect, 4, kVarExtended), 1},      \
      {"L" L "_pr", "<" E ">", "%.3f", "Mean log(RT) correct " E, VariableFlags(kTypeCorrect, 5, kVarExtended), 1},   \
      {"U" L "_pr", "<" E ">", "%.0f", "25% slowest RT correct " E, VariableFlags(kTypeCorrect, 6, kVarExtended), 1}, \
      {"D" L "_pr", "<" E ">", "%.0f", "25% fastest RT correct " E, VariableFlags(kTypeCorrect, 7, kVarExtended), 1}, \
  {                                                                                                                   \
    "Z" L "_pr", "<" E ">", "%.2f", "Z-score RT correct " E, VariableFlags(kVarTypeZScore, 9, kVarZRow), 1            \
  }
// The errors on sentences in emotion E.
#define PR_ERRORS(L, E)                                                                                           \
  {"Ne" L "_pr", "<ERRORS " E ">", "%.0f", "N errors " E, VariableFlags(kTypeError, 1), 1},                       \
      {"Te" L "_pr", "<ERRORS " E ">", "%.0f", "Mean RT errors " E, VariableFlags(kTypeError, 2), 1}, {           \
    "Ze" L "_pr", "<ERRORS " E ">", "%.2f", "Z-score N errors " E, VariableFlags(kVarTypeZScore, 11, kVarZRow), 1 \
  }
// Emotion C (letter K) named for a sentence in emotion E (letter L).
#define PR_CONFUSION(K, C, L, E)                                                                                    \
  {"Ne" K L "_pr", "<ERRORS " E ">", "%.0f", "N errors " C " instead of " E, VariableFlags(kTypeError, 1), 1}, {    \
    "Te" K L "_pr", "<ERRORS " E ">", "%.0f", "Mean RT errors " C " instead of " E, VariableFlags(kTypeError, 2), 1 \
  }

constexpr TaskVariableDef kVariables[] = {
    {"Ntot_pr", nullptr, "%.0f", "Total number of trials", VariableFlags(kTypeTotal, 1), 1},
    PR_CORRECT("h", "happy"),
    PR_CORRECT("s", "sad"),
    PR_CORRECT("a", "angry"),
    PR_CORRECT("f", "frightened"),
    {"No_pr", nullptr, "%.0f", "Number omissions", VariableFlags(kVarTypeOmission, 1), 1},
    {"Np_pr", nullptr, "%.0f", "Number premature responses", VariableFlags(kVarTypePremature, 1), 1},
    {"Ni_pr", nullptr, "%.0f", "Number interrupts", VariableFlags(kVarTypeInterrupt, 1), 1},
    PR_ERRORS("h", "happy"),
    PR_CONFUSION("s", "sad", "h", "happy"),
    PR_CONFUSION("a", "angry", "h", "happy"),
    PR_CONFUSION("f", "frightened", "h", "happy"),
    PR_ERRORS("s", "sad"),
    PR_CONFUSION("h", "happy", "s", "sad"),
    PR_CONFUSION("a", "angry", "s", "sad"),
    PR_CONFUSION("f", "frightened", "s", "sad"),
    PR_ERRORS("a", "angry"),
    PR_CONFUSION("h", "happy", "a", "angry"),
    PR_CONFUSION("s", "sad", "a", "angry"),
    PR_CONFUSION("f", "frightened", "a", "angry"),
    PR_ERRORS("f", "frightened"),
    PR_CONFUSION("h", "happy", "f", "frightened"),
    PR_CONFUSION("s", "sad", "f", "frightened"),
    PR_CONFUSION("a", "angry", "f", "frightened"),
};
constexpr uint32_t kVariableCount = std::size(kVariables);
static_assert(kVariableCount == 72);

#define PR_NORM_CORRECT(L) \
  { RowOf(kVariables, "Z" L "_pr"), "ms", "Z" L "_pr", nullptr, RowOf(kVariables, "T" L "_pr"), 0 }
#define PR_NORM_ERRORS(L) \
  { RowOf(kVariables, "Ze" L "_pr"), "N", "Ze" L "_pr", nullptr, RowOf(kVariables, "Ne" L "_pr"), 0 }

constexpr TaskNormVariable kNormVariables[] = {
    PR_NORM_CORRECT("h"), PR_NORM_CORRECT("s"), PR_NORM_CORRECT("a"), PR_NORM_CORRECT("f"),
    PR_NORM_ERRORS("h"),  PR_NORM_ERRORS("s"),  PR_NORM_ERRORS("a"),  PR_NORM_ERRORS("f"),
};
constexpr uint32_t kNormVariableCount = std::size(kNormVariables);
static_assert(NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define PR_GETTER(code) NormGetter(kNormVariables, code)

constexpr QelCodeList kCorrectList = {
    4,
    {10, 11, 12, 13},
    {PR_GETTER("Zh_pr"), PR_GETTER("Zs_pr"), PR_GETTER("Za_pr"), PR_GETTER("Zf_pr")},
};

constexpr QelNormGetter kErrorGetters[kEmotions] = {PR_GETTER("Zeh_pr"), PR_GETTER("Zes_pr"), PR_GETTER("Zea_pr"),
                                                    PR_GETTER("Zef_pr")};

// The confusions of each emotion in the order of the rows: the emotions
// named, happy, sad, angry, frightened, leaving out the one spoken.
constexpr QelCodeList kConfusionLists[kEmotions] = {
    {3, {15, 16, 17}, {nullptr}},
    {3, {19, 20, 21}, {nullptr}},
    {3, {23, 24, 25}, {nullptr}},
    {3, {27, 28, 29}, {nullptr}},
};

#undef PR_CORRECT
#undef PR_ERRORS
#undef PR_CONFUSION
#undef PR_NORM_CORRECT
#undef PR_NORM_ERRORS
#undef PR_GETTER

}  // namespace pr

}  // namespace qel
