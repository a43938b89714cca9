#pragma once

// Where the program looks for its catalogue, in this order, taking the first
// that exists:
//   1. the file named on the command line (--catalogue FILE); when one is
//      named, no other place is looked at;
//   2. the user's own db1.mdb in the user data folder
//      ($XDG_DATA_HOME/lout/db1.mdb, by default ~/.local/share/lout/db1.mdb);
//   3. db1.mdb beside the program (a portable copy carries it there).
#include "catalogue/core_catalogue.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lout {

struct CataloguePlace {
    enum class Kind { Named, UserData, BesideProgram };
    Kind kind;
    std::filesystem::path file;
};

// The places in the order they are tried. An empty user file (no user data
// folder known) is left out.
std::vector<CataloguePlace> cataloguePlaces(const std::optional<std::filesystem::path>& named,
                                            const std::filesystem::path& userFile,
                                            const std::filesystem::path& besideProgram);

// Whether something lies at `file` (a file, or anything the reader should
// report on rather than pass over, such as a folder or a file in a folder
// that cannot be searched). A dangling symlink is nothing.
bool isPresent(const std::filesystem::path& file);

// The first place whose file is present, or nothing.
std::optional<CataloguePlace> firstPresent(const std::vector<CataloguePlace>& places,
                                           const std::function<bool(const std::filesystem::path&)>& present = isPresent);

// Error 3024 naming every place that was looked at.
CatalogueError noCatalogueFound(const std::vector<CataloguePlace>& places);

// What a place is, in words for the user ("用户数据文件夹" ...).
std::string placeDescription(CataloguePlace::Kind kind);

// The catalogue beside the running executable (symlinks resolved): db1.mdb.
// Error 3024 when the executable cannot be found.
std::filesystem::path catalogueBesideExecutable();

// The user's own catalogue, from the desktop's standard user data location:
// <data location>/lout/db1.mdb. Empty when the location is unknown.
std::filesystem::path userCatalogue();

// One line for a catalogue that stopped the start-up: when it is the user's
// own, that removing it brings back the bundled one; empty otherwise.
std::string ownCatalogueHint(const CataloguePlace& place);

// The order in words with this user's paths, for the help texts; `named`
// says how a file is named on the command line ("--catalogue 文件").
std::string catalogueOrderText(const std::string& named);

// The places the program itself tries: the named file, or the user's own
// catalogue and then the one beside the running executable.
std::vector<CataloguePlace> programCataloguePlaces(const std::optional<std::filesystem::path>& named);

// The catalogue the program reads: the first present place of
// programCataloguePlaces. Throws noCatalogueFound when there is none.
CataloguePlace catalogueToRead(const std::optional<std::filesystem::path>& named);

} // namespace lout
