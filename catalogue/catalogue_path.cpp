#include "catalogue/catalogue_errors.h"
#include "catalogue/core_catalogue.h"

#include <system_error>

namespace lout {

std::filesystem::path catalogueBesideExecutable()
{
    // The kernel's link names the executable itself with every symlink
    // resolved, whatever the working directory or the name it was run by.
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || executable.empty() || !executable.is_absolute())
        throw CatalogueError(catalogue_errors::kFileNotFound, "找不到程序所在的文件夹，无法确定磁芯数据库 db1.mdb 的位置。");
    return executable.parent_path() / "db1.mdb";
}

} // namespace lout
