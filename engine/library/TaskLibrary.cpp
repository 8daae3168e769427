#include "engine/library/TaskLibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "common/Prompt.h"
#include "include/qel/ExpModelTaskInterface.h"

namespace qel {

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text;
  if (n > 0) {
    text.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<size_t>(n));
  }
  va_end(args);
  return text;
}

// A name table of count entries, each of which must be a text.
bool NamesPresent(const char* const* names, int32_t count) {
  if (count <= 0) return true;
  if (!names) return false;
  for (int32_t i = 0; i < count; ++i) {
    if (!names[i]) return false;
  }
  return true;
}

const char* TextOrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

CTaskLibrary::CTaskLibrary() {
  Clear();
  host = nullptr;
}

CTaskLibrary::~CTaskLibrary() {
  // At exit a still-loaded module is closed without command 4.
  if (module) dlclose(module);
}

void CTaskLibrary::Clear() {
  module = nullptr;
  loaded = 0;
  spareFlag = 0;
  version = 0;
  modelDefault = nullptr;
  taskDescription = nullptr;
  for (std::string& t : texts) t.clear();
  versionNames = nullptr;
  partNames = nullptr;
  versionCount = 0;
  partCount = 0;
  scoreVariableCount = 0;
  scoreVariables = nullptr;
  captions = nullptr;
  captionCount = 0;
  captions2 = nullptr;
  captionCount2 = 0;
  pluginWords[0] = pluginWords[1] = 0;
  page = nullptr;
  answerText.clear();
  answerWord = 0;
  for (int i = 0; i < kMaxParts; ++i) {
    partWordsA[i] = 0;
    partWordsB[i] = 0;
    normTrialCounts[i] = -1;
  }
  testTrialCount = 0;
  practiceTrialCount = 0;
  seriesLength = 0;
  testTrialList = nullptr;
  practiceTrialList = nullptr;
  practiceCode = nullptr;
  testCode = nullptr;
  secondList = nullptr;
  secondListCount = 0;
  for (uint32_t& w : taskWords) w = 0;
  defaultTaskType = 0;
  defaultTaskFlags = 0;
  defaultIntrAfterTrials = 0;
  defaultIntrContinue = 0;
  defaultIntrReplaceTrial = 0;
  defaultIntrDummyTrials = 0;
  normVariables = nullptr;
  normVariableCount = 0;
  runText.clear();
  resources = nullptr;
  codeNames = nullptr;
  codeNameFirst = 0;
  codeNameCount = 0;
  m_path.clear();
  // The kept tables and norm functions point into nothing once the plug-in
  // is gone, so they go with their counts.
  m_variableNames.clear();
  m_variableUnits.clear();
  m_variableDescriptions.clear();
  m_sourceDescriptions.clear();
  m_sourceCodes.clear();
  m_variableIds.clear();
  m_entryIndexes.clear();
  m_keptCount = 0;
  m_normFunctions.clear();
  entry = nullptr;
}

bool CTaskLibrary::Refuse(void* handle, bool report, const std::string& message) {
  // Nothing of a refused plug-in stays behind: no module, no pointer into it.
  if (handle) dlclose(handle);
  Clear();
  if (report) qel::ShowPrompt(message);
  return false;
}

bool CTaskLibrary::Load(const char* path, bool report) {
  // A record is reused only empty: a module still held here is released first.
  if (module) Unload();
  m_keptCount = 0;
  loaded = 0;
  spareFlag = 0;
  if (!path) return false;

  // A bare file name means the current folder, never the library search path.
  const std::string file = std::strchr(path, '/') ? std::string(path) : "./" + std::string(path);

  // The same file twice (a link to a loaded plug-in) would share one task
  // object between two records.
  if (void* existing = dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
    dlclose(existing);
    return Refuse(nullptr, report, Format("Library already loaded \"%s\"!", path));
  }

  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return Refuse(nullptr, report, Format("No library \"%s\"!", path));

  entry = reinterpret_cast<TaskEntryFn>(dlsym(handle, kTaskEntryName));
  if (!entry) {
    return Refuse(handle, report, Format("No function \"%s\" in \"%s\"!", kTaskEntryName, path));
  }
  if (!dlsym(handle, kModelDefaultName)) {
    return Refuse(handle, report, Format("No model default \"%s\" in \"%s\"!", kModelDefaultName, path));
  }

  module = handle;
  // What a plug-in throws while it initialises is named in the refusal.
  bool initialised = false;
  std::string thrown;
  try {
    initialised = entry(kCmdInit, reinterpret_cast<intptr_t>(static_cast<ITaskLibrary*>(this)), 0, 0, nullptr);
  } catch (const std::exception& e) {
    thrown = e.what();
  } catch (...) {
    thrown = "an exception";
  }
  if (!initialised) {
    return Refuse(handle, report,
                  thrown.empty() ? Format("InitTask failed \"%s\"!", path)
                                 : Format("InitTask failed \"%s\": %s!", path, thrown.c_str()));
  }
  if (version != 1) {
    return Refuse(handle, report, Format("Invalid library version \"%s\"!", path));
  }
  if (!modelDefault) {
    return Refuse(handle, report, Format("No model default set by \"%s\"!", path));
  }
  std::string problem;
  if (!CheckPublishedTables(&problem)) {
    return Refuse(handle, report, Format("Invalid library data \"%s\": %s!", path, problem.c_str()));
  }

  // The parameter page's window is made later, inside the task-parameter
  // dialog that owns it.
  loaded = 1;
  BuildVariableTables();
  return true;
}

