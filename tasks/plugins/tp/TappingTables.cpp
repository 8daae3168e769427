#include "tasks/plugins/tp/TappingTables.h"

namespace qel {

namespace tapping {

namespace {

// Flags of the rows: counts, interval counts, interval means and SDs, Z of
// counts and of means (type, extended or Z row, score column).
constexpr uint32_t kCount = 0x10001;
constexpr uint32_t kIntervalCount = 0x10021;
constexpr uint32_t kIntervalMean = 0x2002B;
constexpr uint32_t kIntervalSd = 0x3002B;
constexpr uint32_t kZCount = 0x50049;
constexpr uint32_t kZMean = 0x70049;

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

const TaskVariableDef kVariables[kVariableCount] = {
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

// More taps is better: the Z-scores of counts are reversed.
const TaskNormVariable kNormVariables[kNormVariableCount] = {
    {4, "N", "ZNlu_tp", nullptr, 0, kNormReversed},    {5, "ms", "ZTliu_tp", nullptr, 2, 0},
    {10, "N", "ZNru_tp", nullptr, 6, kNormReversed},   {11, "ms", "ZTriu_tp", nullptr, 8, 0},
    {17, "N", "ZNva_tp", nullptr, 14, kNormReversed},  {18, "ms", "ZTia_tp", nullptr, 15, 0},
    {22, "N", "ZNvac_tp", nullptr, 19, kNormReversed}, {23, "ms", "ZTiac_tp", nullptr, 20, 0},
    {29, "N", "ZNvs_tp", nullptr, 26, kNormReversed},  {30, "ms", "ZTis_tp", nullptr, 27, 0},
    {34, "N", "ZNvsc_tp", nullptr, 31, kNormReversed}, {35, "ms", "ZTisc_tp", nullptr, 32, 0},
};

const char* const kCaptions[kCaptionCount] = {"N", "Int", "SDInt", "n(N)", "z(N)", "n(Int)", "z(Int)"};

// Task 35; one timing preset (signal duration irrelevant); part durations
// of 10, 20 and 30 seconds.
const QelTaskDescription kDescription = {
    35, 1, 3, {QelTimingPreset{{3, 0, 0, 0, 0, 0, 0, 0, 0}}, QelTimingPreset{}, QelTimingPreset{}}, kTrialsPresets,
};

const LanguageTexts kTexts[3] = {
    {4, 105, {101, 102, 103, 104}},    // English (and the default)
    {107, 111, {108, 109, 110, 106}},  // Dutch
    {112, 113, {114, 115, 116, 117}},  // Italian
};

}  // namespace tapping

}  // namespace qel
