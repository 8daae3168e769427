#include "scores/ScoreDialog.h"

namespace qel {

namespace {
IScoreDialogFactory* g_factory = nullptr;
}  // namespace

void SetScoreDialogFactory(IScoreDialogFactory* factory) { g_factory = factory; }
IScoreDialogFactory* GetScoreDialogFactory() { return g_factory; }

}  // namespace qel
