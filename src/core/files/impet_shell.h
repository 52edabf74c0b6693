#pragma once
// The archive store's command language, one line at a time. Each line is
// echoed, then its result line follows, then the error lines the command
// collected:
//
//   OPEN host            " (opened)"                   loads the store of a host file
//   CLEAR                " (cleared)"                  empties the tree
//   SAVE                 " (stored %i bytes - %i items)"  bytes after the marker, entries
//   IMPORT disk archdir  " (%i files added)" / " (1 file added)"
//   EXPORT archfile dir  " (%i files extracted)"
//   SET archfile text    " (file rewritten)"           the text stored plain
//   MKDIR archdir        " (directory created)"
//   DELETE archpath      " (1 files deleted)"
//   RENAME old new       " (1 file renamed)"           also into another directory
//   LIST [archpath]      lines of path, size, stored size, time, then " (%i entries listed)"
//   FIND pattern         archive paths of matching names, then " (%i found)"
//   CAT archfile         the content, then " (%i bytes shown)"
//
// Failures print " (error)". All commands but OPEN and CLEAR need a store
// that OPEN loaded. Archive paths separate with "\"; disk paths with "\" or "/".
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/impet.h"
#include "core/files/impet_command_line.h"

namespace ign {

using ImpetClock = std::function<uint64_t()>;  // FILETIME now

// The error lines, each followed by the name or disk path concerned.
namespace impet_error {
constexpr std::string_view kFileOverDir = "ERROR - file name used already for directory:";
constexpr std::string_view kDirOverFile = "ERROR - directory name used already for file:";
constexpr std::string_view kTooLarge = "ERROR - file >5M:";
constexpr std::string_view kCannotOpen = "ERROR - can't open file:";
// Two names that are one without regard to case (or after the 52-byte cut).
constexpr std::string_view kNameUsed = "ERROR - name used already:";
// A disk name that Windows-1250 cannot hold, or that holds "\".
constexpr std::string_view kBadName = "ERROR - name not allowed:";
constexpr std::string_view kTooMany = "ERROR - directory full:";
constexpr std::string_view kTooDeep = "ERROR - directory nesting too deep:";
}  // namespace impet_error

class CImpetShell {
 public:
  CImpetShell(CImpet& store, std::ostream& out, ImpetClock clock = FileTimeNow);

  // Runs one line; false when it reported " (error)". Empty lines do nothing.
  bool Run(std::string_view line);

 private:
  bool Dispatch(const ImpetCommandLine& c);
  bool Open(const ImpetCommandLine& c);
  bool Save();
  bool Import(const std::string& source, const std::string& archiveDir);
  bool Export(const std::string& archivePath, const std::string& folder);
  bool Set(const std::string& archivePath, const std::string& text);
  bool Mkdir(const std::string& archivePath);
  bool Delete(const std::string& archivePath);
  bool Rename(const std::string& from, const std::string& to);
  bool List(const std::string& archivePath);
  bool Find(const std::string& pattern);
  bool Cat(const std::string& archivePath);

  // The import walk (impet_import.cpp).
  bool ImportFolder(ImpetEntry& into, int depth, const std::string& source);
  void WalkFolder(ImpetEntry& dir, int depth, int folderFd, const std::string& diskPath);
  bool AddFile(ImpetEntry& dir, const std::string& name, int folderFd, const std::string& fileName,
               const std::string& diskPath, bool named);

  // The directory that holds parts' last entry, or nothing.
  ImpetEntry* Parent(const std::vector<std::string>& parts);
  // Room for one more child (the count has 12 bits) at a depth the store allows.
  bool CanAdd(const ImpetEntry& dir, int childDepth, std::string_view what);
  void Error(std::string_view text, std::string_view subject);
  void Result(const std::string& text);

  CImpet& store_;
  std::ostream& out_;
  ImpetClock clock_;
  std::vector<std::string> errors_;
};

}  // namespace ign
