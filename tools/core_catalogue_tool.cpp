// core-catalogue: builds the program's catalogue database from CSV and
// prints a catalogue back as CSV through the program's own reader.
//   core-catalogue build CORES.csv db1.mdb
//   core-catalogue dump db1.mdb
#include "catalogue/core_catalogue.h"
#include "tools/catalogue_csv.h"
#include "tools/csv.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

int usage()
{
    std::cerr << "usage: core-catalogue build CORES.csv db1.mdb\n"
                 "       core-catalogue dump db1.mdb\n";
    return 2;
}

int build(const std::string& csvFile, const std::string& database)
{
    std::ifstream in(csvFile, std::ios::binary);
    if (!in) {
        std::cerr << "core-catalogue: cannot read " << csvFile << "\n";
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    try {
        lout::writeJet4Database(database, lout::catalogueFromCsv(text));
    } catch (const lout::csv::ParseError& e) {
        std::cerr << "core-catalogue: " << csvFile << ":" << e.line() << ": "
                  << std::string(e.what()).substr(std::string(e.what()).find(": ") + 2) << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "core-catalogue: " << database << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

int dump(const std::string& database)
{
    try {
        std::cout << lout::catalogueToCsv(lout::readCatalogueTable(database)) << std::flush;
    } catch (const lout::CatalogueError& e) {
        std::cerr << "core-catalogue: error " << e.number() << ": " << e.what() << "\n";
        return 1;
    }
    return std::cout ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "build")
        return build(args[1], args[2]);
    if (args.size() == 2 && args[0] == "dump")
        return dump(args[1]);
    return usage();
}
