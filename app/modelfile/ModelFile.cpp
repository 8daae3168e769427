#include "app/modelfile/ModelFile.h"

#include <cstring>

#include "app/model/ExpModel.h"
#include "app/modelfile/ArchiveReader.h"
#include "app/modelfile/ArchiveWriter.h"
#include "common/AtomicFile.h"

namespace qel {

namespace {

bool ReadClassTag(CArchiveReader& ar, std::string* error) {
  uint16_t tag, schema, length;
  if (!ar.ReadU16(&tag)) return false;
  if (tag != kArchiveNewClassTag) {
    *error = "The file is not an experiment model (no class tag).";
    return false;
  }
  // Any schema number is accepted.
  if (!ar.ReadU16(&schema) || !ar.ReadU16(&length)) return false;
  if (length > ar.Remaining()) {
    *error = "The file ends early.";
    return false;
  }
  std::string name(length, '\0');
  if (!ar.ReadBytes(name.data(), length)) return false;
  if (name != kModelDocumentClass) {
    *error = "The file is not an experiment model (it holds \"" + name + "\").";
    return false;
  }
  return true;
}

bool ReadTaskRecord(CArchiveReader& ar, CExpModelTask* task) {
  if (!ar.ReadU32(&task->TaskId) || !ar.ReadString(&task->TaskIdStr) || !ar.ReadString(&task->TaskName)) {
    return false;
  }
  for (int i = 0; i < QelTaskWords::kCount; ++i) {
    if (!ar.ReadU32(&task->w.data()[i])) return false;
  }
  for (uint32_t& v : task->TaskPartTrials) {
    if (!ar.ReadU32(&v)) return false;
  }
  for (uint32_t& v : task->TaskParam) {
    if (!ar.ReadU32(&v)) return false;
  }
  return true;
}

bool ReadModel(CArchiveReader& ar, CExpModel* model, uint32_t* documentFormat, std::string* error) {
  if (!ReadClassTag(ar, error)) return false;
  CModelHeader& h = model->m_header;
  uint32_t format = 0, count = 0;
  if (!ar.ReadU32(&format) || !ar.ReadU32(&h.m_version) || !ar.ReadString(&h.m_release) ||
      !ar.ReadString(&h.m_creation) || !ar.ReadU32(&count) || !ar.ReadBytes(h.m_reserved, sizeof h.m_reserved)) {
    return false;
  }
  if (count > static_cast<uint32_t>(kMaxModelTasks)) {
    *error = "The model holds " + std::to_string(static_cast<int32_t>(count)) + " tasks; a model holds 0 to " +
             std::to_string(kMaxModelTasks) + ".";
    return false;
  }
  for (uint32_t i = 0; i < count; ++i) {
    if (!ReadTaskRecord(ar, &model->m_tasks[i])) return false;
  }
  h.m_taskCount = count;
  if (documentFormat) *documentFormat = format;
  return true;
}

}  // namespace

bool ReadModelBytes(const uint8_t* data, size_t size, CExpModel* model, uint32_t* documentFormat, std::string* error) {
  model->Reset();
  CArchiveReader ar(data, size);
  std::string reason;
  if (!ReadModel(ar, model, documentFormat, &reason)) {
    model->Reset();
    if (error) *error = ar.Failed() ? ar.Error() : reason;
    return false;
  }
  model->SetLoaded(true, true);
  return true;
}

std::vector<uint8_t> WriteModelBytes(const CExpModel& model) {
  CArchiveWriter ar;
  ar.WriteU16(kArchiveNewClassTag);
  ar.WriteU16(kModelDocumentSchema);
  ar.WriteU16(static_cast<uint16_t>(std::strlen(kModelDocumentClass)));
  ar.WriteBytes(kModelDocumentClass, std::strlen(kModelDocumentClass));
  ar.WriteU32(kModelDocumentFormat);
  const CModelHeader& h = *model.GetHeader();
  const int count = model.GetTaskCount();
  ar.WriteU32(h.m_version);
  ar.WriteString(h.m_release);
  ar.WriteString(h.m_creation);
  ar.WriteU32(static_cast<uint32_t>(count));
  ar.WriteBytes(h.m_reserved, sizeof h.m_reserved);
  for (int i = 0; i < count; ++i) {
    const CExpModelTask& t = *model.GetTask(i);
    ar.WriteU32(t.TaskId);
    ar.WriteString(t.TaskIdStr);
    ar.WriteString(t.TaskName);
    for (int k = 0; k < QelTaskWords::kCount; ++k) ar.WriteU32(t.w.data()[k]);
    for (uint32_t v : t.TaskPartTrials) ar.WriteU32(v);
    for (uint32_t v : t.TaskParam) ar.WriteU32(v);
  }
  return ar.Take();
}

bool ReadModelFile(const std::string& path, CExpModel* model, uint32_t* documentFormat, std::string* error) {
  model->Reset();
  std::vector<uint8_t> bytes;
  std::string reason;
  if (!ReadFileBounded(path, kMaxModelFileSize, &bytes, &reason)) {
    if (error) *error = reason;
    return false;
  }
  if (!ReadModelBytes(bytes.data(), bytes.size(), model, documentFormat, &reason)) {
    if (error) *error = "\"" + path + "\" is not a valid model file: " + reason;
    return false;
  }
  model->m_name = ModelTitleFromPath(path);
  return true;
}

bool WriteModelFile(const std::string& path, CExpModel* model, std::string* error) {
  const std::vector<uint8_t> bytes = WriteModelBytes(*model);
  if (!WriteFileAtomically(path, bytes.data(), bytes.size(), error)) return false;
  model->SetLoaded(true, true);
  model->m_name = ModelTitleFromPath(path);
  return true;
}

std::string ModelTitleFromPath(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = file.find_last_of('.');
  if (dot != std::string::npos) file.erase(dot);
  return file;
}

}  // namespace qel
