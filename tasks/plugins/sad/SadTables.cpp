#include "tasks/plugins/sad/SadTables.h"

#include "tasks/layers/sustained/OneCharCodes.h"
#include "tasks/layers/sustained/SustainedRows.h"

namespace qel {

extern "C" const QelModelTask g_ModelDefault;

namespace sad {

using sustained::SeriesCountFlags;

// Series NNN: its completion time and the counts of hits, correct
// rejections (fewer, more dots), misses and false alarms (fewer, more dots).
#define SD_SERIES(NNN)                                                                                                \
  {"T" NNN "_sd", "<SERIES_" NNN ">", "%.2f", "Completion time for series " NNN, sustained::kSeriesTimeFlags, 0},     \
      {"Nh" NNN "_sd", "<SERIES_" NNN ">", "%.0f", "N hits of series " NNN, SeriesCountFlags(7, kVarTypeHit), 0},     \
      {"Ncl" NNN "_sd",                                                                                               \
       "<SERIES_" NNN ">",                                                                                            \
       "%.0f",                                                                                                        \
       "N correct rejections low dots of series " NNN,                                                                \
       SeriesCountFlags(8, kVarTypeCorrectRejection),                                                                 \
       0},                                                                                                            \
      {"Nch" NNN "_sd",                                                                                               \
       "<SERIES_" NNN ">",                                                                                            \
       "%.0f",                                                                                                        \
       "N correct rejections high dots of series " NNN,                                                               \
       SeriesCountFlags(9, kVarTypeCorrectRejection),                                                                 \
       0},                                                                                                            \
      {"Nm" NNN "_sd", "<SERIES_" NNN ">", "%.0f", "N misses of series " NNN, SeriesCountFlags(10, kVarTypeMiss), 0}, \
      {"Nfl" NNN "_sd",                                                                                               \
       "<SERIES_" NNN ">",                                                                                            \
       "%.0f",                                                                                                        \
       "N false alarms low dots of series " NNN,                                                                      \
       SeriesCountFlags(11, kVarTypeFalseAlarm),                                                                      \
       0},                                                                                                            \
  {                                                                                                                   \
    "Nfh" NNN "_sd", "<SERIES_" NNN ">", "%.0f", "N false alarms high dots of series " NNN,                           \
        SeriesCountFlags(12, kVarTypeFalseAlarm), 0                                                                   \
  }

constexpr TaskVariableDef kVariables[kVariableCount] = {
    SUSTAINED_HEAD("_sd"),
    SUSTAINED_FULL("h", "hits", "<HI>", kVarTypeHit, "_sd"),
    SUSTAINED_FULL("cl", "correct rejections low dots", "<CR LD>", kVarTypeCorrectRejection, "_sd"),
    SUSTAINED_FULL("ch", "correct rejections high dots", "<CR HD>", kVarTypeCorrectRejection, "_sd"),
    SUSTAINED_SHORT("m", "misses", "<MI>", kVarTypeMiss, "_sd"),
    SUSTAINED_SHORT("fl", "false alarms low dots", "<FA LD>", kVarTypeFalseAlarm, "_sd"),
    SUSTAINED_SHORT("fh", "false alarms high dots", "<FA HD>", kVarTypeFalseAlarm, "_sd"),
    SUSTAINED_AFTER_ERROR("hae", "hits", "<HI AE>", kVarTypeHit, "_sd"),
    SUSTAINED_AFTER_ERROR("clae", "correct rejections low dots", "<CR LD AE>", kVarTypeCorrectRejection, "_sd"),
    SUSTAINED_AFTER_ERROR("chae", "correct rejections high dots", "<CR HD AE>", kVarTypeCorrectRejection, "_sd"),
    SUSTAINED_TAIL("_sd"),
    SUSTAINED_SERIES_1_TO_9(SD_SERIES, "00"),
    SUSTAINED_SERIES_DECADE(SD_SERIES, "01"),
    SUSTAINED_SERIES_DECADE(SD_SERIES, "02"),
    SUSTAINED_SERIES_DECADE(SD_SERIES, "03"),
    SUSTAINED_SERIES_DECADE(SD_SERIES, "04"),
    SUSTAINED_SERIES_DECADE(SD_SERIES, "05"),
    SUSTAINED_SERIES_DECADE(SD_SERIES, "06"),
    SUSTAINED_SERIES_DECADE(SD_SERIES, "07"),
    SUSTAINED_SERIES_DECADE(SD_SERIES, "08"),
    SUSTAINED_SERIES_DECADE(SD_SERIES, "09"),
    SD_SERIES("100"),
};
static_assert(RowOf(kVariables, "Ni_sd") + 1 == kFirstSeriesRow, "the series rows follow the counts");
static_assert(RowOf(kVariables, "T001_sd") == kFirstSeriesRow && RowOf(kVariables, "T100_sd") == 741,
              "seven rows per series, 100 series");

constexpr TaskNormVariable kNormVariables[kNormVariableCount] = {
    SUSTAINED_NORM_SERIES(kVariables, "sec", "_sd"), SUSTAINED_NORM_RT(kVariables, "h", "_sd"),
    SUSTAINED_NORM_RT(kVariables, "cl", "_sd"),      SUSTAINED_NORM_RT(kVariables, "ch", "_sd"),
    SUSTAINED_NORM_N(kVariables, "m", "_sd"),        SUSTAINED_NORM_N(kVariables, "fl", "_sd"),
    SUSTAINED_NORM_N(kVariables, "fh", "_sd"),
};
static_assert(NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define SD_GETTER(code) NormGetter(kNormVariables, code)

namespace {

constexpr QelCodeList kFullCategories = {3,
                                         {kCatHit, kCorrectRejectionFewer, kCorrectRejectionMore},
                                         {SD_GETTER("Zh_sd"), SD_GETTER("Zcl_sd"), SD_GETTER("Zch_sd")}};
constexpr QelCodeList kShortCategories = {
    3, {kCatMiss, kFalseAlarmFewer, kFalseAlarmMore}, {SD_GETTER("Zm_sd"), SD_GETTER("Zfl_sd"), SD_GETTER("Zfh_sd")}};

// After an error: hits and both kinds of correct rejection.
enum AfterErrorCode : int32_t { kHitAfterError = 20, kFewerAfterError = 22, kMoreAfterError = 23 };
constexpr QelCodeList kAfterError = {3, {kHitAfterError, kFewerAfterError, kMoreAfterError}, {}};
constexpr sustained::AfterErrorCode kRecodes[] = {
    {kCatHit, kHitAfterError}, {kCorrectRejectionFewer, kFewerAfterError}, {kCorrectRejectionMore, kMoreAfterError}};
constexpr int32_t kSeriesCategories[] = {kCatHit,  kCorrectRejectionFewer, kCorrectRejectionMore,
                                         kCatMiss, kFalseAlarmFewer,       kFalseAlarmMore};

const uint32_t kTrialRows[4][kMaxParts] = {{300}, {600}, {900}, {1200}};

// Practice, test and second lists: every block of 12 codes of the first two
// holds 4 'm', 3 'L', 3 'H', 1 'l' and 1 'h'.
constexpr auto kPractice = sustained::MakeOneCharCodes(
    "mmLHLHhHmLml"
    "HLLmmHhlHmmL");
constexpr auto kTest = sustained::MakeOneCharCodes(
    "LmHlmHLLhmHm"
    "lLHmHmLhLmmH"
    "hHLmlHLmLmHm"
    "hlLHmHmHmLmL"
    "mLLmlHHmHmhL"
    "hmLmLHmLmHlH"
    "LmHhmHHlmLmL"
    "mlHLmmLhLHmH"
    "lLmHLmHmmHhL"
    "mLhHLmlLHmHm"
    "lLhHLmHLmmHm"
    "LmhHmLHmlHLm"
    "LmlHmHLhHmLm"
    "HmLmHmLmlHhL"
    "HmhLLLmHlHmm"
    "HlmhLHmHmLmL"
    "HmHLhLmHmlmL"
    "HlHmHmLmhmLL"
    "hHmLmLmlHHmL"
    "LLhLmmHHmlHm"
    "mLmHmLlmHhLH"
    "lmHHmLmhLmLH"
    "HmLmHhLmLHml"
    "mHhHmlmLLHLm"
    "mLHmLlHmHLmh");
constexpr auto kSecond = sustained::MakeOneCharCodes("LmHmLh");
static_assert(kPractice.Count() == kPracticeLength && kTest.Count() == kTestLength && kSecond.Count() == kSecondLength);

}  // namespace

const char* const kVersionNames[1] = {"No versions"};
const char* const kCaptions2[kCaptionCount2] = {"T",  "SD",  "n(T)", "z(T)", "n(SD)", "z(SD)",
                                                "Nh", "Ncl", "Nch",  "Nm",   "Nfl",   "Nfh"};
const char* const kCodeNames[kCodeNameCount] = {"LOCR", "HICR", "LOFA", "HIFA"};

// Task 15: the three timing presets of the picture tasks.
const QelTaskDescription kDescription = {
    15, 3, 4, {sustained::kSelfPaced, sustained::kPaced, sustained::kFixedDisplay}, kTrialRows};

const sustained::SustainedLayout kLayout = {
    .fullCategories = &kFullCategories,
    .shortCategories = &kShortCategories,
    .afterError = &kAfterError,
    .recodes = kRecodes,
    .recodeCount = 3,
    .firstSeriesRow = kFirstSeriesRow,
    .tableSeries = kTableSeries,
    .seriesCategories = kSeriesCategories,
    .seriesCategoryCount = 6,
    .zSeriesMean = SD_GETTER("ZTser_sd"),
    .zSeriesSd = SD_GETTER("ZSser_sd"),
    .seriesForZ = kTaskLengthSeries,
};

const char (*PracticeList())[kTrialCodeSize] { return kPractice.List(); }
const char (*TestList())[kTrialCodeSize] { return kTest.List(); }
const char (*SecondList())[kTrialCodeSize] { return kSecond.List(); }

const SustainedTables kTables = {
    .modelDefault = &g_ModelDefault,
    .description = &kDescription,
    .versionNames = kVersionNames,
    .versionCount = 1,
    .variables = kVariables,
    .variableCount = kVariableCount,
    .normVariables = kNormVariables,
    .normVariableCount = kNormVariableCount,
    .captions2 = kCaptions2,
    .captionCount2 = kCaptionCount2,
    .layout = &kLayout,
    .seriesLength = kSeriesLength,
    .codeNames = kCodeNames,
    .codeNameCount = kCodeNameCount,
    .codeNameFirst = kCorrectRejectionFewer,
};

#undef SD_GETTER
#undef SD_SERIES

}  // namespace sad

}  // namespace qel
