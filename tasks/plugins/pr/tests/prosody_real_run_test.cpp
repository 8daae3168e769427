// One real practice run of Prosody: the run dialog with the real 1 ms timer,
// the full-screen display on the X server, the voice key listening to the
// disk audio driver's input file (a burst of sound every 2 s stands for the
// testee naming an emotion), the sentences going to the driver's output
// file, and an operator on a thread of its own who sees the buttons on the
// screen and clicks them through the X test extension.
#include <gtest/gtest.h>
#include <wx/app.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/settings/SystemSettings.h"
#include "engine/input/InputDevices.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "engine/sound/SoundDevices.h"
#include "tasks/plugins/pr/PrTrialLists.h"
#include "tasks/plugins/pr/ProsodyButtons.h"
#include "tasks/plugins/pr/ProsodyJudging.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XScreenShot.h"
#include "tests/support/x11/XTestInput.h"

namespace qel {

using namespace test;

namespace {

using qel::test::Pump;
using qel::test::PumpUntil;
using qel::test::XScreenShot;
using qel::test::XTestInput;
using Clock = std::chrono::steady_clock;

// 8000 Hz 16-bit stereo frames for the voice key: 0.3 s of a 1 kHz tone on
// both channels every 2 s.
bool WriteVoiceInput(const std::string& path, double seconds) {
  std::ofstream out(path, std::ios::binary);
  const size_t frames = static_cast<size_t>(seconds * 8000);
  for (size_t i = 0; i < frames; ++i) {
    const bool burst = i % 16000 >= 4000 && i % 16000 < 6400;
    const auto v = static_cast<int16_t>(burst ? std::lround(16000 * std::sin(2 * M_PI * 1000.0 * i / 8000.0)) : 0);
    const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF),
                           static_cast<char>((v >> 8) & 0xFF)};
    out.write(bytes, 4);
  }
  return static_cast<bool>(out);
}

std::vector<int16_t> ReadS16(const std::string& path, size_t skip) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> s;
  for (size_t i = skip; i + 1 < b.size(); i += 2) {
    s.push_back(static_cast<int16_t>(static_cast<uint8_t>(b[i]) | (static_cast<uint8_t>(b[i + 1]) << 8)));
  }
  return s;
}

// The samples of a sentence (a canonical 22050 Hz mono PCM file).
std::vector<int16_t> Sentence(const std::string& code) {
  const pr::SentenceCode c = pr::ParseSentenceCode(code.c_str());
  const char letter = "hsaf"[c.emotion - 1];
  char name[16];
  std::snprintf(name, sizeof name, "%c%02d.wav", letter, c.sentence);
  return ReadS16(std::string(QEL_SOURCE_DIR) + "/tasks/plugins/pr/sounds/" + name, 44);
}

// Whether 0.2 s of the sentence, from its first sound on, stand in the left
// channel of the output (a mono 22050 Hz sound on a 22050 Hz stereo device;
// the conversion may move a sample by one).
bool Played(const std::vector<int16_t>& left, const std::vector<int16_t>& sentence) {
  size_t first = 0;
  while (first < sentence.size() && std::abs(sentence[first]) < 500) ++first;
  const size_t length = 4410;
  if (first + length > sentence.size()) return false;
  for (size_t p = 0; p + length <= left.size(); ++p) {
    size_t i = 0;
    while (i < length && std::abs(left[p + i] - sentence[first + i]) <= 2) ++i;
    if (i == length) return true;
  }
  return false;
}

// The operator: waits until the buttons can be clicked (button 0 is on the
// screen), lets the sentence play on for a while, moves the mouse from
// where the task puts the pointer to the button and clicks; first "Start",
// then "Sad" for every sentence.
class Operator {
 public:
  explicit Operator(int width, int height)
      : m_layout(pr::LayoutButtons(width / 2, height / 2)), m_start(pr::PointerStart(width / 2, height / 2)) {
    m_thread = std::thread([this] { Work(); });
  }
  ~Operator() {
    m_stop = true;
    m_thread.join();
  }
  int Clicks() const { return m_clicks.load(); }
  int Lost() const { return m_lost.load(); }

