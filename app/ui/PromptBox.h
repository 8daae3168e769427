// The program's operator messages as message boxes: the prompt service's
// handler shows a modal box with the style's buttons and icon over the
// program's main window; posted messages are shown later on the
// user-interface thread.
#pragma once

namespace qel {

// Installs both; the program does it first thing at start-up.
void InstallPromptBoxes();
// The message box style of a prompt style, and the prompt answer of a box's result.
long PromptBoxStyle(unsigned promptStyle);
int PromptAnswerOf(int boxResult);

}  // namespace qel
