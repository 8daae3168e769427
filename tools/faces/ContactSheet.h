// Contact sheets of the face pictures for looking at them side by side:
// the large faces with a straight gaze (a row per person, a column per
// emotion), the large faces looking left and right, and the small faces.
#pragma once

#include <string>

namespace qel {

namespace faces {

// Writes faces_large.png, faces_gaze.png and faces_small.png into the
// folder; throws std::runtime_error when a sheet cannot be written.
void WriteContactSheets(const std::string& folder);

}  // namespace faces

}  // namespace qel
