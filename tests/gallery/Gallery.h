// The window gallery: every window of the program opened under the test X
// server and photographed into a folder, so that a person can look at all
// of them at once (and a test sees that none is empty). A window's picture
// is <folder>/<name>.png; the folder is $QEL_GALLERY_DIR, else
// <build>/gallery.
//
// Each area adds its windows in a file <area>_gallery.cpp of this folder:
// a test that opens the window as the program does and calls Snap (or
// SnapModal for a window the program shows modally and closes itself), then
// ExpectDrawn. Every window of the program is named in Windows.txt with its
// picture; gallery_manifest_test keeps that list complete.
#pragma once

#include <functional>
#include <string>

class wxWindow;

namespace qel {

namespace test {

// The folder the pictures go to (made when missing).
std::string GalleryFolder();

// What a picture of a window holds.
struct GalleryPicture {
  bool written = false;     // the PNG file was written
  bool onScreen = false;    // the X server shows the window where it was put
  bool fitsScreen = false;  // the whole window lies on the screen
  int width = 0;            // of the window (the picture is clipped to the screen)
  int height = 0;
  int colours = 0;  // distinct colours in the picture
};

// Shows the window (a top-level one is raised at the top left of the
// screen), lets it draw, photographs its rectangle of the screen and writes
// the picture as <name>.png.
GalleryPicture Snap(wxWindow* window, const std::string& name);

// Calls `open`, which shows a modal window titled `title` (any new window
// when empty; a wx dialog or a window of the toolkit's own, such as a
// message box or a file chooser) and returns when it is
// closed; photographs the window once it shows and closes it as the
// operator's Escape key does. A window that does not show within seconds
// gives a picture that is not written.
GalleryPicture SnapModal(const std::string& title, const std::string& name, const std::function<void()>& open);

// A picture that shows a drawn window: written, on the screen and within
// it, of a real size, and more than a plain surface (text, frames, controls).
void ExpectDrawn(const GalleryPicture& picture, const std::string& name);

}  // namespace test

}  // namespace qel
