// Where the catalogue is looked for, on real files: what counts as present
// and the error that names every place, in order. (The installed program is
// tried on the order itself in tests/install.)
#include "catalogue/catalogue_places.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

namespace lout {
namespace {

namespace fs = std::filesystem;

TEST(CataloguePlaces, WhatStandsInAPlaceDecidesWhetherItIsRead)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const fs::path root = scratch.path().toStdString();
    const fs::path user = root / "data" / "lout" / "db1.mdb";
    const fs::path beside = root / "program" / "db1.mdb";
    fs::create_directories(user.parent_path());
    fs::create_directories(beside.parent_path());
    const auto chosen = [&](const fs::path& userFile) {
        const auto found = firstPresent(cataloguePlaces(std::nullopt, userFile, beside));
        return found ? std::optional(found->kind) : std::nullopt;
    };

    // Nothing anywhere: the error names every place, in the order looked at.
    EXPECT_EQ(chosen(user), std::nullopt);
    const CatalogueError none = noCatalogueFound(cataloguePlaces(std::nullopt, user, beside));
    EXPECT_EQ(none.number(), 3024);
    const std::string message = none.what();
    EXPECT_LT(message.find("“" + user.string() + "”"), message.find("“" + beside.string() + "”")) << message;

    std::ofstream(beside) << "x";
    EXPECT_EQ(chosen(fs::path()), CataloguePlace::Kind::BesideProgram) << "no user data folder known";
    fs::create_symlink(root / "gone.mdb", user);
    EXPECT_EQ(chosen(user), CataloguePlace::Kind::BesideProgram) << "a dangling link is no catalogue";
    fs::remove(user);
    fs::create_directory(user);
    EXPECT_EQ(chosen(user), CataloguePlace::Kind::UserData) << "a folder in its place is reported, not passed over";
}

} // namespace
} // namespace lout
