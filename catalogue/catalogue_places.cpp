#include "catalogue/catalogue_places.h"

#include "catalogue/catalogue_errors.h"

#include <QDir>
#include <QStandardPaths>

#include <system_error>

namespace lout {

namespace {

const char* const kCatalogueName = "db1.mdb";

std::string quoted(const std::filesystem::path& file) { return "“" + file.string() + "”"; }

} // namespace

std::vector<CataloguePlace> cataloguePlaces(const std::optional<std::filesystem::path>& named,
                                            const std::filesystem::path& userFile,
                                            const std::filesystem::path& besideProgram)
{
    if (named)
        return {{CataloguePlace::Kind::Named, *named}};
    std::vector<CataloguePlace> places;
    if (!userFile.empty())
        places.push_back({CataloguePlace::Kind::UserData, userFile});
    places.push_back({CataloguePlace::Kind::BesideProgram, besideProgram});
    return places;
}

bool isPresent(const std::filesystem::path& file)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return false;
    if (error)
        return error != std::errc::no_such_file_or_directory && error != std::errc::not_a_directory;
    return true;
}

std::optional<CataloguePlace> firstPresent(const std::vector<CataloguePlace>& places,
                                           const std::function<bool(const std::filesystem::path&)>& present)
{
    for (const CataloguePlace& place : places)
        if (present(place.file))
            return place;
    return std::nullopt;
}

std::string placeDescription(CataloguePlace::Kind kind)
{
    switch (kind) {
    case CataloguePlace::Kind::Named:
        return "命令行指定的文件";
    case CataloguePlace::Kind::UserData:
        return "用户数据文件夹";
    case CataloguePlace::Kind::BesideProgram:
        return "程序所在的文件夹";
    }
    return {};
}

CatalogueError noCatalogueFound(const std::vector<CataloguePlace>& places)
{
    if (places.size() == 1)
        return {catalogue_errors::kFileNotFound, "找不到磁芯数据库文件" + quoted(places.front().file) + "（"
                                                     + placeDescription(places.front().kind) + "）。"};
    std::string message = "找不到磁芯数据库文件 db1.mdb。查找过以下位置：";
    int number = 0;
    // Appended piece by piece: a literal in front of a temporary string
    // makes GCC 12 at -O3 warn of an overlapping copy that cannot happen.
    for (const CataloguePlace& place : places) {
        message += '\n';
        message += std::to_string(++number) + ". " + quoted(place.file) + "（" + placeDescription(place.kind) + "）";
    }
    message += "\n可以用 core-catalogue init 和 core-catalogue build 在用户数据文件夹中制作自己的磁芯数据库。";
    return {catalogue_errors::kFileNotFound, message};
}

std::string ownCatalogueHint(const CataloguePlace& place)
{
    if (place.kind != CataloguePlace::Kind::UserData)
        return {};
    return "这是你自己的磁芯数据库（在用户数据文件夹中）；删除" + quoted(place.file)
        + "即可改回使用随程序提供的磁芯数据库。";
}

std::filesystem::path catalogueBesideExecutable()
{
    // The kernel's link names the executable itself with every symlink
    // resolved, whatever the working directory or the name it was run by.
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || executable.empty() || !executable.is_absolute())
        throw CatalogueError(catalogue_errors::kFileNotFound, "找不到程序所在的文件夹，无法确定磁芯数据库 db1.mdb 的位置。");
    return executable.parent_path() / kCatalogueName;
}

std::filesystem::path userCatalogue()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty())
        return {};
    return std::filesystem::path(QDir(folder).filePath(QStringLiteral("lout")).toStdString()) / kCatalogueName;
}

std::string catalogueOrderText(const std::string& named)
{
    std::string besideProgram;
    try {
        besideProgram = catalogueBesideExecutable().string();
    } catch (const CatalogueError&) {
        besideProgram = "?";
    }
    const std::filesystem::path user = userCatalogue();
    return "磁芯数据库按以下顺序查找，使用第一个存在的文件：\n"
           "  1. 命令行上用 " + named + " 指定的文件；指定了文件就只读它，文件不存在时报错 3024；\n"
           "  2. 用户数据文件夹中自己的目录 lout/db1.mdb，即 $XDG_DATA_HOME/lout/db1.mdb，\n"
           "     默认为 ~/.local/share/lout/db1.mdb（现在是 " + (user.empty() ? "?" : user.string()) + "）；\n"
           "  3. 程序所在文件夹中的 db1.mdb（现在是 " + besideProgram + "）。\n";
}

std::vector<CataloguePlace> programCataloguePlaces(const std::optional<std::filesystem::path>& named)
{
    if (named)
        return cataloguePlaces(named, {}, {});
    return cataloguePlaces(std::nullopt, userCatalogue(), catalogueBesideExecutable());
}

CataloguePlace catalogueToRead(const std::optional<std::filesystem::path>& named)
{
    const std::vector<CataloguePlace> places = programCataloguePlaces(named);
    const std::optional<CataloguePlace> found = firstPresent(places);
    if (!found)
        throw noCatalogueFound(places);
    return *found;
}

} // namespace lout
