#include "tests/gallery/Gallery.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include <cstdlib>
#include <filesystem>
#include <unordered_set>

#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XScreenShot.h"

namespace qel {

namespace test {

std::string GalleryFolder() {
  const char* dir = std::getenv("QEL_GALLERY_DIR");
  const std::filesystem::path folder =
      dir && *dir ? std::filesystem::path(dir) : std::filesystem::path(QEL_GALLERY_DIR);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder.string();
}

GalleryPicture Snap(wxWindow* window, const std::string& name) {
  GalleryPicture picture;
  if (!window) return picture;
  if (auto* top = dynamic_cast<wxTopLevelWindow*>(window)) {
    top->Move(0, 0);
    top->Show();
    top->Raise();
  } else {
    window->GetParent()->Show();
    window->Show();
  }
  window->Refresh();
  window->Update();
  Pump(400);
  const wxRect rect = window->GetScreenRect();
  if (rect.width <= 0 || rect.height <= 0) return picture;
  XScreenShot shot(rect.x, rect.y, rect.width, rect.height);
  if (!shot.IsOk()) return picture;
  wxImage image(shot.Width(), shot.Height());
  std::unordered_set<uint32_t> colours;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const uint32_t rgb = shot.At(x, y);
      colours.insert(rgb);
      image.SetRGB(x, y, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
  }
  picture.width = shot.Width();
  picture.height = shot.Height();
  picture.colours = static_cast<int>(colours.size());
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  const std::filesystem::path file = std::filesystem::path(GalleryFolder()) / (name + ".png");
  picture.written = image.SaveFile(wxString::FromUTF8(file.string()), wxBITMAP_TYPE_PNG);
  return picture;
}

void ExpectDrawn(const GalleryPicture& picture, const std::string& name) {
  SCOPED_TRACE(name);
  EXPECT_TRUE(picture.written);
  EXPECT_GE(picture.width, 40);
  EXPECT_GE(picture.height, 20);
  EXPECT_GE(picture.colours, 3) << "an empty window";
}

}  // namespace test

}  // namespace qel
