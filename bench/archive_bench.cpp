// ign_archive_bench: the archive store against its physical limits.
//
//   ign_archive_bench [PROGRAM] [--runs N]
//
// OPEN of PROGRAM (the built ignset, without a store: the start-up case)
// against a plain read of the same file; IMPORT of a 20 MB mixed tree
// against zlib's compress of the same bytes alone; SAVE against writing and
// flushing as many bytes; the heap after OPEN against the stored bytes.
// Prints a Markdown section; nothing passes or fails on time.
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/files/impet_shell.h"

namespace ign::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kTickMs = 55;

double TimeMs(const std::function<void()>& fn) {
  const auto t = Clock::now();
  fn();
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// The median of runs of fn.
double MedianMs(int runs, const std::function<void()>& fn) {
  std::vector<double> v;
  for (int i = 0; i < runs; ++i) v.push_back(TimeMs(fn));
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void PlainRead(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  std::vector<char> buf(0x40000);
  while (::read(fd, buf.data(), buf.size()) > 0) {
  }
  ::close(fd);
}

void Write(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// About 20 MB: settings-like text, logs, noise, many small files.
std::vector<std::string> MixedTree(const std::string& root) {
  std::vector<std::string> contents;
  uint32_t x = 12345;
  auto noise = [&](size_t n) {
    std::string s(n, '\0');
    for (char& c : s) {
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      c = char(x >> 24);
    }
    return s;
  };
  auto text = [&](size_t n) {
    std::string s;
    for (int i = 0; s.size() < n; ++i)
      s += "RPM=" + std::to_string(1000 + (i * 37) % 9000) + ";ADV=" + std::to_string(i % 41) + "\r\n";
    s.resize(n);
    return s;
  };
  size_t total = 0;
  for (int i = 0; total < 20000000; ++i) {
    std::string bytes;
    switch (i % 4) {
      case 0: bytes = text(size_t(2000000 + (i * 7919) % 2000000)); break;
      case 1: bytes = noise(size_t(500000 + (i * 104729) % 1500000)); break;
      case 2: bytes = text(size_t(50 + i % 200)); break;
      default: bytes = noise(size_t(1000 + (i * 31) % 50000)); break;
    }
    Write(root + "/d" + std::to_string(i % 5) + "/f" + std::to_string(i), bytes);
    total += bytes.size();
    contents.push_back(std::move(bytes));
  }
  return contents;
}

double CompressAlone(const std::vector<std::string>& contents) {
  return TimeMs([&] {
    std::vector<Bytef> out;
    for (const std::string& c : contents) {
      if (c.size() <= 100) continue;
      out.resize(c.size());
      uLongf len = uLongf(out.size());
      compress(out.data(), &len, reinterpret_cast<const Bytef*>(c.data()), uLong(c.size()));
    }
  });
}

size_t HeapInUse() { return mallinfo2().uordblks + mallinfo2().hblkhd; }

}  // namespace

int Run(const std::string& program, int runs) {
  std::printf("\n## Archive store\n\n");
  std::printf("Medians of %d runs (IMPORT and SAVE: 3); a tick is %.0f ms of the GUI thread.\n\n", runs,
              kTickMs);
  std::printf("| measure | ms | against | ms | ratio | ticks |\n|---|---:|---|---:|---:|---:|\n");

  // OPEN of the program file without a store, after one warming read.
  PlainRead(program);
  CImpet probe;
  const int result = probe.Open(program);
  const double read = MedianMs(runs, [&] { PlainRead(program); });
  const double open = MedianMs(runs, [&] {
    CImpet s;
    s.Open(program);
  });
  std::printf("| OPEN %s (%.1f MB, result %d) | %.2f | plain read | %.2f | %.2f | %.2f |\n",
              fs::path(program).filename().c_str(), double(fs::file_size(program)) / 1e6, result, open, read,
              open / read, open / kTickMs);

  char pattern[] = "/tmp/ign-archive-bench-XXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  const std::string dir = pattern;
  const std::vector<std::string> contents = MixedTree(dir + "/tree");
  size_t bytes = 0;
  for (const std::string& c : contents) bytes += c.size();

  std::vector<double> imports, compresses, saves, writes;
  size_t hostSize = 0, storeSize = 0, heap = 0;
  for (int i = 0; i < 3; ++i) {
    Write(dir + "/host", std::string(4096, 'h'));
    CImpet store;
    std::ostringstream out;
    CImpetShell shell(store, out);
    shell.Run("OPEN " + dir + "/host");
    imports.push_back(TimeMs([&] { shell.Run("IMPORT " + dir + "/tree \"\""); }));
    compresses.push_back(CompressAlone(contents));
    saves.push_back(TimeMs([&] { shell.Run("SAVE"); }));
    hostSize = fs::file_size(dir + "/host");
    std::string image;
    {
      std::ifstream in(dir + "/host", std::ios::binary);
      image.assign(std::istreambuf_iterator<char>(in), {});
    }
    writes.push_back(TimeMs([&] {
      const int fd = ::open((dir + "/plain").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (fd < 0) return;
      if (::write(fd, image.data(), image.size()) < 0) std::perror("write");
      ::fsync(fd);
      ::close(fd);
    }));
    // The heap a fresh OPEN of the saved store holds.
    const size_t before = HeapInUse();
    CImpet loaded;
    loaded.Open(dir + "/host");
    heap = HeapInUse() - before;
    storeSize = loaded.StoreSize();
  }
  auto med = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::printf("| IMPORT of %zu files, %.1f MB | %.1f | zlib compress alone | %.1f | %.2f | %.1f |\n",
              contents.size(), double(bytes) / 1e6, med(imports), med(compresses),
              med(imports) / med(compresses), med(imports) / kTickMs);
  std::printf("| SAVE, host of %.1f MB | %.1f | write + fsync | %.1f | %.2f | %.1f |\n",
              double(hostSize) / 1e6, med(saves), med(writes), med(saves) / med(writes),
              med(saves) / kTickMs);
  std::printf("\nHeap after OPEN of that store: %.1f MB for %.1f MB of stored bytes (%.2f).\n",
              double(heap) / 1e6, double(storeSize) / 1e6, double(heap) / double(storeSize));
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}

}  // namespace ign::bench

int main(int argc, char** argv) {
  std::string program;
  int runs = 20;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else {
      program = a;
    }
  }
  if (program.empty()) {
    const char* bin = std::getenv("IGN_BINARY_DIR");
    program = std::string(bin ? bin : "build") + "/src/ui/ignset";
  }
  if (!std::filesystem::exists(program)) {
    std::fprintf(stderr, "ign_archive_bench: no program file %s\n", program.c_str());
    return 2;
  }
  return ign::bench::Run(program, runs);
}
