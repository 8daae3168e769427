// Position of a task's or node kind's icon in the program's icon table.
#pragma once

namespace qel {

// Kinds 0-16 give 66-82, 17 and 18 give 82, 19-38 give 83-102; any other 65.
int GetImageIndex(int kind);

}  // namespace qel
