#include "tests/gallery/Gallery.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <unordered_set>

#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XScreenShot.h"
#include "tests/support/x11/XTestInput.h"
#include "tests/support/x11/XWindows.h"

namespace qel {

namespace test {

namespace {

constexpr int kDrawMs = 400;         // a shown window's time to draw itself
constexpr int kModalTickMs = 100;    // how often a modal window is looked for
constexpr int kModalDrawTicks = 4;   // ticks a found modal window is given to draw
constexpr int kModalShowTicks = 80;  // ticks a modal window is given to show
constexpr int kModalCloseTicks = 10; // ticks between two tries to close it

// Photographs the rectangle (clipped to the screen) into <name>.png.
void Photograph(const wxRect& rect, const std::string& name, GalleryPicture* picture) {
  const wxRect screen(wxPoint(0, 0), wxGetDisplaySize());
  picture->width = rect.width;
  picture->height = rect.height;
  picture->fitsScreen = screen.Contains(rect);
  const wxRect shown = rect.Intersect(screen);
  if (shown.width <= 0 || shown.height <= 0) return;
  XScreenShot shot(shown.x, shown.y, shown.width, shown.height);
  if (!shot.IsOk()) return;
  wxImage image(shot.Width(), shot.Height());
  std::unordered_set<uint32_t> colours;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const uint32_t rgb = shot.At(x, y);
      colours.insert(rgb);
      image.SetRGB(x, y, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
  }
  picture->colours = static_cast<int>(colours.size());
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  const std::filesystem::path file = std::filesystem::path(GalleryFolder()) / (name + ".png");
  picture->written = image.SaveFile(wxString::FromUTF8(file.string()), wxBITMAP_TYPE_PNG);
}

// Whether the X server shows a top-level window titled `title` (any title
// when empty) over the rectangle.
bool ShownByTheServer(const std::string& title, const wxRect& rect) {
  XWindows windows;
  for (const XTopWindow& top : windows.Viewable()) {
    if (!title.empty() && top.title != title) continue;
    if (wxRect(top.x, top.y, top.width, top.height).Intersects(rect)) return true;
  }
  return false;
}

std::set<unsigned long> ViewableIds() {
  std::set<unsigned long> ids;
  XWindows windows;
  for (const XTopWindow& top : windows.Viewable()) ids.insert(top.id);
  return ids;
}

// The modal wx dialog titled `title` (any when empty), if one is running.
wxDialog* ModalDialog(const std::string& title) {
  for (wxWindow* top : wxTopLevelWindows) {
    auto* dialog = wxDynamicCast(top, wxDialog);
    if (dialog && dialog->IsModal() && (title.empty() || dialog->GetTitle().utf8_string() == title)) return dialog;
  }
  return nullptr;
}

// Looks for the modal window while the program's modal loop runs,
// photographs it and closes it.
class ModalSnapper : public wxTimer {
 public:
  ModalSnapper(const std::string& title, const std::string& name) : m_title(title), m_name(name) {
    m_before = ViewableIds();
  }

  void Notify() override {
    ++m_ticks;
    if (m_closing) {
      if ((m_ticks - m_closing) % kModalCloseTicks == 0) Close();
      return;
    }
    XWindows windows;
    std::optional<XTopWindow> found;
    for (const XTopWindow& top : windows.Viewable()) {
      if ((m_title.empty() || top.title == m_title) && !m_before.count(top.id)) found = top;  // topmost last
    }
    if (!found) {
      m_seen = 0;
      if (m_ticks > kModalShowTicks) Stop();  // never showed: the picture stays unwritten
      return;
    }
    if (++m_seen < kModalDrawTicks) return;
    m_picture.onScreen = true;
    m_window = found->id;
    Photograph(wxRect(found->x, found->y, found->width, found->height), m_name, &m_picture);
    m_closing = m_ticks;
    Close();
  }

  const GalleryPicture& Picture() const { return m_picture; }

 private:
  void Close() {
    if (wxDialog* dialog = ModalDialog(m_title)) {
      dialog->EndModal(wxID_CANCEL);
      return;
    }
    // A window of the toolkit's own: the operator's Escape key.
    XWindows windows;
    windows.Focus(m_window);
    XTestInput input;
    input.KeyNamed("Escape", true);
    input.KeyNamed("Escape", false);
    input.Flush();
  }

  std::string m_title;
  std::string m_name;
  std::set<unsigned long> m_before;
  GalleryPicture m_picture;
  unsigned long m_window = 0;
  int m_ticks = 0;
  int m_seen = 0;
  int m_closing = 0;
};

}  // namespace

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
  Pump(kDrawMs);
  const wxRect rect = window->GetScreenRect();
  if (rect.width <= 0 || rect.height <= 0) return picture;
  wxWindow* top = wxGetTopLevelParent(window);
  const wxRect topRect = top ? top->GetScreenRect() : rect;
  picture.onScreen = window->IsShownOnScreen() && ShownByTheServer(top ? top->GetLabel().utf8_string() : "", topRect);
  Photograph(rect, name, &picture);
  // A window within its frame fits when the frame does.
  if (top && top != window) picture.fitsScreen = wxRect(wxPoint(0, 0), wxGetDisplaySize()).Contains(topRect);
  return picture;
}

GalleryPicture SnapModal(const std::string& title, const std::string& name, const std::function<void()>& open) {
  ModalSnapper snapper(title, name);
  snapper.Start(kModalTickMs);
  open();
  snapper.Stop();
  Pump(50);
  return snapper.Picture();
}

void ExpectDrawn(const GalleryPicture& picture, const std::string& name) {
  SCOPED_TRACE(name);
  EXPECT_TRUE(picture.written) << "no picture: the window did not open";
  EXPECT_TRUE(picture.onScreen) << "the window is not on the screen";
  EXPECT_TRUE(picture.fitsScreen) << "the window (" << picture.width << "x" << picture.height
                                  << ") does not fit the screen";
  EXPECT_GE(picture.width, 40);
  EXPECT_GE(picture.height, 20);
  EXPECT_GE(picture.colours, 3) << "an empty window";
}

}  // namespace test

}  // namespace qel
