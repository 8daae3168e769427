#include "tasks/plugins/saa/TaskSustainedAttentionAuditory.h"

#include "include/qel/TaskEntry.h"
#include "tasks/plugins/saa/SaaTables.h"
#include "tasks/plugins/saa/SaaTones.h"

namespace qel {

namespace {

// TEXT resources: task instruction, parameters help; the part text is the
// same in every language.
constexpr uint32_t kPartText = 102;
constexpr TaskTextIds kTexts[3] = {
    {101, kPartText, 103, 0},  // English (and the default)
    {105, kPartText, 106, 0},  // Dutch
    {107, kPartText, 110, 0},  // Italian
};

// The note's shape in units of the second size f: the head g = f x 100 / 480
// wide on each side, f x 80 / 480 high on each side; the stem e x that high.
constexpr int kNoteDesign = 480;
constexpr int kNoteHeadWidth = 100;
constexpr int kNoteHeadHeight = 80;
struct NoteShape {
  int penWidth;
  int stemFactor;
};
constexpr NoteShape NoteShapeOf(int kind) {
  return kind == CTaskSustainedAttentionAuditory::kNoteLow    ? NoteShape{3, 4}
         : kind == CTaskSustainedAttentionAuditory::kNoteHigh ? NoteShape{1, 8}
                                                              : NoteShape{2, 6};
}

int NoteKindOf(char tone) {
  if (tone == '1') return CTaskSustainedAttentionAuditory::kNoteLow;
  if (tone == '3') return CTaskSustainedAttentionAuditory::kNoteHigh;
  return CTaskSustainedAttentionAuditory::kNoteMiddle;
}

}  // namespace

CTaskSustainedAttentionAuditory::CTaskSustainedAttentionAuditory() : CTaskSustained(saa::kTables) {
  m_page = &m_pageObject;
  m_sizePercent[1] = kSecondSizePercent;
  m_pageObject.SetLengths(saa::kSeriesLength, saa::kTaskLengthSeries);
}

void CTaskSustainedAttentionAuditory::LoadTexts() { LoadTextsForLanguage(kTexts); }

char CTaskSustainedAttentionAuditory::TargetCharacter() const {
  return m_versionIndex >= 0 && m_versionIndex < saa::kVersions ? kTargets[m_versionIndex] : '\0';
}

int CTaskSustainedAttentionAuditory::FrequencyOf(char tone) const {
  if (tone >= '1' && tone <= '3') return m_frequencies[tone - '1'];
  return kFallbackFrequency;
}

bool CTaskSustainedAttentionAuditory::SetupRun(IExpModelTask* context, intptr_t value) {
  // Pitches the host cannot play would make silent trials: no run with them.
  if (context) {
    for (int word : {saa::kWordLowPitch, saa::kWordMiddlePitch, saa::kWordHighPitch}) {
      if (!saa::PitchPlayable(context->TaskParam[word])) return false;
    }
  }
  if (!CTaskSeries::SetupRun(context, value)) return false;
  const int v = m_versionIndex;
  m_record->practiceTrialList = saa::PracticeList(v);
  m_record->practiceTrialCount = saa::kPracticeLength;
  m_record->testTrialList = saa::TestList(v);
  m_record->testTrialCount = saa::kTestLength;
  m_record->runText = std::string(1, TargetCharacter());
  m_record->partWordsA[0] = saa::kTestLength;
  m_record->partWordsB[0] = saa::kPracticeLength;
  m_record->normTrialCounts[0] = saa::kNormTrials;
  m_record->secondList = saa::SecondList();
  m_record->secondListCount = saa::kSecondLength;
  PublishTrialList();
  m_pageObject.SetLengths(saa::kSeriesLength, saa::kTaskLengthSeries);
  return true;
}

bool CTaskSustainedAttentionAuditory::BeginRun(ITaskRunData* runData) {
  if (!CTaskSeries::BeginRun(runData)) return false;
  Present();
  m_currentTone = 0;
  m_frequencies[0] = static_cast<int>(m_runContext->TaskParam[saa::kWordLowPitch]);
  m_frequencies[1] = static_cast<int>(m_runContext->TaskParam[saa::kWordMiddlePitch]);
  m_frequencies[2] = static_cast<int>(m_runContext->TaskParam[saa::kWordHighPitch]);
  return true;
}

bool CTaskSustainedAttentionAuditory::SetTrial(const char* code) {
  m_toneFailed = false;
  m_trialSet = code && code[0] != '\0' && code[0] == TargetCharacter();
  return m_trialSet;
}

bool CTaskSustainedAttentionAuditory::StartTone(int frequency) {
  return m_host && m_host->MakeTone(frequency, saa::kToneSampleRate, saa::kToneChannels) && m_host->PlaySound(true);
}

bool CTaskSustainedAttentionAuditory::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (CTaskSeries::ShowSignal(code, display, c) && m_host) Present();
  // A trial without a tone ends unheard and is kept out of the scores.
  m_toneFailed = true;
  if (!code || code[0] == '\0') return false;
  m_currentTone = code[0];
  if (!StartTone(FrequencyOf(m_currentTone))) return false;
  m_toneFailed = false;
  return true;
}

