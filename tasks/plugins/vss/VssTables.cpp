#include "tasks/plugins/vss/VssTables.h"

#include "tasks/layers/mouse/MouseVariableRows.h"

namespace qel {

namespace vss {

namespace {

using mouse::Column;
// Counts (type 1), false alarms (4), misses (5), extended rows and Z rows (9).
constexpr uint32_t kCount = Column(1) | 1u;
constexpr uint32_t kFalseAlarms = Column(1) | 4u;
constexpr uint32_t kMisses = Column(1) | 5u;
constexpr uint32_t kExtendedFalseAlarms = Column(1) | kVarExtended | 4u;
constexpr uint32_t kInterval = Column(1) | kVarExtended;
constexpr uint32_t kZ = Column(1) | kVarZRow | 9u;
constexpr uint32_t kZExtended = Column(1) | kVarExtended | kVarZRow | 9u;

const uint32_t kCodeRows[1][kMaxParts] = {{kTestTrials}};

}  // namespace

const char* const kVersionNames[kVersionCount] = {"Version 1", "Version 2"};
const char* const kPartNames[1] = {"No parts"};

constexpr TaskVariableDef kVariables[kVariableCount] = {
    {"Nct_vs", nullptr, "%.0f", "N of correct trials", kCount, 0},
    {"Nit_vs", nullptr, "%.0f", "N of identified targets", kCount, 0},
    {"Nitco_vs", nullptr, "%.0f", "N of identified targets in correct order", kCount, 0},
    {"Nf_vs", nullptr, "%.0f", "N of false alarms", kFalseAlarms, 0},
    {"Nm_vs", nullptr, "%.0f", "N of misses", kMisses, 0},
    {"Nend_vs", nullptr, "%.0f", "N of false alarms after completion of perfect trial series", kExtendedFalseAlarms, 0},
    {"Tint_vs", nullptr, "%.0f", "Mean pointing interval", kInterval, 0},
    {"Sint_vs", nullptr, "%.0f", "SD pointing interval", kInterval, 0},
    {"Zct_vs", nullptr, "%.2f", "Z-score N of correct trials", kZ, 0},
    {"Zit_vs", nullptr, "%.2f", "Z-score N of identified targets", kZ, 0},
    {"Zitco_vs", nullptr, "%.2f", "Z-score N of identified targets in correct order", kZ, 0},
    {"Zf_vs", nullptr, "%.2f", "Z-score N of false alarms", kZ, 0},
    {"Zm_vs", nullptr, "%.2f", "Z-score N of misses", kZ, 0},
    {"Zend_vs", nullptr, "%.2f", "Z-score N of false alarms after completion of perfect trialseries", kZExtended, 0},
    {"Ztint_vs", nullptr, "%.2f", "Z-score mean pointing interval", kZExtended, 0},
    {"Zsint_vs", nullptr, "%.2f", "Z-score SD pointing interval", kZExtended, 0},
};
static_assert(kVariables[5].flags == 0x10024 && kVariables[13].flags == 0x10069 && kVariables[8].flags == 0x10049);

// The norms database keeps the interval norms under "ZTint_vs" and
// "ZSint_vs" (capital letters, unlike the score codes).
constexpr TaskNormVariable kNormVariables[kNormVariableCount] = {
    mouse::NormRow(kVariables, "Zct_vs", "N", "Nct_vs", kNormReversed),
    mouse::NormRow(kVariables, "Zit_vs", "N", "Nit_vs", kNormReversed),
    mouse::NormRow(kVariables, "Zitco_vs", "N", "Nitco_vs", kNormReversed),
    mouse::NormRow(kVariables, "Zf_vs", "N", "Nf_vs", 0),
    mouse::NormRow(kVariables, "Zm_vs", "N", "Nm_vs", 0),
    mouse::NormRow(kVariables, "Zend_vs", "N", "Nend_vs", 0),
    mouse::NormRowNamed(kVariables, "Ztint_vs", "ZTint_vs", "ms", "Tint_vs", 0),
    mouse::NormRowNamed(kVariables, "Zsint_vs", "ZSint_vs", "ms", "Sint_vs", 0),
};
static_assert(msfa::NormRowsFound(kNormVariables), "every norm row names rows of the table");

// Task 36; one timing preset; one code row: 24 trials in part 1.
const QelTaskDescription kDescription = {
    36, 1, 1, {QelTimingPreset{{3, 0, 0, 0, 0, 0, 0, 0, 0}}, QelTimingPreset{}, QelTimingPreset{}}, kCodeRows,
};

const char kTestList[kTestTrials][kTrialCodeSize] = {
    "123000000", "369000000", "753000000", "159000000", "147890000", "123690000", "145000000", "985000000",
    "159870000", "951230000", "123400000", "987600000", "147200000", "963800000", "167000000", "927000000",
    "123578900", "361470000", "532180000", "589200000", "758961000", "965187000", "218967000", "841562000",
};
const char kPracticeList[kPracticeTrials][kTrialCodeSize] = {"654000000"};
const char kWarmUpList[1][kTrialCodeSize] = {"456000000"};

// The part instruction is one text for every language.
const LanguageTexts kTexts[3] = {
    {4, 101, 102},    // English (and the default)
    {103, 104, 102},  // Dutch
    {105, 106, 102},  // Italian
};

}  // namespace vss

}  // namespace qel
