#include "tasks/layers/arith/TaskMentalArithmetic.h"

#include <algorithm>
#include <vector>

#include "include/qel/TaskEntry.h"
#include "tasks/layers/msfa/MemorySearchRun.h"

namespace qel {

namespace {

const char* const kPartNames[] = {"All problems"};
constexpr int kParts = 1;

// The demonstration's example problems.
const char* const kAdditionExamples[] = {"3 + 8 = ?", "12 + 15 = ?"};
const char* const kMultiplicationExamples[] = {"4 x 5 = ?"};

}  // namespace

CTaskMentalArithmetic::CTaskMentalArithmetic(const ArithmeticTables& tables) : m_tables(tables) {
  m_modelDefault = tables.modelDefault;
  m_versionNames = tables.versionNames;
  m_versionCount = tables.versionCount;
  m_partNames = kPartNames;
  m_partCount = kParts;
  m_variables = tables.variables;
  m_variableCount = tables.variableCount;
  m_normVariables = tables.norms;
  m_normVariableCount = tables.normCount;
}

void CTaskMentalArithmetic::LoadTexts() {
  msfa::LanguageTexts texts[3];
  for (int language = 0; language < 3; ++language) {
    texts[language] = {m_tables.descriptionTexts[language], 0, {m_tables.partText, 0, 0}};
  }
  msfa::LoadPartTexts(*this, texts, kParts);
}

bool CTaskMentalArithmetic::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  m_record->practiceTrialList = m_tables.practiceList(m_versionIndex, m_partIndex);
  m_record->practiceTrialCount = static_cast<uint32_t>(m_tables.practiceLength);
  m_record->testTrialList = m_tables.testList(m_versionIndex, m_partIndex);
  m_record->testTrialCount = static_cast<uint32_t>(m_tables.testLength);
  msfa::PublishPartWords(*m_record, kParts, &m_tables.testLength, m_tables.practiceLength,
                         m_tables.modelDefault->TaskPartTrials);
  PublishTrialList();
  return true;
}

bool CTaskMentalArithmetic::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  m_problem = arith::Problem();
  m_answer = arith::kNoAnswer;
  // The standard size is the framework's second size, taken as points.
  const int percent = arith::SizePercent(m_runContext->TaskParam[arith::kSizeWord]);
  m_font.CreateFromPoints(m_size[1] * percent / arith::kSizeDefault, kFwNormal);
  return Present();
}

bool CTaskMentalArithmetic::EndRun() {
  m_font.Delete();
  return CTaskBase::EndRun();
}

bool CTaskMentalArithmetic::ShowCentred(const std::string& text, int* width) {
  if (!ClearBackSurface()) return false;
  CDC* dc = m_host->SurfaceGetDC(kSurfaceBack);
  if (!dc) return false;
  m_font.Select(dc);
  dc->SetBkMode(kBkTransparent);
  dc->SetTextColor(m_textColour);
  dc->SetTextAlign(kTaLeft | kTaTop);
  int w = 0;
  int h = 0;
  GetTextSize(dc, text, &w, &h);
  TextOutString(dc, m_centreX - w / 2, m_centreY - h / 2, text);
  CTaskFont::Deselect(dc);
  ReleaseBackDC(dc);
  if (width) *width = w;
  return Present();
}

bool CTaskMentalArithmetic::ShowSignal(const char* code, IDDDisplay*, intptr_t) {
  // Every trial starts without a problem and without an answer: nothing of
  // the previous problem is judged again.
  m_problem = arith::ParseProblem(code, m_tables.type);
  m_answer = arith::kNoAnswer;
  m_problemWidth = 0;
  m_answerClearWidth = 0;
  if (!m_host || !m_problem.valid) return false;
  return ShowCentred(arith::ProblemText(m_problem, m_tables.type), &m_problemWidth);
}

bool CTaskMentalArithmetic::HideSignal(int32_t responseCode) {
  // The problem and the typed answer leave the screen with the signal.
  return CTaskBase::HideSignal(responseCode) && Present();
}

void CTaskMentalArithmetic::DrawAnswer(const std::string& digits, bool cursor) {
  CDC* dc = m_host->SurfaceGetDC(kSurfaceFront);
  if (!dc) return;
  m_font.Select(dc);
  dc->SetBkMode(kBkTransparent);
  dc->SetTextColor(m_textColour);
  dc->SetTextAlign(kTaLeft | kTaTop);
  const std::string text = "= " + digits + (cursor ? "_" : "");
  int w = 0;
  int h = 0;
  GetTextSize(dc, text, &w, &h);
  const int x = m_centreX + m_problemWidth / 2;
  const int y = m_centreY - h / 2;
  // What the field showed before goes first.
  m_answerClearWidth = std::max(m_answerClearWidth, w);
  dc->FillSolidRect(x, y, m_answerClearWidth, h, m_backColour);
  TextOutString(dc, x, y, text);
  CTaskFont::Deselect(dc);
  m_host->SurfaceReleaseDC(kSurfaceFront, dc);
}

