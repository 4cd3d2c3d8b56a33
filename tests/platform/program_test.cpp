// The host's entry end to end, around the touch demo: headless runs over a journal write
// screenshots that show the demo's response to the touches, identically for the same journal and
// seed; the desktop backend does the same under Xvfb; bad journals and options stop with status 2.
#include <gtest/gtest.h>

#include "temp_dir.h"

#include <png.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Result {
  int status = -1;
  std::string err;
};

// Runs a program with the given arguments; stderr is captured through a file.
Result Spawn(const std::vector<std::string>& args, const std::string& dir) {
  Result r;
  std::string errPath = dir + "/stderr.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  std::ifstream in(errPath);
  std::stringstream text;
  text << in.rdbuf();
  r.err = text.str();
  return r;
}

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  const unsigned char* At(int x, int y) const { return &rgb[((size_t)y * (size_t)width + (size_t)x) * 3]; }
};

bool ReadPng(const std::string& path, Picture* p) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  p->width = (int)image.width;
  p->height = (int)image.height;
  p->rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, p->rgb.data(), 0, nullptr) != 0;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void ExpectColour(const Picture& p, int x, int y, int r, int g, int b, const char* what) {
  const unsigned char* px = p.At(x, y);
  // 5-6-5 headless and 8-8-8 desktop buffers round differently.
  EXPECT_NEAR(px[0], r, 10) << what;
  EXPECT_NEAR(px[1], g, 10) << what;
  EXPECT_NEAR(px[2], b, 10) << what;
}

// On a 1024x600 display the demo's logical screen is 480x281. Frame 15: finger 0 held at
// display (512, 300), logical (240, 140): red 240/479, green 140/280, blue full. Frame 30: it has
// been lifted at (1023, 0), logical (479, 0): red full, green 0, blue 0; finger 1 rests at (100, 500).
const char* kJournal = "# two fingers\n"
                       "5 touch down 0 1023 599\n"
                       "10 touch move 0 512 300\n"
                       "20 touch down 1 100 500\n"
                       "25 touch move 0 1023 0\n"
                       "26 touch up 0 1023 0\n";

void CheckDemoFrames(const Picture& held, const Picture& lifted) {
  ASSERT_EQ(held.width, 1024);
  ASSERT_EQ(held.height, 600);
  ExpectColour(held, 900, 80, 128, 128, 255, "background while held");
  ExpectColour(held, 512, 300, 255, 255, 255, "marker under the finger");
  ExpectColour(held, 100, 500, 128, 128, 255, "no second finger yet");
  ExpectColour(lifted, 300, 300, 255, 0, 0, "background after the lift");
  ExpectColour(lifted, 1020, 3, 255, 255, 255, "marker where the finger left");
  ExpectColour(lifted, 100, 500, 0, 255, 255, "second finger's marker");
  ExpectColour(lifted, 512, 300 - 40, 255, 0, 0, "old position cleared");
}

class ProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok());
    journal = dir.path() + "/j.txt";
    std::ofstream(journal) << kJournal;
  }
  Result Headless(std::vector<std::string> extra) {
    std::vector<std::string> args = {SPROCKLET_PROGRAM, "--headless", "--root", dir.path() + "/root"};
    args.insert(args.end(), extra.begin(), extra.end());
    return Spawn(args, dir.path());
  }
  ScopedTempDir dir;
  std::string journal;
};

TEST_F(ProgramTest, HeadlessScreenshotsShowTheResponseToTheJournalsTouches) {
  Result r =
      Headless({"--frames", "60", "--journal", journal, "--shot", "15:held.png", "--shot", "30:a.png"});
  ASSERT_EQ(r.status, 0) << r.err;
  Picture held, lifted;
  ASSERT_TRUE(ReadPng(dir.path() + "/held.png", &held));
  ASSERT_TRUE(ReadPng(dir.path() + "/a.png", &lifted));
  CheckDemoFrames(held, lifted);
}

TEST_F(ProgramTest, SameJournalAndSeedGiveIdenticalScreenshots) {
  for (const char* name : {"one.png", "two.png"}) {
    Result r = Headless(
        {"--frames", "40", "--seed", "5", "--journal", journal, "--shot", std::string("30:") + name});
    ASSERT_EQ(r.status, 0) << r.err;
  }
  std::string one = ReadFile(dir.path() + "/one.png"), two = ReadFile(dir.path() + "/two.png");
  ASSERT_FALSE(one.empty());
  EXPECT_TRUE(one == two);
}

TEST_F(ProgramTest, MalformedJournalStopsWithItsLineNumber) {
  std::ofstream(journal) << "1 touch down 0 5 5\n# fine\n3 touch sideways 0 5 5\n";
  Result r = Headless({"--frames", "10", "--journal", journal, "--shot", "5:x.png"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("j.txt:3:"), std::string::npos) << r.err;
  EXPECT_NE(access((dir.path() + "/x.png").c_str(), F_OK), 0);

  r = Headless({"--frames", "10", "--journal", dir.path() + "/missing.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("missing.txt"), std::string::npos) << r.err;
}

TEST_F(ProgramTest, BadOptionsAreRefusedWithOneLineAndStatusTwo) {
  for (std::vector<std::string> bad :
       {std::vector<std::string>{"--display", "0x600"}, {"--frames", "-3"}, {"--warp"}}) {
    Result r = Headless(bad);
    EXPECT_EQ(r.status, 2) << bad[0];
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

TEST_F(ProgramTest, ScreenshotThatCannotBeWrittenFailsTheRun) {
  Result r = Headless({"--frames", "5", "--shot", "2:" + dir.path() + "/no/such/dir/a.png"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("a.png"), std::string::npos) << r.err;
}

bool HaveXvfb() {
  return system("command -v xvfb-run >/dev/null 2>&1 && command -v Xvfb >/dev/null 2>&1") == 0;
}

TEST_F(ProgramTest, DesktopBackendUnderXvfbShowsTheSameResponse) {
  if (!HaveXvfb())
    GTEST_SKIP() << "Xvfb is missing (scripts/install-deps.sh installs xvfb): desktop backend not run";
  Result r = Spawn({"xvfb-run", "-a", "-s", "-screen 0 1280x800x24", SPROCKLET_PROGRAM, "--root",
                    dir.path() + "/root", "--frames", "60", "--journal", journal, "--shot", "15:held.png",
                    "--shot", "30:a.png"},
                   dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  Picture held, lifted;
  ASSERT_TRUE(ReadPng(dir.path() + "/held.png", &held));
  ASSERT_TRUE(ReadPng(dir.path() + "/a.png", &lifted));
  CheckDemoFrames(held, lifted);
}

} // namespace
