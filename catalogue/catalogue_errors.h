#pragma once

// The catalogue's failures, each with the database engine's error number and
// a message that names the file and says what is wrong.
#include <cstddef>
#include <stdexcept>
#include <string>

namespace lout {

// A failure of the catalogue, carrying the database engine's error number
// (catalogue_errors::Number) and a message in Simplified Chinese that names
// the file and what is wrong.
class CatalogueError : public std::runtime_error {
public:
    CatalogueError(int number, const std::string& message)
        : std::runtime_error(message), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

} // namespace lout

namespace lout::catalogue_errors {

enum Number : int {
    kOverflow = 6,
    kTypeMismatch = 13,
    kInvalidUseOfNull = 94,
    kInvalidPropertyValue = 380,
    kNoCurrentRecord = 3021,
    kFileNotFound = 3024,
    kCannotOpen = 3051,
    kTableNotFound = 3078,
    kItemNotFound = 3265,
    kUnrecognisedFormat = 3343,
};

CatalogueError fileNotFound(const std::string& file);
CatalogueError cannotOpen(const std::string& file, const std::string& reason);
CatalogueError notADatabase(const std::string& file, const std::string& detail);
CatalogueError tableMissing(const std::string& file, const std::string& table);
CatalogueError columnMissing(const std::string& file, const std::string& column);
CatalogueError typeNotFirst(const std::string& file);
CatalogueError tooFewColumns(const std::string& file, std::size_t columns);
CatalogueError emptyTable(const std::string& file);
CatalogueError nullType(const std::string& file, std::size_t tableRow);
CatalogueError tooFewModels(const std::string& file, std::size_t rows, std::size_t minimum);
CatalogueError nullCoreArea(const std::string& file, const std::string& model);
CatalogueError coreAreaNotNumber(const std::string& file, const std::string& model, const std::string& text);
CatalogueError coreAreaOverflow(const std::string& file, const std::string& model);
CatalogueError noCurrentRecord(const std::string& file);
CatalogueError unknownField(const std::string& file, const std::string& field);

} // namespace lout::catalogue_errors
