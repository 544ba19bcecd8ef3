// The profile functions of the POSIX build on a large settings file against
// a tiny one:
//   profile_bench FOLDER [ROUNDS]
// Writes three settings files into FOLDER: 100 bytes (one section), 1 MiB
// (1,000 sections) and 2 MiB (2,000 sections), each with the [RWfolder]
// section last. Each round reads the entry from the three files in turn, then
// rewrites it in the three in turn (the value keeps its length, so the sizes
// stay). A sample is the mean of a batch of calls lasting some 100 ms. Prints
// the medians per call, the medians of the per-round ratios next to the size
// ratios, and lines starting "SUMMARY|" for scripts/bench.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kSection[] = "RWfolder";
constexpr char kKey[] = "Name";
const std::string kValueA = "/srv/stash/remembered-a/";
const std::string kValueB = "/srv/stash/remembered-b/";

// A settings file of exactly `size` bytes: `sections - 1` sections of
// 32-byte entries, then [RWfolder], with a comment at the top making up the
// rest.
std::string MakeProfile(int sections, size_t size) {
  const std::string tail = "[" + std::string(kSection) + "]\r\n" + kKey + "=" + kValueA + "\r\n";
  std::string filler;
  if (sections > 1) {
    const size_t perSection = (size - tail.size() - 16) / static_cast<size_t>(sections - 1);
    char line[64];
    for (int s = 0; s < sections - 1; ++s) {
      std::string section = "[Section" + std::to_string(s) + "]\r\n";
      for (int k = 0; section.size() + 32 <= perSection; ++k) {
        std::snprintf(line, sizeof line, "Key%04d=value-of-entry-%06d\r\n", k, s);
        section += line;  // 32 bytes
      }
      filler += section;
    }
  }
  const size_t used = filler.size() + tail.size();
  if (used + 4 > size) {
    std::fprintf(stderr, "profile_bench: %zu bytes do not hold %d sections\n", size, sections);
    std::exit(2);
  }
  return "; " + std::string(size - used - 4, '-') + "\r\n" + filler + tail;
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Subject {
  std::string label;
  std::string path;
  size_t size;
};

// Calls `call` `batch` times and answers the mean time per call in
// microseconds.
double Sample(const std::function<void()>& call, int batch) {
  const auto start = Clock::now();
  for (int i = 0; i < batch; ++i) call();
  const std::chrono::duration<double, std::micro> took = Clock::now() - start;
  return took.count() / batch;
}

// How many calls make a batch of about 100 ms, at least 3.
int BatchFor(const std::function<void()>& call) {
  const double once = std::max(Sample(call, 1), 0.1);
  return std::clamp(static_cast<int>(100000.0 / once), 3, 100000);
}

std::string Micro(double us) {
  char text[32];
  if (us >= 1000)
    std::snprintf(text, sizeof text, "%.2f ms", us / 1000);
  else
    std::snprintf(text, sizeof text, "%.1f us", us);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: profile_bench FOLDER [ROUNDS]\n");
    return 2;
  }
  // A program makes one such call per run, with every large buffer fresh
  // from the system. Fixed thresholds keep it so here too: otherwise the
  // allocator's own adjustments decide whether a call pays for new pages,
  // which on a virtual machine weighs more than the parsing.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  mallopt(M_TRIM_THRESHOLD, 128 * 1024);

  const std::string folder = argv[1];
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 11;

  const std::vector<Subject> subjects = {
      {"100 B", folder + "/tiny.ini", 100},
      {"1 MiB", folder + "/large.ini", 1u << 20},
      {"2 MiB", folder + "/double.ini", 2u << 20},
  };
  const int sections[] = {1, 1000, 2000};
  for (size_t i = 0; i < subjects.size(); ++i) {
    if (!WriteFile(subjects[i].path, MakeProfile(sections[i], subjects[i].size))) {
      std::fprintf(stderr, "profile_bench: cannot write %s\n", subjects[i].path.c_str());
      return 1;
    }
  }

  bool wrong = false;
  std::vector<std::function<void()>> reads, writes;
  std::vector<bool> flip(subjects.size(), false);
  for (size_t i = 0; i < subjects.size(); ++i) {
    const std::string path = subjects[i].path;
    reads.push_back([path, &wrong] {
      char buffer[256];
      GetPrivateProfileStringA(kSection, kKey, "", buffer, 255, path.c_str());
      if (kValueA != buffer && kValueB != buffer) wrong = true;
    });
    writes.push_back([path, i, &flip, &wrong] {
      flip[i] = !flip[i];
      const std::string& value = flip[i] ? kValueB : kValueA;
      if (!WritePrivateProfileStringA(kSection, kKey, value.c_str(), path.c_str())) wrong = true;
    });
  }

  std::printf("Profile functions (POSIX stand-ins), %d rounds, files in turn, median per call:\n",
              rounds);
  std::printf("  %-6s %12s %12s %12s   %-26s %s\n", "call", "100 B", "1 MiB", "2 MiB",
              "1 MiB / 100 B (size x10486)", "2 MiB / 1 MiB (size x2)");
  const double sizeRatio = static_cast<double>(subjects[1].size) / subjects[0].size;
  for (const auto* calls : {&reads, &writes}) {
    const bool isRead = calls == &reads;
    std::vector<int> batch;
    for (const auto& call : *calls) batch.push_back(BatchFor(call));
    std::vector<std::vector<double>> times(subjects.size());
    std::vector<double> largeOverTiny, doubleOverLarge;
    for (int r = 0; r < rounds; ++r) {
      std::vector<double> t;
      for (size_t i = 0; i < subjects.size(); ++i) t.push_back(Sample((*calls)[i], batch[i]));
      for (size_t i = 0; i < subjects.size(); ++i) times[i].push_back(t[i]);
      largeOverTiny.push_back(t[1] / t[0]);
      doubleOverLarge.push_back(t[2] / t[1]);
    }
    const double ratio = Median(largeOverTiny), slope = Median(doubleOverLarge);
    char ratioText[32], slopeText[32];
    std::snprintf(ratioText, sizeof ratioText, "x%.0f", ratio);
    std::snprintf(slopeText, sizeof slopeText, "x%.2f", slope);
    const char* name = isRead ? "read" : "write";
    std::printf("  %-6s %12s %12s %12s   %-27s %s\n", name, Micro(Median(times[0])).c_str(),
                Micro(Median(times[1])).c_str(), Micro(Median(times[2])).c_str(), ratioText,
                slopeText);
    // Linear: no worse than in proportion to the size, and twice the size
    // takes about twice the time (15% more allowed for noise).
    const bool met = ratio <= sizeRatio && slope <= 2.3;
    std::printf(
        "SUMMARY|Profile %s, 1 MiB (1,000 sections) vs 100 B|linear in size: ratio <= size ratio "
        "x%.0f, 2 MiB / 1 MiB <= x2.3|%s vs %s: x%.0f; 2 MiB / 1 MiB x%.2f|%s\n",
        isRead ? "read (GetPrivateProfileStringA)" : "write (WritePrivateProfileStringA)",
        sizeRatio, Micro(Median(times[1])).c_str(), Micro(Median(times[0])).c_str(), ratio, slope,
        met ? "met" : "not met");
  }
  if (wrong) {
    std::fprintf(stderr, "profile_bench: a call failed or read back a wrong value\n");
    return 1;
  }
  return 0;
}
