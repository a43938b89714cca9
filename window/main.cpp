#include "resources/coil_icon.h"
#include "resources/program_version.h"
#include "window/command_line.h"
#include "window/display_probe.h"
#include "window/run_lout.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Answered before any window exists: --help and --version need no display.
    const lout::CommandLine commandLine = lout::readCommandLine(argc, argv);
    if (commandLine.exitStatus)
        return *commandLine.exitStatus;
    if (!lout::displayAvailable(argc, argv)) {
        std::fputs(lout::kNoDisplayLine, stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lout"));
    QCoreApplication::setApplicationVersion(
        QString::fromUtf8(lout::programVersion().data(), static_cast<qsizetype>(lout::programVersion().size())));
    QGuiApplication::setWindowIcon(lout::coilIcon());
    return lout::runProgram(app, commandLine.catalogue, lout::showErrorBox);
}
