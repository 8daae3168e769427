#include "tasks/plugins/tr/TrackingTables.h"

#include "taskfw/NormGetters.h"

namespace qel {

namespace tracking {

namespace {

constexpr int32_t kCombined = 1;

}  // namespace

const char* const kPartNames[kPartCount] = {"Left hand", "Right hand"};
const char* const kVersionNames[1] = {"No versions"};

// More time forward inside the track is better: its Z-score is reversed.
// Norm entries 0..2 are the left hand's (% forward in, SD, mean absolute
// deviation), 3..5 the right hand's; both hands take the mean of the pair.
constexpr TaskNormVariable kNormVariables[kNormVariableCount] = {
    mouse::NormRow(kVariables, "ZPfil_tr", "%", "Pfil_tr", kNormReversed),
    mouse::NormRow(kVariables, "ZSl_tr", "mm", "Sl_tr", 0),
    mouse::NormRow(kVariables, "ZDal_tr", "mm", "Dal_tr", 0),
    mouse::NormRow(kVariables, "ZPfir_tr", "%", "Pfir_tr", kNormReversed),
    mouse::NormRow(kVariables, "ZSr_tr", "mm", "Sr_tr", 0),
    mouse::NormRow(kVariables, "ZDar_tr", "mm", "Dar_tr", 0),
    mouse::CombinedNormRow(kVariables, "ZPfi_tr", "%", "Pfi_tr", CombinedNormValue<0, 3, NormCombination::kMean>,
                           kCombined),
    mouse::CombinedNormRow(kVariables, "ZS_tr", "mm", "S_tr", CombinedNormValue<1, 4, NormCombination::kMean>,
                           kCombined),
    mouse::CombinedNormRow(kVariables, "ZDa_tr", "mm", "Da_tr", CombinedNormValue<2, 5, NormCombination::kMean>,
                           kCombined),
};
static_assert(NormRowsFound(kNormVariables), "every norm row names rows of the table");
static_assert(kNormVariables[0].id == 4 && kNormVariables[1].id == 14 && kNormVariables[2].id == 17 &&
              kNormVariables[3].id == 82 && kNormVariables[5].source == 93 && kNormVariables[6].id == 158 &&
              kNormVariables[8].id == 167 && kNormVariables[8].source == 165);

const char* const kCaptions[kCaptionCount] = {"N",    "%",    "n(%)", "z(%)",  "D",     "S",
                                              "n(S)", "z(S)", "DA",   "n(DA)", "z(DA)", "MA"};
const char* const kSecondCaptions[kSecondCaptionCount] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};

// Task 31; one timing preset; no code rows.
const QelTaskDescription kDescription = {
    31, 1, 0, {QelTimingPreset{{3, 0, 0, 1, 0, 0, 1, 20, 20}}, QelTimingPreset{}, QelTimingPreset{}}, nullptr,
};

const MouseTaskTexts kTexts[3] = {
    {150, 157, {155, 156}, {153, 154, 152}},  // English (and the default)
    {159, 161, {160, 158}, {163, 164, 162}},  // Dutch
    {168, 169, {170, 171}, {166, 165, 167}},  // Italian
};

}  // namespace tracking

}  // namespace qel
