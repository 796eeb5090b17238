// Replays fuzzer inputs without libFuzzer: every file named, and every file in
// every folder named, runs once through the same harness. Before that the
// replay makes sure its checks can fail at all: the checker must reject texts
// that are no number, and a box without the key filter must be caught.
//
//   fuzz_replay <corpus folder or file>...   replay (exit 1 on any fault)
//   fuzz_replay --self-check                 the self-check alone

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "fuzz_oracle.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

bool SelfCheck() {
  bool ok = true;
  auto expect = [&ok](bool got, bool want, const char* what) {
    if (got != want) {
      std::fprintf(stderr, "self-check: %s gave %s\n", what, got ? "yes" : "no");
      ok = false;
    }
  };
  for (const char16_t* bad : {u"", u"-", u".", u"-.", u"+", u"1.5,", u"1..2", u"12 ", u"1-2", u"--1", u"1e5",
                              u"a1", u"\t1", u"1\n", u"\u0663", u"\uFF11", u"\u22121"}) {
    expect(fuzz::LooksLikeANumber(QStringView(bad)), false, "a text that is no number");
  }
  for (const char16_t* good : {u"7", u"  -12", u"+3", u"1,5", u"-5.", u".5", u"007"})
    expect(fuzz::LooksLikeANumber(QStringView(good)), true, "a number");
  expect(fuzz::BoxMayHold(u"-", false), false, "a lone minus in a digits-only box");
  expect(fuzz::BoxMayHold(u"-", true), true, "a lone minus where a sign may be typed");
  expect(fuzz::BoxMayHold(u"", false), true, "an empty box");

  // Inputs in the harness's own format: the set, start text, caret, selection,
  // clipboard, then steps. An "a" typed into a digits-only box; a program-set
  // "-5-" in a box with a sign.
  const std::uint8_t typeLetter[] = {0, 0, 0, 0, 0, /*type*/ 0, 0, /*'a'*/ 17};
  const std::uint8_t setText[] = {1, 0, 0, 0, 0, /*SetText*/ 12, 3, /*'-'*/ 10, /*'5'*/ 5, /*'-'*/ 10};
  for (const auto& [input, size, what] :
       {std::tuple(typeLetter, sizeof typeLetter, "a typed letter"), std::tuple(setText, sizeof setText, "\"-5-\"")}) {
    expect(fuzz::Drive(input, size, false).has_value(), true, what);  // unfiltered: must be caught
    expect(fuzz::Drive(input, size, true).has_value(), false, what);  // filtered: must pass
  }
  return ok;
}

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  LLVMFuzzerInitialize(&argc, &argv);
  if (!SelfCheck()) {
    std::fprintf(stderr, "self-check failed: the replay could not tell a fault\n");
    return 1;
  }
  if (argc == 2 && std::strcmp(argv[1], "--self-check") == 0) return 0;

  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path named(argv[i]);
    if (std::filesystem::is_directory(named)) {
      for (const auto& entry : std::filesystem::directory_iterator(named))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.push_back(named);
    }
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::fprintf(stderr, "no inputs to replay\n");
    return 1;
  }
  // What LLVMFuzzerTestOneInput runs, but every failing input is named and
  // the replay goes on, instead of stopping at the first.
  int faults = 0;
  for (const auto& file : files) {
    const std::vector<std::uint8_t> data = ReadAll(file);
    if (const auto fault = fuzz::Drive(data.data(), data.size(), true)) {
      std::fprintf(stderr, "%s: %s\n", file.string().c_str(), fault->c_str());
      ++faults;
    }
  }
  std::printf("replayed %zu inputs, %d faults\n", files.size(), faults);
  return faults == 0 ? 0 : 1;
}