void CTaskLibrary::Unload() {
  CallTaskEntry(kCmdUnload, 0, 0, 0, nullptr);
  if (module) {
    // The page's window belonged to the host's dialog and is gone with it;
    // the page object itself lives in the module.
    page = nullptr;
    dlclose(module);
    module = nullptr;
  }
  Clear();
}

bool CTaskLibrary::CheckPublishedTables(std::string* problem) const {
  auto fail = [problem](const std::string& text) {
    if (problem) *problem = text;
    return false;
  };
  if (modelDefault) {
    const size_t codeLength = strnlen(modelDefault->TaskIdStr, sizeof modelDefault->TaskIdStr);
    if (codeLength == 0 || codeLength == sizeof modelDefault->TaskIdStr) {
      return fail("short code empty or not terminated");
    }
    if (strnlen(modelDefault->TaskName, sizeof modelDefault->TaskName) == sizeof modelDefault->TaskName) {
      return fail("task name not terminated");
    }
  }
  if (partCount < 0 || partCount > kMaxParts) {
    return fail(Format("part count %d (0 to %d)", partCount, kMaxParts));
  }
  if (!NamesPresent(partNames, partCount)) return fail("part names missing");
  if (versionCount < 0 || versionCount > kMaxVersions) {
    return fail(Format("version count %d (0 to %d)", versionCount, kMaxVersions));
  }
  if (!NamesPresent(versionNames, versionCount)) return fail("version names missing");
  if (scoreVariableCount > static_cast<uint32_t>(kMaxVariables)) {
    return fail(Format("score-variable count %u (at most %d)", scoreVariableCount, kMaxVariables));
  }
  if (scoreVariableCount > 0 && !scoreVariables) return fail("score-variable table missing");
  if (normVariableCount > static_cast<uint32_t>(kMaxVariables)) {
    return fail(Format("norm-variable count %u (at most %d)", normVariableCount, kMaxVariables));
  }
  if (normVariableCount > 0 && !normVariables) return fail("norm-variable table missing");
  if (captionCount < 0 || captionCount > kMaxCaptions || captionCount2 < 0 || captionCount2 > kMaxCaptions) {
    return fail(Format("caption counts %d, %d (0 to %d)", captionCount, captionCount2, kMaxCaptions));
  }
  if (!NamesPresent(captions, captionCount) || !NamesPresent(captions2, captionCount2)) {
    return fail("captions missing");
  }
  if (codeNameCount < 0 || codeNameCount > kMaxCodeNames) {
    return fail(Format("code-name count %d (0 to %d)", codeNameCount, kMaxCodeNames));
  }
  if (codeNameCount > 0 && !codeNames) return fail("code names missing");
  if (taskDescription) {
    if (taskDescription->presetCount > static_cast<uint32_t>(kMaxPresets)) {
      return fail(Format("timing-preset count %u (at most %d)", taskDescription->presetCount, kMaxPresets));
    }
    if (taskDescription->codeRowCount > static_cast<uint32_t>(kMaxCodeRows)) {
      return fail(Format("code-row count %u (at most %d)", taskDescription->codeRowCount, kMaxCodeRows));
    }
    if (taskDescription->codeRowCount > 0 && !taskDescription->codeRows) {
      return fail("code rows missing");
    }
  }
  const struct {
    const char* what;
    uint32_t count;
    const void* list;
  } lists[] = {{"test", testTrialCount, testTrialList},
               {"practice", practiceTrialCount, practiceTrialList},
               {"second", secondListCount, secondList}};
  for (const auto& l : lists) {
    if (l.count > static_cast<uint32_t>(kMaxTrialCodes)) {
      return fail(Format("%s trial count %u (at most %d)", l.what, l.count, kMaxTrialCodes));
    }
    if (l.count > 0 && !l.list) return fail(Format("%s trial list missing", l.what));
  }
  return true;
}

