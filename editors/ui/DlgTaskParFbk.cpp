#include "editors/ui/DlgTaskParFbk.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "app/settings/SystemSettings.h"
#include "editors/TaskTextHelpers.h"
#include "editors/ui/EditorServices.h"
#include "editors/ui/RtfView.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/sound/SoundService.h"

namespace qel {

CDlgTaskParFbk::CDlgTaskParFbk(wxWindow* parent, const EditorServices& services)
    : CDlgTaskParPage(parent, services), m_timer(this, kSoundTimerId) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, kIdOptionLabel, "Feedback"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  m_option = new wxChoice(this, kIdOption, wxDefaultPosition, wxSize(140, -1));
  row->Add(m_option, 0);
  top->Add(row, 0, wxALL, 6);
  auto* sounds = new wxStaticBoxSizer(wxHORIZONTAL, this, "Sounds");
  sounds->GetStaticBox()->SetId(kIdSoundsGroup);
  for (int k = 0; k < kFeedbackSoundCount; ++k) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    m_sounds[k] = new wxRadioButton(sounds->GetStaticBox(), kSoundIds[k], std::to_string(k + 1), wxDefaultPosition,
                                    wxDefaultSize, k == 0 ? wxRB_GROUP : 0);
    column->Add(m_sounds[k], 0, wxALIGN_CENTER_HORIZONTAL | wxBOTTOM, 2);
    column->Add(new wxButton(sounds->GetStaticBox(), kProbeIds[k], "Probe", wxDefaultPosition, wxSize(60, -1)), 0);
    sounds->Add(column, 0, wxALL, 4);
    m_sounds[k]->Bind(wxEVT_RADIOBUTTON, [this, k](wxCommandEvent&) { ChooseSound(k); });
    Bind(wxEVT_BUTTON, [this, k](wxCommandEvent&) { TestSound(k); }, kProbeIds[k]);
    m_sounds[k]->SetToolTip("Select audio feedback sound");
  }
  top->Add(sounds, 0, wxEXPAND | wxALL, 6);
  m_description = new CRtfView(this, kIdDescription, wxSize(-1, 120));
  top->Add(m_description, 1, wxEXPAND | wxALL, 6);
  SetSizer(top);
  m_option->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
    if (m_option->GetSelection() != wxNOT_FOUND) ChooseOption(m_option->GetStringSelection().ToStdString());
  });
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnSoundTick(); }, kSoundTimerId);
  m_option->SetToolTip("Select task feedback option");
  FindWindow(kIdOptionLabel)->SetToolTip("Task feedback option");
  for (int id : kProbeIds) FindWindow(id)->SetToolTip("Click to test audio feedback sound");
  m_description->SetToolTip("Description of currently selected feedback option");
}

CDlgTaskParFbk::~CDlgTaskParFbk() { StopSound(); }

void CDlgTaskParFbk::UpdatePage() {
  CDlgTaskParPage::UpdatePage();
  bool bound = false, canFeedback = false, audio = false;
  int soundChoice = -1;
  m_hasSound = false;
  m_option->Clear();
  std::string description = kEmptyRtf;
  FeedbackChoices choices;
  if (m_task) {
    bound = m_task->IsLibraryLoaded();
    canFeedback = FeedbackPossible(m_task->w.TaskFlags);
    if (m_services.runData) m_task->PrepareRun(m_services.runData);
    if (bound) {
      description = m_task->GetFeedbackText();
      if (description.empty()) {
        description = GetFeedbackText(m_task, EditorLanguage(), [this](uint32_t id) { return LoadText(id); });
      }
    } else {
      description = LoadText(kTextTaskNotAvailable);
    }
    if (canFeedback && FeedbackTypeOf(m_task->w.TaskFbk) == kFeedbackAudio) {
      audio = true;
      soundChoice = static_cast<int>(FeedbackSoundOf(m_task->w.TaskFbk));
      m_hasSound = FeedbackSoundResource(soundChoice) != 0;
    }
    choices = OfferedFeedback(m_task->w.TaskFlags, m_task->w.TaskFbk);
  }
  for (uint32_t option : choices.options) m_option->Append(FeedbackOptionName(option));
  m_option->SetSelection(choices.selected);
  m_description->SetRtf(description);
  for (int k = 0; k < kFeedbackSoundCount; ++k) m_sounds[k]->SetValue(k == soundChoice);
  ShowControl(kIdOptionLabel, canFeedback);
  ShowControl(kIdOption, canFeedback);
  ShowControl(kIdSoundsGroup, audio);
  for (int k = 0; k < kFeedbackSoundCount; ++k) {
    ShowControl(kSoundIds[k], audio);
    ShowControl(kProbeIds[k], audio);
    EnableControl(kSoundIds[k], audio && IsEditable() && bound);
  }
  EnableControl(kIdOption, canFeedback && IsEditable() && bound);
  Layout();
}

std::vector<std::string> CDlgTaskParFbk::OfferedOptions() const {
  std::vector<std::string> names;
  for (unsigned i = 0; i < m_option->GetCount(); ++i) names.push_back(m_option->GetString(i).ToStdString());
  return names;
}

std::string CDlgTaskParFbk::Description() const { return m_description->GetRtf(); }

void CDlgTaskParFbk::ChooseOption(const std::string& name) {
  if (!m_task || !IsEditable()) return;
  const int index = FindFeedbackOption(name);
  m_task->w.TaskFbk = WithFeedbackOption(m_task->w.TaskFbk, index < 0 ? kFeedbackNone : static_cast<uint32_t>(index));
  Edited();
}

void CDlgTaskParFbk::ChooseSound(int k) {
  if (!m_task || !IsEditable() || k < 0 || k >= kFeedbackSoundCount) return;
  m_task->w.TaskFbk = WithFeedbackSound(m_task->w.TaskFbk, static_cast<uint32_t>(k));
  Edited();
}

void CDlgTaskParFbk::TestSound(int k) {
  if (m_playing) {
    StopSound();
    return;
  }
  const uint16_t resource = FeedbackSoundResource(k);
  if (!resource || !m_hasSound || !m_services.host) return;
  // The sound plays on the output device chosen in the system configuration, as in runs.
  if (InitSoundOutput(g_SoundInd, this) != kSoundOk) return;
  if (!m_services.host->LoadWaveResource(resource, nullptr) || PlayCurrentSound(false) != kSoundOk) {
    FreeSoundOutput();
    return;
  }
  m_playing = true;
  m_playEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(kSoundTestLengthMs);
  m_timer.Start(kSoundTimerMs);
  m_playingProbe = k;
  SetText(kProbeIds[k], "Stop");
}

void CDlgTaskParFbk::OnSoundTick() {
  if (!m_playing) return;
  if (std::chrono::steady_clock::now() < m_playEnd && IsCurrentSoundPlaying()) return;
  StopSound();
}

void CDlgTaskParFbk::StopSound() {
  if (!m_playing) return;
  m_playing = false;
  m_timer.Stop();
  StopAndRewindSound();
  FreeSoundOutput();
  if (m_playingProbe >= 0) SetText(kProbeIds[m_playingProbe], "Probe");
  m_playingProbe = -1;
}

}  // namespace qel
