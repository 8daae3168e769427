// The two merged sequences of the bimanual parts: alternating taps (one hand
// after the other, taps that overlap too much are invalid) and synchronous
// pairs (one tap of each hand, overlapping enough). Both tag the taps of the
// hand lists they reject invalid.
#pragma once

#include "tasks/plugins/tp/TapList.h"

namespace qel {

// Alternating taps: a left tap overlapping some right tap by more than
// criterion percent is invalid, and the same for the right taps; then the
// valid taps are taken in press order, a second tap of the same hand in a
// row is dropped (the next interval is measured from it), and a tap after
// invalid taps of its own hand starts a new interval without being added.
// Intervals run from the press of the tap considered before.
TapList BuildAlternation(TapList& left, TapList& right, int criterion);

// Synchronous pairs: a tap is valid only when exactly one tap of the other
// hand overlaps it by more than criterion percent (a tap overlapping two
// invalidates them as well); the valid taps are then paired in press order,
// the pair's time being the mean of the two presses and its end the later
// release. A pair whose stretch another tap overlaps too much is refused and
// every tap in that stretch invalidated.
TapList BuildSynchrony(TapList& left, TapList& right, int criterion);

}  // namespace qel
