// The real file system through the wide Win32 calls: the Env of the Windows
// build. Paths are UTF-16 text as the host passes them.
#include <windows.h>
// The Env members of these names are not the Win32 macros.
#undef CreateDirectory
#undef SetCurrentDirectory

#include <string>
#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include "platform/env.h"
#include "platform/profile_reader.h"

namespace rxTheme {
namespace {

const wchar_t* W(const WString& path) { return reinterpret_cast<const wchar_t*>(path.c_str()); }

// An owned kernel handle that Close releases: a file (CloseHandle) or a
// folder search (FindClose). Both calls give INVALID_HANDLE_VALUE for none.
template <BOOL(WINAPI* kClose)(HANDLE)>
class UniqueHandle {
 public:
  UniqueHandle() noexcept = default;
  explicit UniqueHandle(HANDLE adopted) noexcept : handle_(adopted) {}
  UniqueHandle(UniqueHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  ~UniqueHandle() { Close(); }

  HANDLE Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
  // Releases the handle now; false when the system reports a failure (a
  // file's last buffered bytes that could not be written).
  bool Close() noexcept {
    const HANDLE old = std::exchange(handle_, INVALID_HANDLE_VALUE);
    return old == INVALID_HANDLE_VALUE || kClose(old);
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};
using FileHandle = UniqueHandle<&CloseHandle>;
using SearchHandle = UniqueHandle<&FindClose>;

DWORD Attributes(const WString& path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(W(path));
}

bool IsFolderPath(const WString& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder part of a path; empty for a bare name (the current folder).
WString ParentOf(const WString& path) {
  size_t cut = path.find_last_of(u"\\/");
  if (cut == WString::npos) return {};
  if (cut == 0 || (cut == 2 && path[1] == u':')) return path.substr(0, cut + 1);
  return path.substr(0, cut);
}

bool ParentExists(const WString& path) {
  WString parent = ParentOf(path);
  return parent.empty() || IsFolderPath(parent);
}

// Maps a failed call's system error to the run-time error the file system
// would give.
[[noreturn]] void RaiseLastError(int32_t otherwise) {
  DWORD code = GetLastError();
  if (code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_DRIVE) RaiseError(kPathNotFound);
  if (code == ERROR_FILE_NOT_FOUND) RaiseError(kFileNotFound);
  RaiseError(otherwise);
}

// The volume serial number and the file index: NTFS keeps the index for the
// file's life, whatever name (or link) opened it.
std::optional<FileIdentity> IdentityOfHandle(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h, &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

class HandleFile : public ReadableFile {
 public:
  HandleFile(FileHandle handle, int64_t size) : handle_(std::move(handle)), size_(size) {}
  int64_t Size() const override { return size_; }
  std::optional<FileIdentity> Identity() const override { return IdentityOfHandle(handle_.Get()); }
  size_t Read(char* buf, size_t n) override {
    DWORD want = n > 0x10000000 ? 0x10000000 : static_cast<DWORD>(n);
    DWORD got = 0;
    if (!::ReadFile(handle_.Get(), buf, want, &got, nullptr)) RaiseError(kPathFileAccessError);
    return got;
  }

 private:
  FileHandle handle_;
  int64_t size_;
};

FileHandle OpenExisting(const WString& path) {
  return FileHandle(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Refuses a target that may not be replaced (see LinkPolicy); a missing one
// is fine.
void CheckTarget(const WString& path, LinkPolicy policy) {
  DWORD a = Attributes(path);
  if (a == INVALID_FILE_ATTRIBUTES) return;
  if (a & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
    RaiseError(kPathFileAccessError);
  }
  if (policy != LinkPolicy::kRefuseSymlinkOrHardLink) return;
  const FileHandle h(CreateFileW(W(path), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!h) RaiseError(kPathFileAccessError);
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h.Get(), &info) || info.nNumberOfLinks > 1) {
    RaiseError(kPathFileAccessError);
  }
}

// Whole-file writes: a temporary file beside the target, flushed and moved
// over it with MoveFileExW, which replaces the target in one step.
class WinWritableFile : public WritableFile {
 public:
  WinWritableFile(WString target, LinkPolicy policy, Durability durability)
      : target_(std::move(target)), policy_(policy), synced_(durability == Durability::kSynced) {
    if (target_.empty() || !ParentExists(target_)) RaiseError(kPathNotFound);
    CheckTarget(target_, policy_);
    WString folder = ParentOf(target_);
    if (!folder.empty() && folder.find_last_of(u"\\/:") != folder.size() - 1) folder += u'\\';
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100 && !handle_; ++attempt) {
      temp_ = folder + u"~rxtheme-" + ToUnits(GetCurrentProcessId()) + u"-" + ToUnits(++counter) +
              u".tmp";
      handle_ = FileHandle(CreateFileW(W(temp_), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!handle_ && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (!handle_) {
      temp_.clear();
      RaiseError(kPathFileAccessError);
    }
  }
  ~WinWritableFile() override { Discard(); }
  WinWritableFile(const WinWritableFile&) = delete;
  WinWritableFile& operator=(const WinWritableFile&) = delete;

  void Append(std::string_view bytes) override {
    if (!handle_) RaiseError(kPathFileAccessError);
    while (!bytes.empty()) {
      DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
      DWORD put = 0;
      if (!::WriteFile(handle_.Get(), bytes.data(), chunk, &put, nullptr)) Fail();
      bytes.remove_prefix(put);
    }
  }

  void Commit() override {
    if (!handle_) RaiseError(kPathFileAccessError);
    if (synced_ && !FlushFileBuffers(handle_.Get())) Fail();
    if (!handle_.Close()) Fail();
    try {
      CheckTarget(target_, policy_);
    } catch (const AutomationError&) {
      Discard();
      throw;
    }
    const DWORD through = synced_ ? MOVEFILE_WRITE_THROUGH : 0;
    if (!MoveFileExW(W(temp_), W(target_), MOVEFILE_REPLACE_EXISTING | through)) {
      Fail();
    }
    temp_.clear();
  }

 private:
  static WString ToUnits(unsigned long n) {
    std::string digits = std::to_string(n);
    return WString(digits.begin(), digits.end());
  }
  void Discard() {
    handle_.Close();
    if (!temp_.empty()) DeleteFileW(W(temp_));
    temp_.clear();
  }
  [[noreturn]] void Fail() {
    Discard();
    RaiseError(kPathFileAccessError);
  }

  WString target_;
  LinkPolicy policy_;
  bool synced_;
  WString temp_;
  FileHandle handle_;
};

class WinEnv : public Env {
 public:
  std::unique_ptr<ReadableFile> OpenForLoad(const WString& path) override {
    if (path.empty() || !ParentExists(path)) RaiseError(kPathNotFound);
    // A read-write open creates a missing file, as the loader expects; a file
    // that may only be read is still opened.
    FileHandle h(CreateFileW(W(path), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h && GetLastError() == ERROR_ACCESS_DENIED) h = OpenExisting(path);
    if (!h) RaiseLastError(kPathFileAccessError);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h.Get(), &size)) RaiseError(kPathFileAccessError);
    return std::make_unique<HandleFile>(std::move(h), size.QuadPart);
  }

  void WriteFile(const WString& path, std::string_view bytes) override {
    if (path.empty() || !ParentExists(path)) RaiseError(kPathNotFound);
    // A link (reparse point) planted at the path is refused, so a theme
    // package cannot make the loader write outside the working folder.
    DWORD a = Attributes(path);
    if (a != INVALID_FILE_ATTRIBUTES &&
        (a & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))) {
      RaiseError(kPathFileAccessError);
    }
    FileHandle h(CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!h) RaiseLastError(kPathFileAccessError);
    size_t done = 0;
    while (done < bytes.size()) {
      size_t left = bytes.size() - done;
      DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
      DWORD put = 0;
      if (!::WriteFile(h.Get(), bytes.data() + done, chunk, &put, nullptr)) {
        RaiseError(kPathFileAccessError);
      }
      done += put;
    }
    if (!h.Close()) RaiseError(kPathFileAccessError);
  }

  std::unique_ptr<WritableFile> NewWritableFile(const WString& path, LinkPolicy policy,
                                                Durability durability) override {
    return std::make_unique<WinWritableFile>(path, policy, durability);
  }

  std::unique_ptr<ReadableFile> OpenForRead(const WString& path) override {
    if (path.empty()) RaiseError(kFileNotFound);
    FileHandle h = OpenExisting(path);
    if (!h) {
      DWORD code = GetLastError();
      RaiseError(code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
                     ? kFileNotFound
                     : kPathFileAccessError);
    }
    // Only files on a disk: a device name (CON, a pipe) would wait for input.
    if (GetFileType(h.Get()) != FILE_TYPE_DISK) RaiseError(kPathFileAccessError);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h.Get(), &size)) RaiseError(kPathFileAccessError);
    return std::make_unique<HandleFile>(std::move(h), size.QuadPart);
  }

  WString CurrentDirectory() override {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring buf(n, L'\0');
    n = GetCurrentDirectoryW(n, buf.data());
    if (n == 0) RaiseError(kPathNotFound);
    return WString(reinterpret_cast<const char16_t*>(buf.data()), n);
  }

  // Changes the current drive and directory together.
  void SetCurrentDirectory(const WString& path) override {
    if (path.empty() || !::SetCurrentDirectoryW(W(path))) RaiseError(kPathNotFound);
  }

  void CreateDirectory(const WString& path) override {
    if (path.empty()) RaiseError(kPathNotFound);
    if (!::CreateDirectoryW(W(path), nullptr)) {
      RaiseError(GetLastError() == ERROR_PATH_NOT_FOUND ? kPathNotFound : kPathFileAccessError);
    }
  }

  std::optional<FileIdentity> IdentityOf(const WString& path) override {
    if (path.empty()) return std::nullopt;
    const FileHandle h(CreateFileW(W(path), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h) return std::nullopt;
    return IdentityOfHandle(h.Get());
  }

  bool FileExists(const WString& path) override {
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool FolderExists(const WString& path) override { return IsFolderPath(path); }

  std::vector<WString> ListSubFolders(const WString& path) override {
    if (!IsFolderPath(path)) RaiseError(kPathNotFound);
    WString pattern = BuildPath(path, u"*");
    WIN32_FIND_DATAW found;
    const SearchHandle search(FindFirstFileW(W(pattern), &found));
    std::vector<WString> names;
    if (!search) return names;
    do {
      std::wstring name = found.cFileName;
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..") {
        continue;
      }
      names.emplace_back(reinterpret_cast<const char16_t*>(name.c_str()), name.size());
    } while (FindNextFileW(search.Get(), &found));
    return names;
  }

  std::vector<FolderEntry> ListFolder(const WString& path) override {
    if (!IsFolderPath(path)) RaiseError(kPathNotFound);
    WIN32_FIND_DATAW found;
    const SearchHandle search(FindFirstFileW(W(BuildPath(path, u"*")), &found));
    std::vector<FolderEntry> entries;
    if (!search) return entries;
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      FolderEntry entry{WString(reinterpret_cast<const char16_t*>(name.c_str()), name.size()),
                        EntryKind::kOther, 0};
      const DWORD a = found.dwFileAttributes;
      if (a & FILE_ATTRIBUTE_REPARSE_POINT) {
        entry.kind = EntryKind::kLink;
      } else if (a & FILE_ATTRIBUTE_DIRECTORY) {
        entry.kind = EntryKind::kFolder;
      } else if (!(a & FILE_ATTRIBUTE_DEVICE)) {
        entry.kind = EntryKind::kRegular;
        entry.size = static_cast<int64_t>((static_cast<uint64_t>(found.nFileSizeHigh) << 32) |
                                          found.nFileSizeLow);
      }
      entries.push_back(std::move(entry));
    } while (FindNextFileW(search.Get(), &found));
    return entries;
  }

  WString BuildPath(const WString& folder, const WString& name) override {
    if (folder.empty()) return name;
    char16_t last = folder.back();
    if (last == u'\\' || last == u'/' || last == u':') return folder + name;
    return folder + kPathSeparator + name;
  }

  // The value's bytes are text in the system's ANSI code page, as the ANSI
  // profile functions give it. A missing or unreadable file reads as an
  // empty one: every key is absent.
  WString ReadProfileString(const WString& file, const WString& section, const WString& key,
                            const WString& default_value, size_t buffer_size) override {
    ProfileValue value;
    FileHandle h = file.empty() ? FileHandle() : OpenExisting(file);
    if (h) {
      HandleFile source(std::move(h), 0);
      try {
        value = ScanProfile(source, section, key, ProfileBytesFor(buffer_size));
      } catch (const AutomationError&) {
        value = {};
      }
    }
    if (!value.found) return CutToBuffer(default_value, buffer_size);
    const int length = MultiByteToWideChar(CP_ACP, 0, value.bytes.data(),
                                           static_cast<int>(value.bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, value.bytes.data(), static_cast<int>(value.bytes.size()),
                        text.data(), length);
    return CutToBuffer(WString(text.begin(), text.end()), buffer_size);
  }

  // The compiled-help viewer (hhctrl.ocx), loaded when first needed.
  void ShowHelp(const WString& file, int command, int32_t data) override {
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    static HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");
    auto show = viewer ? reinterpret_cast<HtmlHelpFn>(
                             reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpW")))
                       : nullptr;
    if (!show) RaiseError(kFileNotFound);
    // No owner window: the viewer stands on its own.
    show(nullptr, W(file), static_cast<UINT>(command), static_cast<DWORD_PTR>(data));
  }
};

}  // namespace

Env& DefaultEnv() {
  static WinEnv env;
  return env;
}

}  // namespace rxTheme
