// ign_preset_bench: the developer tools over the preset bikes. "Save All New"
// against writing the same 44 files one by one, and "Compare All New" over
// two sets, as wall times and as 55 ms ticks of the window they block.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/app/bike_file_name.h"
#include "core/app/preset_files.h"
#include "core/files/ign_writer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTickMs = 55.0;

template <typename F>
double Ms(F&& f) {
  const auto t0 = Clock::now();
  f();
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("ign-preset-bench-" + std::to_string(::getpid()));
  fs::create_directories(root / "plain");
  const int runs = 9;
  const std::vector<std::string> names = ign::BikeFileNames(ign::kPresetBikes);
  std::vector<ign::Image> images;
  for (int b = 0; b < ign::kPresetBikes; ++b) images.push_back(ign::PresetImage(b));

  std::vector<double> saveAll, plain, compare;
  for (int r = 0; r < runs; ++r) {
    saveAll.push_back(Ms([&] { ign::SavePresetFiles((root / "new_ign").string()); }));
    plain.push_back(Ms([&] {
      for (int b = 0; b < ign::kPresetBikes; ++b)
        ign::SaveSettingsFile((root / "plain" / (names[size_t(b)] + ".ign")).string(), images[size_t(b)], {});
    }));
  }
  fs::remove_all(root / "new_ign_old");
  fs::copy(root / "new_ign", root / "new_ign_old");
  for (int r = 0; r < runs; ++r)
    compare.push_back(
        Ms([&] { ign::ComparePresetFiles((root / "new_ign_old").string(), (root / "new_ign").string()); }));

  const double s = Median(saveAll), p = Median(plain), c = Median(compare);
  std::printf(
      "Save All New (44 files)             median %8.2f ms = %5.1f ticks; 44 x SaveSettingsFile %8.2f ms"
      " (ratio %.2f)\n",
      s, s / kTickMs, p, s / p);
  std::printf("Compare All New (2 x 44 files)      median %8.2f ms = %5.1f ticks\n", c, c / kTickMs);
  fs::remove_all(root);
  return 0;
}
