#include "tasks/plugins/saa/SaaTables.h"

#include "tasks/layers/sustained/OneCharCodes.h"
#include "tasks/layers/sustained/SustainedRows.h"

namespace qel {

extern "C" const QelModelTask g_ModelDefault;

namespace saa {

using sustained::SeriesCountFlags;

// Series NN: its completion time and the counts of hits, misses and false
// alarms to the low, medium and high tone.
#define ST_SERIES(NN)                                                                                             \
  {"T" NN "_st", "<SERIES_" NN ">", "%.2f", "Completion time for series " NN, sustained::kSeriesTimeFlags, 0},    \
      {"Nh" NN "_st", "<SERIES_" NN ">", "%.0f", "N hits of series " NN, SeriesCountFlags(5, kVarTypeHit), 0},    \
      {"Nm" NN "_st", "<SERIES_" NN ">", "%.0f", "N misses of series " NN, SeriesCountFlags(6, kVarTypeMiss), 0}, \
      {"Nfl" NN "_st",                                                                                            \
       "<SERIES_" NN ">",                                                                                         \
       "%.0f",                                                                                                    \
       "N false alarms low tone of series " NN,                                                                   \
       SeriesCountFlags(7, kVarTypeFalseAlarm),                                                                   \
       0},                                                                                                        \
      {"Nfm" NN "_st",                                                                                            \
       "<SERIES_" NN ">",                                                                                         \
       "%.0f",                                                                                                    \
       "N false alarms medium tone of series " NN,                                                                \
       SeriesCountFlags(8, kVarTypeFalseAlarm),                                                                   \
       0},                                                                                                        \
  {                                                                                                               \
    "Nfh" NN "_st", "<SERIES_" NN ">", "%.0f", "N false alarms high tone of series " NN,                          \
        SeriesCountFlags(9, kVarTypeFalseAlarm), 0                                                                \
  }

constexpr TaskVariableDef kVariables[kVariableCount] = {
    SUSTAINED_HEAD("_st"),
    SUSTAINED_FULL("h", "hits", "<HI>", kVarTypeHit, "_st"),
    SUSTAINED_SHORT("m", "misses", "<MI>", kVarTypeMiss, "_st"),
    SUSTAINED_SHORT("fl", "false alarms low tone", "<FA LOW TONE>", kVarTypeFalseAlarm, "_st"),
    SUSTAINED_SHORT("fm", "false alarms medium tone", "<FA MEDIUM TONE>", kVarTypeFalseAlarm, "_st"),
    SUSTAINED_SHORT("fh", "false alarms high tone", "<FA HIGH TONE>", kVarTypeFalseAlarm, "_st"),
    SUSTAINED_TAIL("_st"),
    SUSTAINED_SERIES_1_TO_9(ST_SERIES, "0"),
    SUSTAINED_SERIES_DECADE(ST_SERIES, "1"),
    ST_SERIES("20"),
};
static_assert(RowOf(kVariables, "Ni_st") + 1 == kFirstSeriesRow, "the series rows follow the counts");
static_assert(RowOf(kVariables, "T01_st") == kFirstSeriesRow && RowOf(kVariables, "T20_st") == 143,
              "six rows per series, 20 series");

constexpr TaskNormVariable kNormVariables[kNormVariableCount] = {
    SUSTAINED_NORM_SERIES(kVariables, "ms", "_st"), SUSTAINED_NORM_RT(kVariables, "h", "_st"),
    SUSTAINED_NORM_N(kVariables, "m", "_st"),       SUSTAINED_NORM_N(kVariables, "fl", "_st"),
    SUSTAINED_NORM_N(kVariables, "fm", "_st"),      SUSTAINED_NORM_N(kVariables, "fh", "_st"),
};
static_assert(NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define ST_GETTER(code) NormGetter(kNormVariables, code)

namespace {

constexpr QelCodeList kFullCategories = {1, {kCatHit}, {ST_GETTER("Zh_st")}};
constexpr QelCodeList kShortCategories = {
    4,
    {kCatMiss, kFalseAlarmLow, kFalseAlarmMiddle, kFalseAlarmHigh},
    {ST_GETTER("Zm_st"), ST_GETTER("Zfl_st"), ST_GETTER("Zfm_st"), ST_GETTER("Zfh_st")}};
constexpr int32_t kSeriesCategories[] = {kCatHit, kCatMiss, kFalseAlarmLow, kFalseAlarmMiddle, kFalseAlarmHigh};

const uint32_t kTrialRows[2][kMaxParts] = {{360}, {720}};

// Per version a practice list of 36 and a test list of 360 codes; every
// block of 36 holds twelve of each tone.
constexpr auto kPractice1 = sustained::MakeOneCharCodes("221313332121311223313221321213211323");
constexpr auto kTest1 = sustained::MakeOneCharCodes(
    "123213322131123122131323212311332321"
    "212311213233212311312233122331322311"
    "113223112332213132121233131223122331"
    "221313332121311223313221321213211323"
    "123213322131123122131323212311332321"
    "212311213233212311312233122331322311"
    "121323123312321231122331312112132323"
    "321213331122323111233221333231122211"
    "233111223321112131332232311321223213"
    "123321221313321132121323133322211321");
constexpr auto kPractice2 = sustained::MakeOneCharCodes("323133221131223123231233121223131112");
constexpr auto kTest2 = sustained::MakeOneCharCodes(
    "321123223131123312323121311122233123"
    "211333221123332313112212133123221231"
    "321231122313321322313121232133112123"
    "232133231211232133132211322113122133"
    "123231113322121333211223111213322233"
    "323121321132123213322113132332312121"
    "331221332112231312323211313221322113"
    "232133231211232133132211322113122133"
    "321231122313321322313121232133112123"
    "223131112323133221131223123231233121");
constexpr auto kPractice3 = sustained::MakeOneCharCodes("212331231331212223312311232131211332");
constexpr auto kTest3 = sustained::MakeOneCharCodes(
    "323121311122233123321123223131123312"
    "112212133123221231211333221123332313"
    "313121232133112123321231122313321322"
    "132211322113122133232133231211232133"
    "211223111213322233123231113322121333"
    "322113132332312121323121321132123213"
    "323211313221322113331221332112231312"
    "132211322113122133232133231211232133"
    "313121232133112123321231122313321322"
    "131223123231233121223131112323133221");
constexpr auto kSecond = sustained::MakeOneCharCodes("123312");
static_assert(kPractice1.Count() == kPracticeLength && kTest1.Count() == kTestLength && kTest2.Count() == kTestLength &&
              kTest3.Count() == kTestLength && kSecond.Count() == kSecondLength);

}  // namespace

const char* const kVersionNames[kVersions] = {"Version 1", "Version 2", "Version 3"};
const char* const kCaptions2[kCaptionCount2] = {"T",  "SD", "n(T)", "z(T)", "n(SD)", "z(SD)",
                                                "Nh", "Nm", "Nfl",  "Nfm",  "Nfh"};
const char* const kCodeNames[kCodeNameCount] = {"LOFA", "MEFA", "HIFA"};

// Task 19. One timing preset: a tone of 100 ms every 1.75 s from its onset,
// answers from 200 to 1500 ms.
const QelTaskDescription kDescription = {
    19,         1,
    2,          {QelTimingPreset{{1, 100, 100, 1, 200, 1500, 1, 1750, 1750}}, QelTimingPreset{}, QelTimingPreset{}},
    kTrialRows,
};

const sustained::SustainedLayout kLayout = {
    .fullCategories = &kFullCategories,
    .shortCategories = &kShortCategories,
    .firstSeriesRow = kFirstSeriesRow,
    .tableSeries = kTableSeries,
    .seriesCategories = kSeriesCategories,
    .seriesCategoryCount = 5,
    .seriesTime = sustained::SeriesTime::kHitsScaled,
    .hitsPerSeries = kHitsPerSeries,
    .zSeriesMean = ST_GETTER("ZTser_st"),
    .zSeriesSd = ST_GETTER("ZSser_st"),
    .seriesForZ = kTaskLengthSeries,
};

const char (*PracticeList(int version))[kTrialCodeSize] {
  static constexpr const char(*kLists[kVersions])[kTrialCodeSize] = {kPractice1.codes, kPractice2.codes,
                                                                     kPractice3.codes};
  return version >= 0 && version < kVersions ? kLists[version] : nullptr;
}

const char (*TestList(int version))[kTrialCodeSize] {
  static constexpr const char(*kLists[kVersions])[kTrialCodeSize] = {kTest1.codes, kTest2.codes, kTest3.codes};
  return version >= 0 && version < kVersions ? kLists[version] : nullptr;
}

const char (*SecondList())[kTrialCodeSize] { return kSecond.List(); }

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
    .codeNames = kCodeNames,
    .codeNameCount = kCodeNameCount,
    .codeNameFirst = kFalseAlarmLow,
};

#undef ST_GETTER
#undef ST_SERIES

}  // namespace saa

}  // namespace qel
