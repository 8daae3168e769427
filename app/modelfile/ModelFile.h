// The experiment model file (.qem): an archive stream holding the class tag
// of the document, the document format word, the model header and one
// record per task (the model-task fields only, no run-time state).
//
// The document (CQelDoc) opens a model with ReadModelFile and then binds the
// tasks to their plug-ins with BindModelTasks of the plug-in library: the
// read here does everything up to that binding. Saving is WriteModelFile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qel {

class CExpModel;

constexpr uint16_t kArchiveNewClassTag = 0xFFFF;
constexpr uint16_t kModelDocumentSchema = 1;
constexpr const char* kModelDocumentClass = "CQelDoc";
constexpr uint32_t kModelDocumentFormat = 1;
// No model comes near this; a larger file is refused before it is read.
constexpr size_t kMaxModelFileSize = 64u * 1024 * 1024;

// Reads a model from bytes into a reset model. On any failure (a short
// file, another class, more than 40 tasks, a text running past the end)
// the model is left reset and error says why. The loaded flag of the model
// and its tasks is set on success; documentFormat receives the file's word.
bool ReadModelBytes(const uint8_t* data, size_t size, CExpModel* model, uint32_t* documentFormat, std::string* error);

// The bytes of the model's file.
std::vector<uint8_t> WriteModelBytes(const CExpModel& model);

// Reads the file and, on success, names the model after the file's title.
bool ReadModelFile(const std::string& path, CExpModel* model, uint32_t* documentFormat, std::string* error);

// Writes the file atomically (a failed save leaves the previous file as it
// was); on success sets the loaded flags and names the model after the file.
bool WriteModelFile(const std::string& path, CExpModel* model, std::string* error);

// The file name of a path without folder and extension.
std::string ModelTitleFromPath(const std::string& path);

}  // namespace qel