int CTaskLibrary::FindTimingPreset(const IExpModelTask* task) const {
  if (!taskDescription || !task) return -1;
  const uint32_t count = std::min<uint32_t>(taskDescription->presetCount, kMaxPresets);
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t* words = taskDescription->presets[i].words;
    if (words[0] == task->w.TaskSDType && words[3] == task->w.TaskControl && words[6] == task->w.TaskIntType) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int CTaskLibrary::FindVariableByName(const char* name) const {
  if (!name) return -1;
  for (int i = 0; i < m_keptCount; ++i) {
    if (m_variableNames[i] == name) return i;
  }
  return -1;
}

int CTaskLibrary::BuildVariableTables() {
  m_variableNames.clear();
  m_variableUnits.clear();
  m_variableDescriptions.clear();
  m_sourceDescriptions.clear();
  m_sourceCodes.clear();
  m_variableIds.clear();
  m_entryIndexes.clear();
  const int count = GetVariableCount();
  for (int i = 0; i < count; ++i) {
    const TaskNormVariable& e = normVariables[i];
    if (!e.name || e.id < 0) continue;
    const TaskVariableDef* own = ScoreVariable(e.id);
    const TaskVariableDef* source = ScoreVariable(e.source);
    m_variableNames.emplace_back(e.name);
    m_variableUnits.emplace_back(TextOrEmpty(e.unit));
    m_variableDescriptions.emplace_back(TextOrEmpty(own ? own->description : nullptr));
    m_sourceDescriptions.emplace_back(TextOrEmpty(source ? source->description : nullptr));
    m_sourceCodes.emplace_back(TextOrEmpty(source ? source->code : nullptr));
    m_variableIds.push_back(e.id);
    m_entryIndexes.push_back(i);
  }
  m_keptCount = static_cast<int>(m_variableNames.size());
  return m_keptCount;
}

const TaskNormVariable* CTaskLibrary::NormEntry(int i) const {
  if (!normVariables || i < 0 || static_cast<uint32_t>(i) >= normVariableCount) return nullptr;
  return &normVariables[i];
}

const TaskVariableDef* CTaskLibrary::ScoreVariable(int i) const {
  if (!scoreVariables || i < 0 || static_cast<uint32_t>(i) >= scoreVariableCount) return nullptr;
  return &scoreVariables[i];
}

int CTaskLibrary::GetVariableCount() const { return normVariables ? static_cast<int>(normVariableCount) : 0; }

const char* CTaskLibrary::GetVariableName(int i) const {
  const TaskNormVariable* e = NormEntry(i);
  return e ? e->name : nullptr;
}

const char* CTaskLibrary::GetVariableUnit(int i) const {
  const TaskNormVariable* e = NormEntry(i);
  return e ? e->unit : nullptr;
}

int CTaskLibrary::GetVariableId(int i) const {
  const TaskNormVariable* e = NormEntry(i);
  return e ? e->id : -1;
}

const char* CTaskLibrary::GetSourceCode(int i) const {
  const TaskNormVariable* e = NormEntry(i);
  const TaskVariableDef* v = e ? ScoreVariable(e->source) : nullptr;
  return v ? v->code : nullptr;
}

const char* CTaskLibrary::GetVariableDescription(int i) const {
  const TaskNormVariable* e = NormEntry(i);
  const TaskVariableDef* v = e ? ScoreVariable(e->id) : nullptr;
  return v ? v->description : nullptr;
}

const char* CTaskLibrary::GetSourceDescription(int i) const {
  const TaskNormVariable* e = NormEntry(i);
  const TaskVariableDef* v = e ? ScoreVariable(e->source) : nullptr;
  return v ? v->description : nullptr;
}

std::string CTaskLibrary::GetShortCode() const {
  if (!modelDefault) return std::string();
  return std::string(modelDefault->TaskIdStr, strnlen(modelDefault->TaskIdStr, sizeof modelDefault->TaskIdStr));
}

}  // namespace qel
