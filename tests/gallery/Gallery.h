// The window gallery: every window of the program opened under the test X
// server and photographed into a folder, so that a person can look at all
// of them at once (and a test sees that none is empty). A window's picture
// is <folder>/<name>.png; the folder is $QEL_GALLERY_DIR, else
// <build>/gallery.
//
// Each area adds its windows in a file <area>_gallery.cpp of this folder:
// a test that opens the window as the program does and calls Snap.
#pragma once

#include <string>

class wxWindow;

namespace qel {

namespace test {

// The folder the pictures go to (made when missing).
std::string GalleryFolder();

// What a picture of a window holds.
struct GalleryPicture {
  bool written = false;  // the PNG file was written
  int width = 0;
  int height = 0;
  int colours = 0;  // distinct colours in the picture
};

// Shows the window (a top-level one is raised at the top left of the
// screen), lets it draw, photographs its rectangle of the screen and writes
// the picture as <name>.png.
GalleryPicture Snap(wxWindow* window, const std::string& name);

// A picture that shows a drawn window: written, of a real size, and more
// than a plain surface (text, frames, controls).
void ExpectDrawn(const GalleryPicture& picture, const std::string& name);

}  // namespace test

}  // namespace qel