 private:
  bool ButtonsShown() {
    const QelRect& r = m_layout.rects[0];
    XScreenShot shot(r.left, r.top, r.Width(), r.Height());
    const uint32_t face = shot.At(8, r.Height() / 2);
    return face != 0xFFFFFFFFu && ((face >> 16) & 0xFF) > 0x90;  // the light face of the button
  }
  bool WaitShown(bool shown, std::chrono::seconds limit) {
    const auto end = Clock::now() + limit;
    while (!m_stop && Clock::now() < end) {
      if (ButtonsShown() == shown) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }
  void Click(int button) {
    const QelRect& r = m_layout.rects[button];
    int dx = (r.left + r.right) / 2 - m_start.x;
    int dy = (r.top + r.bottom) / 2 - m_start.y;
    while (dx != 0 || dy != 0) {
      const int sx = std::clamp(dx, -25, 25);
      const int sy = std::clamp(dy, -25, 25);
      m_x.Move(sx, sy);
      m_x.Sync();
      dx -= sx;
      dy -= sy;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    m_x.Button(1, true);
    m_x.Sync();
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    m_x.Button(1, false);
    m_x.Sync();
    ++m_clicks;
  }
  void Work() {
    bool first = true;
    while (!m_stop) {
      if (!WaitShown(true, std::chrono::seconds(1))) continue;
      if (!first) std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // the sentence plays on
      Click(first ? 0 : 2);
      first = false;
      if (!WaitShown(false, std::chrono::seconds(5)) && !m_stop) {
        // The click did not reach the task: Escape ends its wait (and the
        // run breaks), so the test fails instead of hanging.
        ++m_lost;
        m_x.KeyNamed("Escape", true);
        m_x.Sync();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        m_x.KeyNamed("Escape", false);
        m_x.Sync();
      }
    }
  }

  XTestInput m_x;
  pr::ButtonLayout m_layout;
  QelPoint m_start;
  std::atomic<bool> m_stop{false};
  std::atomic<int> m_clicks{0};
  std::atomic<int> m_lost{0};
  std::thread m_thread;
};

TEST(ProsodyRealRun, SentencesAreHeardAndTheOperatorsClicksAreJudged) {
  XTestInput x;
  ASSERT_TRUE(x.Ok());
  XTestInput::SetSyncHook([] { qel::SyncInputEvents(); });
  TempFolder folder;
  const std::string output = folder.File("out.raw");
  const std::string input = folder.File("voice.raw");
  ASSERT_TRUE(WriteVoiceInput(input, 90));
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  setenv("SDL_DISKAUDIOFILEIN", input.c_str(), 1);
  ASSERT_TRUE(EnumSoundDevices());
  ASSERT_EQ(qel::EnumInputDevices(), 0);
  ResetSystemSettings();
  g_ButtonType = 1;  // the mouse is the response device: the operator's clicks

  auto library = std::make_unique<CTaskLibrary>();
  library->host = &Host();
  ASSERT_TRUE(library->Load(QEL_OUTPUT_DIR "/QelPR.qet", true));
  CExpModelTask task;
  task.SetFromModelTask(library->modelDefault);
  task.library = library.get();
  task.w.TaskVRLow = 0;  // whenever the burst comes after the sentence starts, it is an answer
  RunData().SetTask(&task);
  ScoreRecorder scores;
  SetScoreDialogFactory(&scores);
  auto* dialog = new CDlgRun(nullptr, Host(), RunData());
  dialog->SetTask(&task);
  dialog->SetTitle(true);

  {
    Operator op(x.ScreenWidth(), x.ScreenHeight());
    ASSERT_TRUE(dialog->RunPractice(nullptr, "P01", "Model"));
    const bool ended = PumpUntil([&] { return !dialog->IsRunActive(); }, 120000);
    EXPECT_EQ(op.Lost(), 0) << "every click reached the task";
    ASSERT_TRUE(ended) << "the run ends";
    EXPECT_EQ(op.Clicks(), 5) << "Start, then one click per sentence";
  }
  ASSERT_EQ(scores.m_seen.size(), 1u);
  EXPECT_EQ(scores.m_seen[0].variableCount, 72);

  // The practice list, each sentence once: "Sad" named for each.
  const auto* practice = PrPracticeList(0, 0);
  ASSERT_EQ(dialog->Machine().GetResponseCount(), static_cast<uint32_t>(kPrPracticeLength));
  for (int i = 0; i < kPrPracticeLength; ++i) {
    SCOPED_TRACE(practice[i]);
    EXPECT_EQ(RunData().category[0][i], kCatHit);
    EXPECT_EQ(RunData().taskCategory[0][i],
              pr::IdentificationCategory(pr::kSad, pr::ParseSentenceCode(practice[i]).emotion));
  }

  // Every sentence went to the sound device.
  const std::vector<int16_t> all = ReadS16(output, 0);
  std::vector<int16_t> left;
  for (size_t i = 0; i < all.size(); i += 2) left.push_back(all[i]);
  for (int i = 0; i < kPrPracticeLength; ++i) EXPECT_TRUE(Played(left, Sentence(practice[i]))) << practice[i];

  SetScoreDialogFactory(nullptr);
  dialog->Destroy();
  Pump(20);
  wxTheApp->ProcessIdle();
  library->Unload();
}

}  // namespace

}  // namespace qel
