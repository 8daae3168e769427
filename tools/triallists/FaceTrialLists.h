// The trial lists of the facial-emotion tasks: "Matching Facial Emotions 8",
// "6" and "4" (pairs of faces), "Identification Facial Emotions" and
// "Identification of Averted Facial Emotions" (single faces, a part per
// emotion asked for).
//
// Face codes: sex "m" or "w", person "1" or "2", emotion "0" neutral,
// "1" happy, "2" sad, "3" angry, "4" fear, "5" disgust, "6" surprise,
// "7" shame, "8" contempt; averted faces add "L" or "R".
#pragma once

#include <string>
#include <vector>

#include "tools/triallists/TaskTrialLists.h"

namespace qel {

namespace triallists {

// MFE8, MFE6, MFE4, IFE, IAE, in that order. Throws std::runtime_error
// when a list cannot be built.
std::vector<TaskTrialLists> BuildFaceTaskTrialLists();

// The face code of person 0..3 (m1, m2, w1, w2) with an emotion digit and
// a gaze (0 straight, 1 "L", 2 "R").
std::string FaceCodeOf(int person, int emotion, int gaze = 0);

}  // namespace triallists

}  // namespace qel
