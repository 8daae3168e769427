#include "engine/input/SdlPadEvents.h"

#include <SDL2/SDL.h>
#include <pthread.h>
#include <sched.h>

#include <algorithm>

#include "common/MonotonicNs.h"
#include "engine/input/InputEventLog.h"
#include "engine/input/SdlPad.h"

namespace qel {

namespace {

// As the X event reader: just above the 1 ms beat.
constexpr int kRealTimePriority = 46;
constexpr int kEventBatch = 32;
constexpr int kMaxChanges = 64;
// Every joystick and game controller event type.
constexpr Uint32 kFirstPadEvent = SDL_JOYAXISMOTION;
constexpr Uint32 kLastPadEvent = SDL_CONTROLLERSENSORUPDATE;

}  // namespace

SdlPadEvents::~SdlPadEvents() { Stop(); }

bool SdlPadEvents::Start(InputEventLog* log) {
  if (IsRunning()) return true;
  if (log == nullptr || SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return false;
  m_log = log;
  {
    std::lock_guard<std::mutex> lock(m_controlMutex);
    m_stop = false;
  }
  m_thread = std::thread(&SdlPadEvents::Run, this);
  return true;
}

void SdlPadEvents::Stop() {
  if (!IsRunning()) return;
  {
    std::lock_guard<std::mutex> lock(m_controlMutex);
    m_stop = true;
  }
  m_wake.notify_all();
  m_thread.join();
  m_looked.notify_all();
  for (int slot = 0; slot < kSlots; ++slot) Unwatch(slot);
}

void SdlPadEvents::Watch(int slot, const SdlPad* pad) {
  if (slot < 0 || slot >= kSlots) return;
  {
    std::lock_guard<std::mutex> pads(m_padsMutex);
    // What SDL queued before the watch is not this device's news.
    if (SDL_WasInit(SDL_INIT_JOYSTICK) != 0) SDL_FlushEvents(kFirstPadEvent, kLastPadEvent);
    m_pads[slot] = pad;
    for (bool& down : m_down[slot]) down = false;
    std::lock_guard<std::mutex> reading(m_readingMutex);
    m_readings[slot] = Reading{};
  }
  m_wake.notify_all();
}

void SdlPadEvents::Unwatch(int slot) { Watch(slot, nullptr); }

SdlPadEvents::Reading SdlPadEvents::Read(int slot) const {
  if (slot < 0 || slot >= kSlots) return Reading{};
  std::lock_guard<std::mutex> lock(m_readingMutex);
  return m_readings[slot];
}

bool SdlPadEvents::Sync(std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> lock(m_controlMutex);
  if (!IsRunning() || m_stop) return false;
  // A look begun before now may have missed what happened just now.
  const uint64_t ticket = m_looksBegun + 1;
  m_wake.notify_all();
  return m_looked.wait_for(lock, limit, [&] { return m_looksDone >= ticket || m_stop; }) && m_looksDone >= ticket;
}

void SdlPadEvents::Run() {
  // Real-time when allowed, so a button is stamped as soon as it is there.
  sched_param param{};
  param.sched_priority = kRealTimePriority;
  pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);

  std::unique_lock<std::mutex> control(m_controlMutex);
  while (!m_stop) {
    ++m_looksBegun;
    control.unlock();
    const bool watching = Look();
    control.lock();
    m_looksDone = m_looksBegun;
    m_looked.notify_all();
    if (m_stop) break;
    if (watching) {
      m_wake.wait_for(control, std::chrono::nanoseconds(kPumpPeriodNs));
    } else {
      // Nothing to look at: wait for a watch, a sync or the stop.
      m_wake.wait(control);
    }
  }
}

bool SdlPadEvents::Look() {
  std::lock_guard<std::mutex> pads(m_padsMutex);
  const bool watching = m_pads[0] != nullptr || m_pads[1] != nullptr;
  if (watching) SDL_JoystickUpdate();
  // Everything this update brought reached the program by now (never
  // before it happened).
  const int64_t lookedNs = MonotonicNowNs();

  // Presses and releases of this look, logged once the states are out.
  InputEventStamp changes[kMaxChanges];
  int changeCount = 0;
  SDL_Event events[kEventBatch];
  int count = 0;
  while ((count = SDL_PeepEvents(events, kEventBatch, SDL_GETEVENT, kFirstPadEvent, kLastPadEvent)) > 0) {
    for (int i = 0; i < count; ++i) {
      const SDL_Event& e = events[i];
      for (int slot = 0; slot < kSlots; ++slot) {
        const SdlPad* pad = m_pads[slot];
        if (pad == nullptr) continue;
        // A game pad's buttons are its mapped ones, a joystick's its own.
        int button = -1;
        bool down = false;
        if (pad->IsController() && (e.type == SDL_CONTROLLERBUTTONDOWN || e.type == SDL_CONTROLLERBUTTONUP) &&
            e.cbutton.which == pad->InstanceId()) {
          button = e.cbutton.button;
          down = e.type == SDL_CONTROLLERBUTTONDOWN;
        } else if (!pad->IsController() && (e.type == SDL_JOYBUTTONDOWN || e.type == SDL_JOYBUTTONUP) &&
                   e.jbutton.which == pad->InstanceId()) {
          button = e.jbutton.button;
          down = e.type == SDL_JOYBUTTONDOWN;
        }
        // Only changes count: SDL may report a game pad's button more than
        // once (once per mapping watcher it has installed).
        if (button < 0 || button >= kButtons || m_down[slot][button] == down) continue;
        m_down[slot][button] = down;
        if (changeCount == kMaxChanges) {  // not expected within one look
          m_log->Add(changes[0]);
          std::copy(changes + 1, changes + kMaxChanges, changes);
          --changeCount;
        }
        const InputSource source = slot == 0 ? InputSource::kGamePadButton : InputSource::kJoystickButton;
        changes[changeCount++] = InputEventStamp{lookedNs, down, source, static_cast<uint8_t>(button)};
      }
    }
  }

  Reading seen[kSlots];
  for (int slot = 0; slot < kSlots; ++slot) {
    const SdlPad* pad = m_pads[slot];
    if (pad == nullptr) continue;
    seen[slot].known = true;
    seen[slot].attached = pad->Attached();
    if (seen[slot].attached) seen[slot].result = pad->Read(&seen[slot].state, &seen[slot].detail);
    for (int b = 0; b < kButtons; ++b) m_down[slot][b] = seen[slot].state.rgbButtons[b] != 0;
  }
  {
    std::lock_guard<std::mutex> reading(m_readingMutex);
    for (int slot = 0; slot < kSlots; ++slot) m_readings[slot] = seen[slot];
  }
  // After the states: a beat that reads the log's count and then the state
  // never sees a change whose event lies before that count.
  for (int i = 0; i < changeCount; ++i) m_log->Add(changes[i]);
  return watching;
}

}  // namespace qel
