// Running the real program headless from a test: a journal of taps in, the run's log, its exit
// status and its screenshots out. The log names every screen change ("sprocklet: mode A -> B at
// frame N"), so a script can check where it went and when.
#pragma once

#include <png.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace program_run {

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// An RGBA picture read from a PNG file (a screenshot or a sample-pack picture).
struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  // The pixel's red, green, blue and alpha bytes.
  const unsigned char* At(int x, int y) const { return &rgba[((size_t)y * width + x) * 4]; }
  // 0xRRGGBB at (x, y).
  unsigned Colour(int x, int y) const {
    const unsigned char* c = &rgba[((size_t)y * width + x) * 4];
    return (unsigned)c[0] << 16 | (unsigned)c[1] << 8 | c[2];
  }
};

inline bool ReadPng(const std::string& path, Picture* out) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  out->width = (int)image.width;
  out->height = (int)image.height;
  out->rgba.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, out->rgba.data(), 0, nullptr) != 0;
}

// One screen change of a run's log.
struct ModeSwitch {
  int from, to, frame;
};

inline std::vector<ModeSwitch> ModeSwitches(const std::string& log) {
  std::vector<ModeSwitch> out;
  std::istringstream lines(log);
  std::string line;
  while (std::getline(lines, line)) {
    ModeSwitch m{};
    if (sscanf(line.c_str(), "sprocklet: mode %d -> %d at frame %d", &m.from, &m.to, &m.frame) == 3)
      out.push_back(m);
  }
  return out;
}

// The frame of the run's first switch from one mode to another, or -1.
inline int SwitchFrame(const std::string& log, int from, int to) {
  for (const ModeSwitch& m : ModeSwitches(log))
    if (m.from == from && m.to == to) return m.frame;
  return -1;
}

// The modes the run went through after the loader, in order (the loader's 18 first).
inline std::vector<int> ModePath(const std::string& log) {
  std::vector<int> path;
  for (const ModeSwitch& m : ModeSwitches(log)) {
    if (path.empty()) path.push_back(m.from);
    path.push_back(m.to);
  }
  return path;
}

// What a headless run left.
struct Run {
  int status = -1; // the exit status, -1 when it did not exit
  std::string out, err;
};

// Runs the program headless in dir (runtime root dir/root) with the journal text (written to
// dir/journal.txt; empty for none) and further arguments. The log goes to dir/out.txt and
// dir/err.txt. With timeoutSeconds > 0 the run is ended after that long (status 124). The leak
// check belongs to the unit tests, not to these runs.
inline Run RunHeadless(const std::string& dir, const std::string& journal, const std::string& args,
                       const std::string& display = "480x320", int timeoutSeconds = 0) {
  std::string journalArg;
  if (!journal.empty()) {
    std::ofstream(dir + "/journal.txt") << journal;
    journalArg = " --journal '" + dir + "/journal.txt'";
  }
  const std::string timeout = timeoutSeconds > 0 ? "timeout " + std::to_string(timeoutSeconds) + " " : "";
  std::string command = "cd '" + dir + "' && ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" " + timeout + "'" +
                        SPROCKLET_PROGRAM + "' --headless --display " + display + " --root '" + dir +
                        "/root'" + journalArg + " " + args + " >'" + dir + "/out.txt' 2>'" + dir +
                        "/err.txt'";
  Run r;
  int status = system(command.c_str());
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Slurp(dir + "/out.txt");
  r.err = Slurp(dir + "/err.txt");
  return r;
}

// Journal lines of a tap at (x, y) on frame f: down at f, up two frames later.
inline std::string Tap(int f, int x, int y) {
  return std::to_string(f) + " touch down 0 " + std::to_string(x) + " " + std::to_string(y) + "\n" +
         std::to_string(f + 2) + " touch up 0 " + std::to_string(x) + " " + std::to_string(y) + "\n";
}

// Copies the test's screenshots (dir/*.png) to BUILD/<area>-shots/<test>/ when the test has
// failed, so what the screen showed can be looked at. Call it at the end of a test.
inline void KeepShotsOnFailure(const std::string& dir, const std::string& area) {
  if (!::testing::Test::HasFailure()) return;
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  for (char& c : name)
    if (c == '/') c = '_';
  std::filesystem::path keep = std::filesystem::path(SPROCKLET_BINARY_DIR) / (area + "-shots") / name;
  std::error_code ec;
  std::filesystem::create_directories(keep, ec);
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
    if (entry.path().extension() == ".png")
      std::filesystem::copy_file(entry.path(), keep / entry.path().filename(),
                                 std::filesystem::copy_options::overwrite_existing, ec);
  ADD_FAILURE() << "screenshots kept in " << keep.string();
}

} // namespace program_run