int32_t CTaskMentalArithmetic::OnResponse(int32_t, int32_t) {
  m_answer = arith::kNoAnswer;
  if (!m_host || !m_problem.valid) return 0;
  arith::CAnswerField field;
  bool cursor = true;
  DrawAnswer(field.Text(), cursor);
  uint32_t nextBlink = GetRunTime() + kBlinkMs;
  for (;;) {
    char typed = 0;
    switch (field.Feed(m_host->ReadDigitKey(&typed))) {
      case arith::CAnswerField::Outcome::kChanged:
        DrawAnswer(field.Text(), cursor);
        break;
      case arith::CAnswerField::Outcome::kRefused:
        BeepTrain(1);
        break;
      case arith::CAnswerField::Outcome::kDone:
        DrawAnswer(field.Text(), false);
        m_answer = field.Value();
        return 0;
      case arith::CAnswerField::Outcome::kAborted:
        // The operator gave up on this answer: the trial counts as skipped.
        DrawAnswer(field.Text(), false);
        return kCatSkipped;
      case arith::CAnswerField::Outcome::kNothing:
        break;
    }
    const uint32_t now = GetRunTime();
    if (now >= nextBlink) {
      cursor = !cursor;
      DrawAnswer(field.Text(), cursor);
      nextBlink = now + kBlinkMs;
    }
    m_host->SleepMs(kKeyPollMs);
  }
}

// Only a response is judged; one to a trial without a problem cannot be, and
// is left out of the scores.
int32_t CTaskMentalArithmetic::ClassifyResponse(int32_t category, int32_t) {
  if (category != kCatHit) return category;
  if (!m_problem.valid) return kCatExcluded;
  return arith::AnswerCategory(m_problem, m_tables.type, m_answer);
}

bool CTaskMentalArithmetic::Demonstrate(ITaskRunData* runData) {
  if (!BeginRun(runData)) return false;
  const bool addition = arith::IsAddition(m_tables.type);
  const char* const* examples = addition ? kAdditionExamples : kMultiplicationExamples;
  const int count = addition ? 2 : 1;
  for (int i = 0; i < count; ++i) {
    ShowCentred(examples[i], nullptr);
    if (WaitSpaceChange() == kScanEscape) break;
  }
  EndRun();
  return true;
}

int32_t CTaskMentalArithmetic::ComputeVariables(ITaskRunData* runData) {
  int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  constexpr int part = 0;
  const int n = static_cast<int>(std::min<uint32_t>(m_runContext->trialCounts[part], kMaxResponses));
  // The kinds taken together (at least one entry, so the run data sees values).
  std::vector<int32_t> combined(static_cast<size_t>(std::max(n, 1)), 0);
  for (int i = 0; i < n; ++i) combined[i] = arith::CombinedCategory(runData->taskCategory[part][i]);
  const int32_t* times = runData->reactionTime[part];

  // Number and mean RT of two kinds taken together (nothing without trials,
  // as for the single kinds), then the mean of their two Z-scores.
  const auto pairRows = [&](int32_t at, int32_t category, const int32_t(&z)[2]) {
    const QelCodeList pair = {1, {category}, {nullptr}};
    at = n > 0 ? runData->StoreCountMeanForCodes(at, combined.data(), times, n, &pair) : at + 2;
    return runData->CombinePair(at, z[0], z[1], true);
  };

  index = runData->ComputePartExtended(m_runContext, index, part, m_tables.correctList);
  for (int p = 0; p < m_tables.pairCount && index >= 0; ++p) {
    index = pairRows(index, p == 0 ? arith::kCorrectTypes12 : arith::kCorrectTypes34, m_tables.pairs[p].correctZ);
  }
  if (index >= 0) index = runData->ComputePartCountMeanZ(m_runContext, index, part, m_tables.errorList);
  for (int p = 0; p < m_tables.pairCount && index >= 0; ++p) {
    index = pairRows(index, p == 0 ? arith::kErrorTypes12 : arith::kErrorTypes34, m_tables.pairs[p].errorZ);
  }
  if (index >= 0) index = runData->CountPartOutcomes(m_runContext, index, part);
  return index;
}

}  // namespace qel
