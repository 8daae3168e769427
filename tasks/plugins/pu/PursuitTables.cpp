#include "tasks/plugins/pu/PursuitTables.h"

#include "taskfw/NormGetters.h"

namespace qel {

namespace pursuit {

namespace {

// Norm row flags: reversed Z (more samples near the target is better) and
// the main program's kinds of combined rows.
constexpr int32_t kPercent = kNormReversed | 2;
constexpr int32_t kCombinedMm = 1;
constexpr int32_t kCombinedPercent = 3;

const uint32_t kDurationPresets[4][kMaxParts] = {
    {60, 60},
    {120, 120},
    {300, 300},
    {600, 600},
};

}  // namespace

const char* const kPartNames[kPartCount] = {"Left hand", "Right hand"};
const char* const kVersionNames[1] = {"No versions"};

// Norm entries 0..4 are the left hand's, 5..9 the right hand's: the pair
// getter k takes the mean of entries k and k + 5.
constexpr TaskNormVariable kNormVariables[kNormVariableCount] = {
    mouse::NormRow(kVariables, "ZDl_pu", "mm", "Dl_pu", 0),
    mouse::NormRow(kVariables, "ZSl_pu", "mm", "Sl_pu", 0),
    mouse::NormRow(kVariables, "Z3l_pu", "%", "P3l_pu", kPercent),
    mouse::NormRow(kVariables, "Z6l_pu", "%", "P6l_pu", kPercent),
    mouse::NormRow(kVariables, "Z12l_pu", "%", "P12l_pu", kPercent),
    mouse::NormRow(kVariables, "ZDr_pu", "mm", "Dr_pu", 0),
    mouse::NormRow(kVariables, "ZSr_pu", "mm", "Sr_pu", 0),
    mouse::NormRow(kVariables, "Z3r_pu", "%", "P3r_pu", kPercent),
    mouse::NormRow(kVariables, "Z6r_pu", "%", "P6r_pu", kPercent),
    mouse::NormRow(kVariables, "Z12r_pu", "%", "P12r_pu", kPercent),
    mouse::CombinedNormRow(kVariables, "ZD_pu", "mm", "D_pu", GetPairNormValue0, kCombinedMm),
    mouse::CombinedNormRow(kVariables, "ZS_pu", "mm", "S_pu", GetPairNormValue1, kCombinedMm),
    mouse::CombinedNormRow(kVariables, "Z3_pu", "%", "P3_pu", GetPairNormValue2, kCombinedPercent),
    mouse::CombinedNormRow(kVariables, "Z6_pu", "%", "P6_pu", GetPairNormValue3, kCombinedPercent),
    mouse::CombinedNormRow(kVariables, "Z12_pu", "%", "P12_pu", GetPairNormValue4, kCombinedPercent),
};
static_assert(msfa::NormRowsFound(kNormVariables), "every norm row names rows of the table");
static_assert(kNormVariables[0].id == 2 && kNormVariables[9].id == 21 && kNormVariables[14].id == 31 &&
              kNormVariables[14].source == 30);
static_assert(SecondRow(0, 1) == 32 && SecondRow(1, 1) == 92 && SecondRow(0, 61) == 152 && SecondRow(1, 600) == 1231);

const char* const kCaptions[kCaptionCount] = {"N",  "D",     "n(D)", "z(D)",  "S",   "n(S)",  "z(S)",
                                              "P3", "z(P3)", "P6",   "z(P6)", "P12", "z(P12)"};
const char* const kSecondCaptions[kSecondCaptionCount] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};

// Task 29; the timing of its one preset; part durations of 1, 2, 5 and 10 minutes.
const QelTaskDescription kDescription = {
    29,
    1,
    4,
    {QelTimingPreset{{3, 0, 0, 1, 0, 0, 1, 100, 100}}, QelTimingPreset{}, QelTimingPreset{}},
    kDurationPresets,
};

const MouseTaskTexts kTexts[3] = {
    {150, 158, {156, 157}, {154, 155, 153}},  // English (and the default)
    {160, 162, {161, 159}, {164, 165, 163}},  // Dutch
    {169, 173, {171, 172}, {167, 166, 168}},  // Italian
};

}  // namespace pursuit

}  // namespace qel
