// The geometry of Tracking without a screen: the track's radius and width
// from the screen and the parameters, and the angle the pointer turns
// around the centre from one sample to the next.
#pragma once

#include <cstdint>

namespace qel {

// The track of a screen of `centreY` x 2 lines at a screen scale: the
// middle line's radius R, the half-width w (the circles lie at R - w and
// R + w) and the capture radius (half the half-width).
struct TrackGeometry {
  int radius = 180;
  int halfWidth = 10;
  int capture = 5;
};

// Track widths of TaskParam word 2.
enum TrackWidth : uint32_t { kTrackNarrow = 0, kTrackMedium = 1, kTrackWide = 2 };

// From the screen: R0 = centre y x scale / 2 (at least 6), w = R0 / 18 (at
// least 2), R = R0 - w, capture w / 2.
TrackGeometry TrackForScreen(int centreY, double scale);
// The half-width of a track width word over R: 7, 13 or 26 / 180 of R
// (medium for other words); the capture radius follows.
TrackGeometry TrackWithWidth(TrackGeometry track, uint32_t widthWord);

// Degrees from vector 1 to vector 2 (y pointing up), in -180..180;
// positive is counterclockwise on the screen; 0 when either is null.
double AngleStep(double x1, double y1, double x2, double y2);

}  // namespace qel
