#include "theme_pack.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "command_error.h"
#include "command_files.h"
#include "platform/env.h"
#include "printable.h"
#include "runtime/automation_error.h"
#include "runtime/wstring.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxHeader = 4096;
constexpr char kMarker[] = "<==MS-Theme==>";

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(FromUtf8(text.substr(text.size() - suffix.size())), FromUtf8(suffix));
}

// LF and lone CR become CR LF; CR LF stays.
std::string CrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

Package BuildPackage(const std::string& source_dir, const std::optional<std::string>& version,
                     bool keep_line_ends) {
  Env& env = CurrentEnv();
  const WString folder = ExistingFolder(source_dir, u"theme folder");
  const fs::path source = Narrow(folder);
  auto read = [&](const fs::path& file) {
    const WString path = Widen(file.string());
    return About(DisplayPath(path), [&] { return env.ReadFile(path); });
  };
  return About(FolderSubject(u"theme folder", folder), [&] {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
      std::error_code not_regular;
      if (!it->is_regular_file(not_regular)) continue;
      const std::string name = it->path().filename().string();
      if (EndsWith(name, ".inf") || name == "version.txt") continue;
      names.push_back(name);
    }
    if (error) RaiseError(kPathFileAccessError);
    std::sort(names.begin(), names.end());

    std::string version_text = "1.0";
    if (version) {
      version_text = *version;
    } else if (env.FileExists(Widen((source / "version.txt").string()))) {
      version_text = FirstLine(read(source / "version.txt"));
    }
    if (version_text.find('\n') != std::string::npos) {
      RaiseError(kInvalidProcedureCall, u"The version text cannot hold a line break");
    }

    std::string header = version_text + "\n" + std::to_string(names.size()) + "\n";
    std::vector<std::string> pieces;
    for (const std::string& name : names) {
      if (name.find_first_of(",\r\n") != std::string::npos) {
        RaiseError(kInvalidProcedureCall,
                   u"The file name \"" + DisplayPath(Widen(name)) + u"\" cannot be a piece name");
      }
      std::string data = read(source / name);
      if (!keep_line_ends && EndsWith(name, ".css")) data = CrLf(data);
      header += name + "," + std::to_string(data.size()) + "\n";
      pieces.push_back(std::move(data));
    }
    if (header.size() > kMaxHeader) {
      RaiseError(kInvalidProcedureCall,
                 FromUtf8("The package header takes " + std::to_string(header.size()) +
                          " bytes; it must fit in " + std::to_string(kMaxHeader)));
    }
    Package package{std::move(header), pieces.size()};
    for (const std::string& piece : pieces) package.bytes += kMarker + piece;
    return package;
  });
}

void AddPackCommand(CLI::App& app) {
  struct Options {
    std::string source;
    std::string output;
    std::optional<std::string> version;
    bool keep_line_ends = false;
  };
  auto o = std::make_shared<Options>();
  CLI::App* cmd = app.add_subcommand("pack", "Write a theme package from a folder");
  cmd->add_option("SOURCE_DIR", o->source, "folder of the theme's files")->required();
  cmd->add_option("-o,--output", o->output, "package to write (.elm)")->required();
  cmd->add_option("--version", o->version,
                  "version text (default: first line of version.txt, else 1.0)");
  cmd->add_flag("--keep-line-ends", o->keep_line_ends, "write style sheets as they are");
  cmd->callback([o] {
    OutputFile output(Absolute(o->output));
    const Package package = BuildPackage(o->source, o->version, o->keep_line_ends);
    output.Write(package.bytes);
    std::cout << "Packed " << package.pieces << (package.pieces == 1 ? " piece" : " pieces")
              << " into " << Printable(DisplayPath(output.Path())) << "\n";
  });
}

}  // namespace rxTheme::cli