bool CTaskSustainedAttentionAuditory::HideSignal(int32_t responseCode) {
  if (CTaskSeries::HideSignal(responseCode) && m_host) Present();
  if (m_host) m_host->StopSound();
  return true;
}

int32_t CTaskSustainedAttentionAuditory::ClassifyResponse(int32_t category, int32_t code) {
  if (m_toneFailed) return kCatExcluded;
  CTaskSeries::ClassifyResponse(category, code);
  if (category != kCatFalseAlarm) return category;
  switch (m_currentTone) {
    case '1':
      return saa::kFalseAlarmLow;
    case '2':
      return saa::kFalseAlarmMiddle;
    case '3':
      return saa::kFalseAlarmHigh;
    default:
      return category;
  }
}

void CTaskSustainedAttentionAuditory::DrawNote(CDC* dc, int x, int y, COLORREF colour, int kind) const {
  if (!dc) return;
  const NoteShape shape = NoteShapeOf(kind);
  const int f = m_size[1];
  const int g = f * kNoteHeadWidth / kNoteDesign;
  const int h = f * kNoteHeadHeight / kNoteDesign;
  dc->SetPen(colour, shape.penWidth);
  dc->SetBrush(colour);
  dc->Ellipse(x - g, y - h, x + g, y + h);
  dc->MoveTo(x + g, y);
  dc->LineTo(x + g, y - shape.stemFactor * f * kNoteHeadHeight / kNoteDesign);
  dc->LineTo(x + 2 * g, y - shape.stemFactor * f * kNoteHeadHeight / (2 * kNoteDesign));
}

bool CTaskSustainedAttentionAuditory::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  const char* code = reinterpret_cast<const char*>(a);
  if (!dc || !code) return false;
  if (code[0] != '\0') DrawNote(dc, m_centreX, m_centreY, m_warningColour, NoteKindOf(code[0]));
  return true;
}

void CTaskSustainedAttentionAuditory::NoteOnFront(COLORREF colour) {
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceFront)) {
    DrawNote(dc, m_centreX, m_centreY, colour, kNoteMiddle);
    m_host->SurfaceReleaseDC(kSurfaceFront, dc);
  }
}

bool CTaskSustainedAttentionAuditory::ShowWarning() {
  if (!m_host) return false;
  NoteOnFront(m_warningColour);
  return true;
}

bool CTaskSustainedAttentionAuditory::FeedbackOn() {
  if (!m_host || !m_runContext) return false;
  if (FeedbackType() != 2) return CTaskBase::FeedbackOn();
  NoteOnFront(m_feedbackColour);
  return true;
}

bool CTaskSustainedAttentionAuditory::FeedbackOff() {
  if (!m_host || !m_runContext) return false;
  if (FeedbackType() != 2) return CTaskBase::FeedbackOff();
  NoteOnFront(m_backColour);
  return true;
}

bool CTaskSustainedAttentionAuditory::PlayDemonstrationTone(int frequency, uint32_t ms) {
  StartTone(frequency);
  const bool escaped = WaitKeyUntil(GetRunTime() + ms) == kScanEscape;
  if (m_host) m_host->StopSound();
  return !escaped && WaitKeyUntil(GetRunTime() + kDemonstrationGapMs) != kScanEscape;
}

bool CTaskSustainedAttentionAuditory::Demonstrate(ITaskRunData* runData) {
  if (BeginRun(runData)) {
    const uint32_t toneMs = (m_runContext->w.TaskSDLow + m_runContext->w.TaskSDHigh) / 2;
    ShowWarning();
    bool going = WaitSpaceChange() != kScanEscape;
    if (going) HideSignal(0);
    for (int i = 0; going && i < kDemonstrationTones; ++i) going = PlayDemonstrationTone(m_frequencies[i % 3], toneMs);
    const char target = TargetCharacter();
    if (going && target >= '1' && target <= '3') {
      ShowWarning();
      going = WaitSpaceChange() != kScanEscape;
      if (going) HideSignal(0);
      for (int i = 0; going && i < kDemonstrationTargets; ++i)
        going = PlayDemonstrationTone(FrequencyOf(target), toneMs);
    }
  }
  EndRun();
  return true;
}

}  // namespace qel
