#include "catalogue/core_catalogue.h"
#include "resources/coil_icon.h"
#include "resources/program_version.h"
#include "window/run_lout.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lout"));
    QCoreApplication::setApplicationVersion(
        QString::fromUtf8(lout::programVersion().data(), static_cast<qsizetype>(lout::programVersion().size())));
    QGuiApplication::setWindowIcon(lout::coilIcon());
    return lout::runLout(app, lout::catalogueBesideExecutable(), lout::showErrorBox);
}
