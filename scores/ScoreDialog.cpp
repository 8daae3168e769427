#include "scores/ScoreDialog.h"

namespace qel {

namespace {
IScoreDialogFactory* g_factory = nullptr;
IScoreVersionsDialog* g_versions = nullptr;
}  // namespace

void SetScoreDialogFactory(IScoreDialogFactory* factory) { g_factory = factory; }
IScoreDialogFactory* GetScoreDialogFactory() { return g_factory; }

void SetScoreVersionsDialog(IScoreVersionsDialog* dialog) { g_versions = dialog; }
IScoreVersionsDialog* GetScoreVersionsDialog() { return g_versions; }

}  // namespace qel
