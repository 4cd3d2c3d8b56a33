// The sprocklet program plays the sample pack's level 1 to its exit door from a fresh root under a
// tilt journal: the run is booked into the level records and saved with its ghost; a second, slower
// run leaves that ghost file as it was and plays it beside the hero.
#include <sys/wait.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game_test_support.h"
#include "program_run.h"

namespace {

using program_run::Slurp;

bool ReadRgb(const std::string& path, std::vector<unsigned char>* rgb) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  rgb->resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, rgb->data(), 0, nullptr) != 0;
}

int32_t Word(const std::string& bytes, size_t word) {
  int32_t v = 0;
  if (bytes.size() >= 4 * (word + 1)) memcpy(&v, bytes.data() + 4 * word, 4);
  return v;
}

// Runs the program on root with the journal text; its stdout.
std::string RunProgram(const ScopedTempDir& dir, const std::string& tag, const std::string& journal,
                       int frames, const std::string& root = "root", const std::string& shot = "") {
  std::string j = dir.path() + "/" + tag + ".txt";
  std::ofstream(j) << journal;
  std::string command = std::string("ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" '") + SPROCKLET_PROGRAM +
                        "' --headless --display 480x320 --level 1 --character 0 --frames " +
                        std::to_string(frames) + " --journal '" + j + "' --root '" + dir.path() + "/" + root +
                        "' --data '" + SPROCKLET_DATA_DIR + "'" + shot + " >'" + dir.path() + "/" + tag +
                        ".out' 2>'" + dir.path() + "/" + tag + ".err'";
  int status = system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << Slurp(dir.path() + "/" + tag + ".err");
  return Slurp(dir.path() + "/" + tag + ".out");
}

// Leaning right from frame 40 + delay, past the start wait, and from then on a jump held for 15
// frames every 20 frames: a delay plays the same run later.
std::string Journal(int delay) {
  std::string j = std::to_string(40 + delay) + " tilt -0.2 0 0\n";
  for (int f = 40 + delay; f < 1500; f += 20)
    j += std::to_string(f) + " touch down 0 240 200\n" + std::to_string(f + 15) + " touch up 0 240 200\n";
  return j;
}

TEST(ProgramCompletion, Level1IsFinishedBookedAndItsGhostKeptForTheFasterRun) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::string out = RunProgram(dir, "fast", Journal(0), 1500);
  float time = 0;
  int rank = 0;
  size_t at = out.find("sprocklet: level 1 completed in");
  ASSERT_NE(at, std::string::npos) << out;
  ASSERT_EQ(sscanf(out.c_str() + at, "sprocklet: level 1 completed in %f s with rank %d", &time, &rank), 2);
  EXPECT_EQ(out.find("sprocklet: ghost of level 1"), std::string::npos); // none yet

  std::string data = dir.path() + "/root/data/";
  std::string levels = Slurp(data + "allinfo.dat");
  ASSERT_EQ(levels.size(), 400u * 96 * 4);
  const size_t record1 = 96, record2 = 2 * 96;
  float best;
  int32_t w0 = Word(levels, record1);
  memcpy(&best, &w0, 4);
  EXPECT_EQ(Word(levels, record1 + 20), 1);
  EXPECT_GE(Word(levels, record1 + 21), 1);
  EXPECT_LE(Word(levels, record1 + 21), 4);
  EXPECT_EQ(Word(levels, record1 + 21), rank);
  EXPECT_NEAR(best, time, 0.001f); // printed to the millisecond
  EXPECT_GT(best, 2.0f);
  EXPECT_EQ(Word(levels, record2 + 46), 1);
  std::string ghost = Slurp(data + "record1--0.r");
  ASSERT_GE(ghost.size(), 4u);
  int32_t n = Word(ghost, 0);
  EXPECT_EQ(ghost.size(), 4u + 49u * (uint32_t)n);
  // A frame for every 0.016 s of the run, and the start wait before the clock runs.
  EXPECT_GE(n, (int)(time / 0.016f) - 2);
  EXPECT_LE(n, (int)(time / 0.016f) + 60);
  for (const char* f : {"global.cfg", "missions.cfg", "options.cfg"})
    EXPECT_TRUE(std::filesystem::exists(data + f)) << f;

  // A slower run: the same, half a second later. The same run on a copy of the root without the
  // ghost file differs in the picture only by the ghost, which runs ahead of the hero.
  std::filesystem::copy(dir.path() + "/root", dir.path() + "/plain",
                        std::filesystem::copy_options::recursive);
  std::filesystem::remove(dir.path() + "/plain/data/record1--0.r");
  RunProgram(dir, "plain", Journal(30), 101, "plain", " --shot 100:'" + dir.path() + "/plain.png'");
  std::string slow =
      RunProgram(dir, "slow", Journal(30), 1500, "root", " --shot 100:'" + dir.path() + "/slow.png'");
  std::vector<unsigned char> a, b;
  ASSERT_TRUE(ReadRgb(dir.path() + "/plain.png", &a));
  ASSERT_TRUE(ReadRgb(dir.path() + "/slow.png", &b));
  ASSERT_EQ(a.size(), b.size());
  int differing = 0;
  for (size_t i = 0; i < a.size(); i += 3)
    differing += memcmp(&a[i], &b[i], 3) != 0;
  EXPECT_GT(differing, 100);
  float slowTime = 0;
  at = slow.find("sprocklet: level 1 completed in");
  ASSERT_NE(at, std::string::npos) << slow;
  ASSERT_EQ(sscanf(slow.c_str() + at, "sprocklet: level 1 completed in %f s", &slowTime), 1);
  EXPECT_GT(slowTime, time + 0.3f);
  EXPECT_NE(slow.find("sprocklet: ghost of level 1 for character 0 with " + std::to_string(n) + " frames"),
            std::string::npos)
      << slow;
  EXPECT_EQ(Slurp(data + "record1--0.r"), ghost);
  levels = Slurp(data + "allinfo.dat");
  w0 = Word(levels, record1);
  memcpy(&best, &w0, 4);
  EXPECT_NEAR(best, time, 0.001f); // printed to the millisecond
  EXPECT_EQ(Word(levels, record1 + 20), 2);
}

} // namespace
