#pragma once

// The files the catalogue tool reads and writes. Every failure is a
// FileError whose message names the file and says why, in Chinese (no
// permission, a full disk, a folder where a file should be ...), and no
// failure leaves a half-written file behind.
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lout {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Why a system call failed, in words ("没有权限", "磁盘已满" ...).
std::string reasonInWords(int errorNumber);

std::string readWholeFile(const std::filesystem::path& file);

// Writes `bytes` as the new file `file`; a file (or link) already there is
// never overwritten.
void writeNewFile(const std::filesystem::path& file, std::string_view bytes);

// Replaces `file` with `bytes`, making its folder when needed. The bytes go
// into a temporary file beside it, which is flushed to the disk and handed
// to `accept` (which throws to refuse it); only then does it take the
// place of `file`, in one step. On any failure the temporary file is gone
// and `file` is as it was.
void replaceFile(const std::filesystem::path& file, std::string_view bytes,
                 const std::function<void(const std::filesystem::path& written)>& accept);

void writeStandardOutput(std::string_view text);

} // namespace lout
