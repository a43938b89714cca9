#pragma once

#include "window/lout.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QApplication;

namespace lout {

// Before any window: the font of every control (a CJK sans face at 12
// pixels) and Qt's own texts in Simplified Chinese.
void prepareApplication(QApplication& app);

// Reports a start-up or catalogue failure in a critical message box.
void showErrorBox(int number, const QString& message);

// Makes the window and runs its start-up. On failure the error goes to
// stderr and to `presenter`, followed by the line `hint` when there is one,
// and nothing is returned (the window is never shown).
std::unique_ptr<Lout> startLout(QApplication& app, const std::filesystem::path& catalogue, const ErrorPresenter& presenter,
                                const std::string& hint = {});

// The whole program: start-up, then the window until it is closed. Returns
// the exit status: 0 after the window was closed, 1 when start-up failed.
int runLout(QApplication& app, const std::filesystem::path& catalogue, const ErrorPresenter& presenter,
            const std::string& hint = {});

// runLout on the first catalogue found: the named file alone, or else the
// user's own and then the one beside the program. When there is none, the
// start-up error names every place looked at and the status is 1. A failing
// catalogue of the user's own adds how to go back to the bundled one.
int runProgram(QApplication& app, const std::optional<std::filesystem::path>& named, const ErrorPresenter& presenter);

} // namespace lout
