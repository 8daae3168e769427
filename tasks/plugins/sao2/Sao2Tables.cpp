#include "tasks/plugins/sao2/Sao2Tables.h"

#include "tasks/layers/sustained/SustainedRows.h"

namespace qel {

extern "C" const QelModelTask g_ModelDefault;

namespace sao2 {

using sustained::SeriesCountFlags;

// Series NN: its completion time and the counts of hits, correct
// rejections, misses and false alarms.
#define S2_SERIES(NN)                                                                                               \
  {"T" NN "_s2", "<SERIES_" NN ">", "%.2f", "Completion time for series " NN, sustained::kSeriesTimeFlags, 0},      \
      {"Nh" NN "_s2", "<SERIES_" NN ">", "%.0f", "N hits of series " NN, SeriesCountFlags(7, kVarTypeHit), 0},      \
      {"Nc" NN "_s2",                                                                                               \
       "<SERIES_" NN ">",                                                                                           \
       "%.0f",                                                                                                      \
       "N correct rejections of series " NN,                                                                        \
       SeriesCountFlags(8, kVarTypeCorrectRejection),                                                               \
       0},                                                                                                          \
      {"Nm" NN "_s2", "<SERIES_" NN ">", "%.0f", "N misses of series " NN, SeriesCountFlags(9, kVarTypeMiss), 0}, { \
    "Nf" NN "_s2", "<SERIES_" NN ">", "%.0f", "N false alarms of series " NN,                                       \
        SeriesCountFlags(10, kVarTypeFalseAlarm), 0                                                                 \
  }

constexpr TaskVariableDef kVariables[kVariableCount] = {
    SUSTAINED_HEAD("_s2"),
    SUSTAINED_FULL("h", "hits", "<HI>", kVarTypeHit, "_s2"),
    SUSTAINED_FULL("c", "correct rejections", "<CR>", kVarTypeCorrectRejection, "_s2"),
    SUSTAINED_SHORT("m", "misses", "<MI>", kVarTypeMiss, "_s2"),
    SUSTAINED_SHORT("f", "false alarms", "<FA>", kVarTypeFalseAlarm, "_s2"),
    SUSTAINED_AFTER_ERROR_SD("hae", "hits", "<HIAE>", kVarTypeHit, "_s2"),
    SUSTAINED_AFTER_ERROR_SD("cae", "correct rejections", "<CRAE>", kVarTypeCorrectRejection, "_s2"),
    SUSTAINED_TAIL("_s2"),
    SUSTAINED_SERIES_1_TO_9(S2_SERIES, "0"),
    SUSTAINED_SERIES_DECADE(S2_SERIES, "1"),
    SUSTAINED_SERIES_DECADE(S2_SERIES, "2"),
    SUSTAINED_SERIES_DECADE(S2_SERIES, "3"),
    S2_SERIES("40"),
};
static_assert(RowOf(kVariables, "Ni_s2") + 1 == kFirstSeriesRow, "the series rows follow the counts");
static_assert(RowOf(kVariables, "T01_s2") == kFirstSeriesRow && RowOf(kVariables, "T40_s2") == 232,
              "five rows per series, 40 series");

constexpr TaskNormVariable kNormVariables[kNormVariableCount] = {
    SUSTAINED_NORM_SERIES(kVariables, "ms", "_s2"), SUSTAINED_NORM_RT(kVariables, "h", "_s2"),
    SUSTAINED_NORM_RT(kVariables, "c", "_s2"),      SUSTAINED_NORM_N(kVariables, "m", "_s2"),
    SUSTAINED_NORM_N(kVariables, "f", "_s2"),
};
static_assert(NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define S2_GETTER(code) NormGetter(kNormVariables, code)

namespace {

constexpr QelCodeList kFullCategories = {2, {kCatHit, kCatCorrectRejection}, {S2_GETTER("Zh_s2"), S2_GETTER("Zc_s2")}};
constexpr QelCodeList kShortCategories = {2, {kCatMiss, kCatFalseAlarm}, {S2_GETTER("Zm_s2"), S2_GETTER("Zf_s2")}};

// After an error: hits and correct rejections.
enum AfterErrorCode : int32_t { kHitAfterError = 20, kCorrectRejectionAfterError = 21 };
constexpr QelCodeList kAfterError = {2, {kHitAfterError, kCorrectRejectionAfterError}, {}};
constexpr sustained::AfterErrorCode kRecodes[] = {{kCatHit, kHitAfterError},
                                                  {kCatCorrectRejection, kCorrectRejectionAfterError}};
constexpr int32_t kSeriesCategories[] = {kCatHit, kCatCorrectRejection, kCatMiss, kCatFalseAlarm};

const uint32_t kTrialRows[2][kMaxParts] = {{240}, {480}};

}  // namespace

const char* const kVersionNames[kVersions] = {"Version 1", "Version 2", "Version 3"};
const char* const kCaptions2[kCaptionCount2] = {"T",     "SD",  "n(T)", "z(T)", "n(SD)",
                                                "z(SD)", "Nhi", "Ncr",  "Nmi",  "Nfa"};
const char kSecondList[kSecondLength][kTrialCodeSize] = {"52", "41", "42", "63", "51", "63"};

// Task 20: the three timing presets of the picture tasks.
const QelTaskDescription kDescription = {
    20, 3, 2, {sustained::kSelfPaced, sustained::kPaced, sustained::kFixedDisplay}, kTrialRows};

const sustained::SustainedLayout kLayout = {
    .fullCategories = &kFullCategories,
    .shortCategories = &kShortCategories,
    .afterError = &kAfterError,
    .afterErrorSd = true,
    .recodes = kRecodes,
    .recodeCount = 2,
    .firstSeriesRow = kFirstSeriesRow,
    .tableSeries = kTableSeries,
    .seriesCategories = kSeriesCategories,
    .seriesCategoryCount = 4,
    .zSeriesMean = S2_GETTER("ZTser_s2"),
    .zSeriesSd = S2_GETTER("ZSser_s2"),
    .seriesForZ = kExpectedSeries,
};

const SustainedTables kTables = {
    .modelDefault = &g_ModelDefault,
    .description = &kDescription,
    .versionNames = kVersionNames,
    .versionCount = kVersions,
    .variables = kVariables,
    .variableCount = kVariableCount,
    .normVariables = kNormVariables,
    .normVariableCount = kNormVariableCount,
    .captions2 = kCaptions2,
    .captionCount2 = kCaptionCount2,
    .layout = &kLayout,
    .seriesLength = kSeriesLength,
};

#undef S2_GETTER
#undef S2_SERIES

}  // namespace sao2

}  // namespace qel
