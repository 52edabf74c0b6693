// history: the unit history kept by ignctl and ignset, listed, shown,
// compared and exported.
#include <sys/stat.h>

#include <cstdio>
#include <map>

#include "cli/commands.h"
#include "cli/device_session.h"
#include "cli/settings_io.h"
#include "core/base/settings_dir.h"
#include "core/compare/difference_words.h"
#include "core/history/history_store.h"
#include "core/history/history_words.h"

namespace ign::cli {
namespace {

bool IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Opens the history; a damaged file is moved aside, which is said.
bool OpenStore(const Args& args, CHistoryStore& store) {
  const std::string folder =
      SettingsFolderFrom(args.env.settingsDir.c_str(), args.env.xdgDataHome.c_str(), args.env.home.c_str());
  const std::string path = HistoryFilePath(folder);
  if (!IsFile(path)) {
    std::fprintf(stderr, "ignctl: no unit history yet (%s)\n", path.c_str());
    return false;
  }
  const StoreStatus status = store.Open(path);
  if (!status.movedAside.empty())
    std::fprintf(stderr, "ignctl: the unit history was damaged; kept as %s, a new one begun\n",
                 status.movedAside.c_str());
  if (!status.Ok()) std::fprintf(stderr, "ignctl: %s: %s\n", path.c_str(), status.detail.c_str());
  return status.Ok();
}

// The image an entry reference names; prints why when there is none.
std::optional<Image> EntryImageOf(CHistoryStore& store, const std::string& text) {
  const std::optional<EntryRef> ref = ParseEntryRef(text);
  if (!ref) return std::nullopt;
  const std::optional<HistoryEntry> entry = store.Entry(ref->id);
  if (!entry) {
    std::fprintf(stderr, "ignctl: no entry %lld in the unit history\n", static_cast<long long>(ref->id));
    return std::nullopt;
  }
  const std::optional<Image>& image = ImageOf(*entry, ref->image);
  if (!image)
    std::fprintf(stderr, "ignctl: entry %s holds no such settings (%s)\n", text.c_str(),
                 EventWords(entry->row.event, entry->row.result).c_str());
  return image;
}

std::string Field(const std::string& s) { return s.empty() ? "-" : s; }

int List(const Args& args, CHistoryStore& store) {
  std::optional<int64_t> unitId;
  if (!args.unit.empty()) {
    for (const HistoryUnit& u : store.Units())
      if (u.identity == args.unit || std::to_string(u.id) == args.unit) unitId = u.id;
    if (!unitId) {
      std::fprintf(stderr, "ignctl: no unit %s in the unit history\n", args.unit.c_str());
      return kUsage;
    }
  }
  // id, time, event, unit, name, the image held -> the image given, changed, file, note
  for (const HistoryRow& r : store.List(unitId)) {
    std::string images = ImageWords(r.heldCrc);
    if (r.givenCrc) images += " -> " + ImageWords(r.givenCrc);
    std::printf("%lld\t%s\t%s\t%s\t%s\t%s\t%d\t%s\t%s\n", static_cast<long long>(r.id),
                TimeWords(r.time).c_str(), EventWords(r.event, r.result).c_str(), r.identity.c_str(),
                Field(r.unitName).c_str(), images.c_str(), r.changed, Field(r.file).c_str(), r.note.c_str());
  }
  return kOk;
}

int Units(CHistoryStore& store) {
  for (const HistoryUnit& u : store.Units())
    std::printf("%lld\t%s\t%s\t%s\t%d\n", static_cast<long long>(u.id), u.identity.c_str(),
                Field(u.name).c_str(), TimeWords(u.lastSeen).c_str(), u.entries);
  return kOk;
}

int Show(const Args& args, CHistoryStore& store) {
  const std::optional<EntryRef> ref = ParseEntryRef(args.positional[1]);
  const std::optional<HistoryEntry> e = ref ? store.Entry(ref->id) : std::nullopt;
  if (!e) {
    std::fprintf(stderr, "ignctl: no entry %s in the unit history\n", args.positional[1].c_str());
    return kUsage;
  }
  const HistoryRow& r = e->row;
  const auto line = [](const char* label, const std::string& value) {
    std::printf("%-10s%s\n", label, Field(value).c_str());
  };
  line("entry:", std::to_string(r.id));
  line("time:", TimeWords(r.time));
  line("event:", EventWords(r.event, r.result));
  line("unit:", r.identity);
  line("name:", r.unitName);
  line("version:", r.version);
  line("owner:", r.owner);
  line("file:", r.file);
  line("held:", ImageWords(r.heldCrc));
  line("given:", ImageWords(r.givenCrc));
  line("changed:", std::to_string(r.changed));
  line("note:", r.note);
  if (e->held && e->given) {
    std::printf("\n");
    PrintDifferences(*e->held, *e->given, args.raw);
  }
  return kOk;
}

int Diff(const Args& args, CHistoryStore& store) {
  const std::optional<Image> a = EntryImageOf(store, args.positional[1]);
  if (!a) return kUsage;
  const std::string& other = args.positional[2];
  std::optional<Image> b;
  // A name that is a file is a file, even when it reads like an entry.
  if (IsFile(other) || !ParseEntryRef(other)) {
    Image file = DefaultSettings();
    std::string error;
    if (!LoadSettings(other, file, false, error)) {
      std::fprintf(stderr, "ignctl: %s\n", error.c_str());
      return kUsage;
    }
    b = file;
  } else {
    b = EntryImageOf(store, other);
  }
  if (!b) return kUsage;
  return PrintDifferences(*a, *b, args.raw) ? kOk : kFailed;
}

int Export(const Args& args, CHistoryStore& store) {
  const std::optional<Image> image = EntryImageOf(store, args.positional[1]);
  if (!image) return kUsage;
  std::string error;
  if (!SaveSettings(args.positional[2], *image, IgnVersions{}, error)) {
    std::fprintf(stderr, "ignctl: %s\n", error.c_str());
    return kFailed;
  }
  return kOk;
}

int Note(const Args& args, CHistoryStore& store) {
  const std::optional<EntryRef> ref = ParseEntryRef(args.positional[1]);
  if (!ref || !store.Entry(ref->id)) {
    std::fprintf(stderr, "ignctl: no entry %s in the unit history\n", args.positional[1].c_str());
    return kUsage;
  }
  const StoreStatus status = store.SetNote(ref->id, args.positional[2]);
  if (!status.Ok()) std::fprintf(stderr, "ignctl: the note was not kept: %s\n", status.detail.c_str());
  return status.Ok() ? kOk : kFailed;
}

}  // namespace

int CmdHistory(const Args& args) {
  struct Sub {
    size_t arguments;  // positional arguments after "history" and the subcommand
    int (*run)(const Args&, CHistoryStore&);
  };
  static const std::map<std::string, Sub> subs = {
      {"list", {0, List}},     {"units", {0, [](const Args&, CHistoryStore& s) { return Units(s); }}},
      {"show", {1, Show}},     {"diff", {2, Diff}},
      {"export", {2, Export}}, {"note", {2, Note}},
  };
  const auto it = args.positional.empty() ? subs.end() : subs.find(args.positional[0]);
  if (it == subs.end() || args.positional.size() != it->second.arguments + 1) {
    std::fprintf(stderr,
                 "ignctl: history needs list, units, show ENTRY, diff ENTRY ENTRY|FILE, export ENTRY FILE "
                 "or note ENTRY TEXT\n");
    return kUsage;
  }
  CHistoryStore store;
  if (!OpenStore(args, store)) return kFailed;
  return it->second.run(args, store);
}

}  // namespace ign::cli
