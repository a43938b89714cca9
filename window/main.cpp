#include "catalogue/core_catalogue.h"
#include "window/run_lout.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return lout::runLout(app, lout::catalogueBesideExecutable(), lout::showErrorBox);
}
