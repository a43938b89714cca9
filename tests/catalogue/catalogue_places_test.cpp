// The order in which the catalogue is looked for, on real files: what counts
// as present, which place wins, and the error that names every place. (The
// installed program is tried on the same order in tests/install.)
#include "catalogue/catalogue_places.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

namespace lout {
namespace {

namespace fs = std::filesystem;
using Kind = CataloguePlace::Kind;

enum class UserFile { None, File, Folder, DanglingLink };

struct Case {
    const char* what;
    bool named;             // --catalogue given
    bool namedExists;
    UserFile user;
    bool besideExists;
    bool userFolderKnown;
    std::optional<Kind> chosen;
};

const Case kCases[] = {
    {"a named file comes first", true, true, UserFile::File, true, true, Kind::Named},
    {"a named file that is missing sends nowhere else", true, false, UserFile::File, true, true, std::nullopt},
    {"the user's own comes before the one beside", false, false, UserFile::File, true, true, Kind::UserData},
    {"beside the program when the user has none", false, false, UserFile::None, true, true, Kind::BesideProgram},
    {"a dangling link is no catalogue", false, false, UserFile::DanglingLink, true, true, Kind::BesideProgram},
    {"a folder in its place is reported, not passed over", false, false, UserFile::Folder, true, true,
     Kind::UserData},
    {"no user data folder known", false, false, UserFile::None, true, false, Kind::BesideProgram},
    {"none anywhere", false, false, UserFile::None, false, true, std::nullopt},
};

void touch(const fs::path& file)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

TEST(CataloguePlaces, TheFirstPresentInOrderIsRead)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir scratch;
        ASSERT_TRUE(scratch.isValid());
        const fs::path root = scratch.path().toStdString();
        const fs::path named = root / "named.mdb";
        const fs::path user = root / "data" / "lout" / "db1.mdb";
        const fs::path beside = root / "program" / "db1.mdb";
        if (c.namedExists)
            touch(named);
        if (c.besideExists)
            touch(beside);
        fs::create_directories(user.parent_path());
        if (c.user == UserFile::File)
            touch(user);
        else if (c.user == UserFile::Folder)
            fs::create_directory(user);
        else if (c.user == UserFile::DanglingLink)
            fs::create_symlink(root / "gone.mdb", user);

        const std::vector<CataloguePlace> places = cataloguePlaces(
            c.named ? std::optional<fs::path>(named) : std::nullopt, c.userFolderKnown ? user : fs::path(), beside);
        const std::optional<CataloguePlace> found = firstPresent(places);
        ASSERT_EQ(found.has_value(), c.chosen.has_value());
        if (found) {
            EXPECT_EQ(found->kind, *c.chosen);
        }

        // Every place looked at is in the error, in the order looked at.
        const CatalogueError error = noCatalogueFound(places);
        EXPECT_EQ(error.number(), 3024);
        const std::string message = error.what();
        std::size_t previous = 0;
        for (const CataloguePlace& place : places) {
            const std::size_t at = message.find("“" + place.file.string() + "”");
            ASSERT_NE(at, std::string::npos) << message;
            EXPECT_GE(at, previous) << message;
            previous = at;
        }
        const std::vector<fs::path> expected =
            c.named ? std::vector<fs::path>{named}
                    : (c.userFolderKnown ? std::vector<fs::path>{user, beside} : std::vector<fs::path>{beside});
        ASSERT_EQ(places.size(), expected.size());
        for (std::size_t i = 0; i < places.size(); ++i)
            EXPECT_EQ(places[i].file, expected[i]);
    }
}

} // namespace
} // namespace lout
