// A file that a command reads in bytes, a piece at a time: opened read-only
// (never created, unlike the loader's open), and only when it is a regular
// file. Failures name the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

class InputFile {
 public:
  // Raises 53 for a missing file and 75 for anything but a regular file;
  // with follow_links false, a symbolic link at the path raises 75 too, so
  // that a file swapped for a link after it was listed is not followed.
  InputFile(const WString& path, bool follow_links);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // The size when the file was opened.
  int64_t Size() const { return size_; }
  // Reads up to n bytes into buf: fewer only at the end of the file.
  size_t Read(char* buf, size_t n);
  // Up to n bytes from where reading stands.
  std::string Read(size_t n);
  // Reading goes on at byte `offset`.
  void Seek(int64_t offset);

 private:
  [[noreturn]] void Fail() const;

  WString path_;
  int fd_ = -1;
  int64_t size_ = 0;
};

}  // namespace rxTheme::cli
