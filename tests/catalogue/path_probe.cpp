// Prints where the program would look for its catalogue; run by the tests
// through a symlink and from another working directory.
#include "catalogue/core_catalogue.h"

#include <iostream>

int main()
{
    std::cout << lout::catalogueBesideExecutable().string() << "\n";
    return 0;
}
