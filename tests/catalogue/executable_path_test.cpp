// The catalogue is looked for beside the executable itself: not in the
// working directory, and not beside a symlink that points at it.
#include "catalogue/core_catalogue.h"
#include "catalogue_fixtures.h"

#include <gtest/gtest.h>

namespace lout {
namespace {

TEST(CatalogueLocation, BesideTheRunningExecutable)
{
    const auto self = std::filesystem::canonical("/proc/self/exe");
    EXPECT_EQ(catalogueBesideExecutable(), self.parent_path() / "db1.mdb");
}

TEST(CatalogueLocation, ThroughASymlinkAndFromAnotherDirectory)
{
    testing::ScratchDir dir;
    const std::filesystem::path probe = std::filesystem::canonical(LOUT_PATH_PROBE);
    std::filesystem::create_directories(dir / "bin");
    std::filesystem::create_symlink(probe, dir / "bin" / "probe");
    std::filesystem::create_directories(dir / "elsewhere");
    const auto result = testing::runCommand("cd " + testing::shellQuoted((dir / "elsewhere").string()) + " && "
                                            + testing::shellQuoted((dir / "bin" / "probe").string()));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.output, (probe.parent_path() / "db1.mdb").string() + "\n");
}

} // namespace
} // namespace lout
