#include "tasks/plugins/tp/TappingTables.h"

#include "taskfw/VariableRows.h"

namespace qel {

namespace tapping {

namespace {

// Flags of the rows: counts, interval counts, interval means and SDs, Z of
// counts and of means (type, score column, extended or Z row).
constexpr uint32_t kCount = VariableFlags(kVarTypeCount, 1);
constexpr uint32_t kIntervalCount = VariableFlags(kVarTypeCount, 1, kVarExtended);
constexpr uint32_t kIntervalMean = VariableFlags(kVarTypeInterval, 2, kVarExtended);
constexpr uint32_t kIntervalSd = VariableFlags(kVarTypeInterval, 3, kVarExtended);
constexpr uint32_t kZCount = VariableFlags(kVarTypeZScore, 5, kVarZRow);
constexpr uint32_t kZMean = VariableFlags(kVarTypeZScore, 7, kVarZRow);

constexpr const char* kN = "%.0f";
constexpr const char* kZ = "%.2f";

const uint32_t kTrialsPresets[3][kMaxParts] = {
    {10, 10, 10, 10},
    {20, 20, 20, 20},
    {30, 30, 30, 30},
};

}  // namespace

const char* const kPartNames[kPartCount] = {"Left", "Right", "Alt", "Sync"};
const char* const kVersionNames[1] = {"No versions"};

constexpr TaskVariableDef kVariables[kVariableCount] = {
    {"Nlu_tp", nullptr, kN, "N of left unimanual taps", kCount, 1},
    {"Nliu_tp", "<LEFT>", kN, "N of left intervals unimanual taps", kIntervalCount, 1},
    {"Tliu_tp", "<LEFT>", kN, "Mean time left intervals unimanual taps", kIntervalMean, 1},
    {"Sliu_tp", "<LEFT>", kN, "SD time left intervals unimanual taps", kIntervalSd, 1},
    {"ZNlu_tp", "<LEFT>", kZ, "Z-score N of left unimanual taps", kZCount, 1},
    {"ZTliu_tp", "<LEFT>", kZ, "Z-score time intervals left unimanual taps", kZMean, 1},

    {"Nru_tp", nullptr, kN, "N of right unimanual taps", kCount, 2},
    {"Nriu_tp", "<RIGHT>", kN, "N of right intervals unimanual taps", kIntervalCount, 2},
    {"Triu_tp", "<RIGHT>", kN, "Mean time right intervals unimanual taps", kIntervalMean, 2},
    {"Sriu_tp", "<RIGHT>", kN, "SD time right intervals unimanual taps", kIntervalSd, 2},
    {"ZNru_tp", "<RIGHT>", kZ, "Z-score N of right unimanual taps", kZCount, 2},
    {"ZTriu_tp", "<RIGHT>", kZ, "Z-score time intervals right unimanual taps", kZMean, 2},

    {"Nla_tp", nullptr, kN, "N of left alternating taps", kCount, 3},
    {"Nra_tp", nullptr, kN, "N of right alternating taps", kCount, 3},
    {"Nva_tp", "<ALT>", kN, "N of valid alternating taps", kIntervalCount, 3},
    {"Tia_tp", "<ALT>", kN, "Mean time alternating tap intervals", kIntervalMean, 3},
    {"Sia_tp", "<ALT>", kN, "SD time alternating tap intervals", kIntervalSd, 3},
    {"ZNva_tp", "<ALT>", kZ, "Z-score N of valid alternating taps", kZCount, 3},
    {"ZTia_tp", "<ALT>", kZ, "Z-score time intervals alternating taps", kZMean, 3},
    {"Nvac_tp", "<ALT-C>", kN, "N of valid alternating taps criterion", kIntervalCount, 3},
    {"Tiac_tp", "<ALT-C>", kN, "Mean time alternating tap intervals criterion", kIntervalMean, 3},
    {"Siac_tp", "<ALT-C>", kN, "SD time alternating tap intervals criterion", kIntervalSd, 3},
    {"ZNvac_tp", "<ALT-C>", kZ, "Z-score N of valid alternating taps criterion", kZCount, 3},
    {"ZTiac_tp", "<ALT-C>", kZ, "Z-score time intervals alternating taps criterion", kZMean, 3},

    {"Nls_tp", nullptr, kN, "N of left synchronous taps", kCount, 4},
    {"Nrs_tp", nullptr, kN, "N of right synchronous taps", kCount, 4},
    {"Nvs_tp", "<SYNC>", kN, "N of valid synchronous taps", kIntervalCount, 4},
    {"Tis_tp", "<SYNC>", kN, "Mean time synchronous tap intervals", kIntervalMean, 4},
    {"Sis_tp", "<SYNC>", kN, "SD time synchronous tap intervals", kIntervalSd, 4},
    {"ZNvs_tp", "<SYNC>", kZ, "Z-score N of valid synchronous taps", kZCount, 4},
    {"ZTis_tp", "<SYNC>", kZ, "Z-score time intervals synchronous taps", kZMean, 4},
    {"Nvsc_tp", "<SYNC-C>", kN, "N of valid synchronous taps criterion", kIntervalCount, 4},
    {"Tisc_tp", "<SYNC-C>", kN, "Mean time synchronous tap intervals criterion", kIntervalMean, 4},
    {"Sisc_tp", "<SYNC-C>", kN, "SD time synchronous tap intervals criterion", kIntervalSd, 4},
    {"ZNvsc_tp", "<SYNC-C>", kZ, "Z-score N of valid synchronous taps criterion", kZCount, 4},
    {"ZTisc_tp", "<SYNC-C>", kZ, "Z-score time intervals synchronous taps criterion", kZMean, 4},
};

// Norm rows: the Z row of a count (unit "N") or of a mean interval ("ms")
// and the raw row it is computed from. More taps is better: the Z-scores of
// counts are reversed.
#define TP_NORM_N(z, raw) \
  { RowOf(kVariables, z), "N", z, nullptr, RowOf(kVariables, raw), kNormReversed }
#define TP_NORM_MS(z, raw) \
  { RowOf(kVariables, z), "ms", z, nullptr, RowOf(kVariables, raw), 0 }
constexpr TaskNormVariable kNormVariables[kNormVariableCount] = {
    TP_NORM_N("ZNlu_tp", "Nlu_tp"),    TP_NORM_MS("ZTliu_tp", "Tliu_tp"), TP_NORM_N("ZNru_tp", "Nru_tp"),
    TP_NORM_MS("ZTriu_tp", "Triu_tp"), TP_NORM_N("ZNva_tp", "Nva_tp"),    TP_NORM_MS("ZTia_tp", "Tia_tp"),
    TP_NORM_N("ZNvac_tp", "Nvac_tp"),  TP_NORM_MS("ZTiac_tp", "Tiac_tp"), TP_NORM_N("ZNvs_tp", "Nvs_tp"),
    TP_NORM_MS("ZTis_tp", "Tis_tp"),   TP_NORM_N("ZNvsc_tp", "Nvsc_tp"),  TP_NORM_MS("ZTisc_tp", "Tisc_tp"),
};
#undef TP_NORM_N
#undef TP_NORM_MS
static_assert(NormRowsFound(kNormVariables), "every norm row names a variable of the table");

namespace {

// The five rows of a group of intervals follow each other as the scoring
// writes them.
constexpr bool GroupLaidOut(const char* count, const char* mean, const char* sd, const char* zCount,
                            const char* zMean) {
  const int32_t first = RowOf(kVariables, count);
  return first >= 0 && RowOf(kVariables, mean) == first + 1 && RowOf(kVariables, sd) == first + 2 &&
         RowOf(kVariables, zCount) == first + 3 && RowOf(kVariables, zMean) == first + 4;
}
static_assert(GroupLaidOut("Nliu_tp", "Tliu_tp", "Sliu_tp", "ZNlu_tp", "ZTliu_tp"));
static_assert(GroupLaidOut("Nriu_tp", "Triu_tp", "Sriu_tp", "ZNru_tp", "ZTriu_tp"));
static_assert(GroupLaidOut("Nva_tp", "Tia_tp", "Sia_tp", "ZNva_tp", "ZTia_tp"));
static_assert(GroupLaidOut("Nvac_tp", "Tiac_tp", "Siac_tp", "ZNvac_tp", "ZTiac_tp"));
static_assert(GroupLaidOut("Nvs_tp", "Tis_tp", "Sis_tp", "ZNvs_tp", "ZTis_tp"));
static_assert(GroupLaidOut("Nvsc_tp", "Tisc_tp", "Sisc_tp", "ZNvsc_tp", "ZTisc_tp"));

}  // namespace

constexpr PartRows kPartRows[kPartCount] = {
    {RowOf(kVariables, "Nlu_tp"), -1, RowOf(kVariables, "Nliu_tp"), -1, NormGetter(kNormVariables, "ZNlu_tp"),
     NormGetter(kNormVariables, "ZTliu_tp"), nullptr, nullptr},
    {RowOf(kVariables, "Nru_tp"), -1, RowOf(kVariables, "Nriu_tp"), -1, NormGetter(kNormVariables, "ZNru_tp"),
     NormGetter(kNormVariables, "ZTriu_tp"), nullptr, nullptr},
    {RowOf(kVariables, "Nla_tp"), RowOf(kVariables, "Nra_tp"), RowOf(kVariables, "Nva_tp"),
     RowOf(kVariables, "Nvac_tp"), NormGetter(kNormVariables, "ZNva_tp"), NormGetter(kNormVariables, "ZTia_tp"),
     NormGetter(kNormVariables, "ZNvac_tp"), NormGetter(kNormVariables, "ZTiac_tp")},
    {RowOf(kVariables, "Nls_tp"), RowOf(kVariables, "Nrs_tp"), RowOf(kVariables, "Nvs_tp"),
     RowOf(kVariables, "Nvsc_tp"), NormGetter(kNormVariables, "ZNvs_tp"), NormGetter(kNormVariables, "ZTis_tp"),
     NormGetter(kNormVariables, "ZNvsc_tp"), NormGetter(kNormVariables, "ZTisc_tp")},
};

const char* const kCaptions[kCaptionCount] = {"N", "Int", "SDInt", "n(N)", "z(N)", "n(Int)", "z(Int)"};

// Task 35; one timing preset (signal duration irrelevant); part durations
// of 10, 20 and 30 seconds.
const QelTaskDescription kDescription = {
    35,
    1,
    3,
    {QelTimingPreset{{kSignalDurationIrrelevant, 0, 0, kEventsPostResponse, 0, 0, kIntervalVariable, 0, 0}},
     QelTimingPreset{}, QelTimingPreset{}},
    kTrialsPresets,
};

const LanguageTexts kTexts[3] = {
    {4, 105, {101, 102, 103, 104}},    // English (and the default)
    {107, 111, {108, 109, 110, 106}},  // Dutch
    {112, 113, {114, 115, 116, 117}},  // Italian
};

}  // namespace tapping

}  // namespace qel
