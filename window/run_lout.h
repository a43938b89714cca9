#pragma once

#include "window/lout.h"

#include <filesystem>
#include <memory>

class QApplication;

namespace lout {

// The font of every control: a CJK sans face at 12 pixels.
void useApplicationFont(QApplication& app);

// Reports a start-up or catalogue failure in a critical message box.
void showErrorBox(int number, const QString& message);

// Makes the window and runs its start-up. On failure the error goes to
// stderr and to `presenter`, and nothing is returned (the window is never
// shown).
std::unique_ptr<Lout> startLout(QApplication& app, const std::filesystem::path& catalogue, const ErrorPresenter& presenter);

// The whole program: start-up, then the window until it is closed. Returns
// the exit status: 0 after the window was closed, 1 when start-up failed.
int runLout(QApplication& app, const std::filesystem::path& catalogue, const ErrorPresenter& presenter);

} // namespace lout
