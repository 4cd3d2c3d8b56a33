// The host's entry end to end, around the touch demo: headless runs over a journal write
// screenshots that show the demo's response to the touches, identically for the same journal and
// seed, and record what they were fed; the desktop backend does the same under Xvfb at 60 frames a
// second; bad journals, options, displays and packs stop with their reason; signals end a run.
#include <gtest/gtest.h>

#include "temp_dir.h"

#include <png.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
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

// Starts a program with the given arguments (and environment, by default this one's); its stderr
// goes to dir/stderr.txt. -1 when it cannot be started.
pid_t Start(const std::vector<std::string>& args, const std::string& dir, char** env = environ) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, (dir + "/stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), env) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Waits for a started program (killing it after timeoutMs) and collects its stderr.
Result Finish(pid_t pid, const std::string& dir, int timeoutMs = 120000) {
  Result r;
  if (pid > 0) {
    int status = 0;
    pid_t done = 0;
    for (int waited = 0; (done = waitpid(pid, &status, WNOHANG)) == 0 && waited < timeoutMs; waited += 10)
      usleep(10000);
    if (done == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      r.status = -2; // hung
    } else {
      r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
  }
  std::ifstream in(dir + "/stderr.txt");
  std::stringstream text;
  text << in.rdbuf();
  r.err = text.str();
  return r;
}

// Runs a program with the given arguments; stderr is captured through a file.
Result Spawn(const std::vector<std::string>& args, const std::string& dir, char** env = environ) {
  return Finish(Start(args, dir, env), dir);
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

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
  std::vector<std::string> HeadlessArgs(std::vector<std::string> extra) {
    std::vector<std::string> args = {SPROCKLET_PROGRAM, "--headless", "--root", dir.path() + "/root"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }
  Result Headless(std::vector<std::string> extra) { return Spawn(HeadlessArgs(extra), dir.path()); }
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

// What a new user gets wrong is refused with one line that names the value or file and why.
TEST_F(ProgramTest, BadDisplaysJournalsAndPacksAreRefusedWithTheirReason) {
  std::filesystem::create_directories(dir.path() + "/a directory");
  std::ofstream(dir.path() + "/nul.txt", std::ios::binary) << std::string("1 touch down 0 5 5\0 junk\n", 24);
  std::ofstream(dir.path() + "/bell.txt", std::ios::binary) << "1 nav exit # \a\n";
  std::ofstream(dir.path() + "/latin1.txt", std::ios::binary) << "1 nav exit # caf\xE9\n";
  struct Case {
    std::vector<std::string> args;
    const char* pack; // what stands at the demo's pack path: "dir", or the file's bytes
    int status;
    std::vector<std::string> said;
  };
  const std::string journal = dir.path() + "/";
  const Case cases[] = {
      {{"--display", "1x16384"}, nullptr, 1, {"start-up failed", "display 1x16384", "logical screen"}},
      {{"--journal", journal + "a directory"}, nullptr, 2, {"a directory", "is a directory"}},
      {{"--journal", journal + "nul.txt"}, nullptr, 2, {"nul.txt:1:", "NUL byte"}},
      {{"--journal", journal + "bell.txt"}, nullptr, 2, {"bell.txt:1:", "control byte 0x07"}},
      {{"--journal", journal + "latin1.txt"}, nullptr, 2, {"latin1.txt:1:", "not UTF-8"}},
      {{}, "dir", 1, {"_game_bb.pak", "it is a directory"}},
      {{}, "tiny", 1, {"_game_bb.pak", "too short to be a ZIP pack (4 bytes)"}},
      {{}, "not a zip pack, only some text that is long enough", 1, {"_game_bb.pak", "not a ZIP pack"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? std::string("pack ") + c.pack : c.args[0] + " " + c.args[1]);
    std::string packDir = dir.path() + "/root/app/native/assets";
    std::filesystem::remove_all(packDir);
    if (c.pack) {
      std::filesystem::create_directories(packDir);
      if (std::string(c.pack) == "dir")
        std::filesystem::create_directories(packDir + "/_game_bb.pak");
      else
        std::ofstream(packDir + "/_game_bb.pak") << c.pack;
    }
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--frames", "3"});
    Result r = Headless(args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    for (const std::string& part : c.said)
      EXPECT_NE(r.err.find(part), std::string::npos) << part << " not in: " << r.err;
  }
}

TEST_F(ProgramTest, WithoutHomeTheMissingRootNamesTheVariables) {
  std::vector<std::string> kept;
  for (char** e = environ; *e; ++e)
    if (strncmp(*e, "HOME=", 5) != 0 && strncmp(*e, "XDG_DATA_HOME=", 14) != 0) kept.push_back(*e);
  std::vector<char*> env;
  for (std::string& e : kept)
    env.push_back(e.data());
  env.push_back(nullptr);
  Result r = Spawn({SPROCKLET_PROGRAM, "--headless", "--frames", "2"}, dir.path(), env.data());
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("neither XDG_DATA_HOME nor HOME is set"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--root"), std::string::npos) << r.err;
}

TEST_F(ProgramTest, ScreenshotAfterTheLastFrameIsWarnedAbout) {
  Result r = Headless({"--frames", "5", "--shot", "9:late.png", "--shot", "5:last.png"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("--shot 9:late.png is never taken: --frames 5 ends the run at frame 5"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("last.png"), std::string::npos) << "the last frame drawn is taken: " << r.err;
  EXPECT_TRUE(Exists(dir.path() + "/last.png"));

  std::ofstream(journal) << "3 nav exit\n";
  r = Headless({"--journal", journal, "--shot", "4:x.png"});
  EXPECT_NE(r.err.find("--shot 4:x.png is never taken: the journal's 'nav exit' ends the run at frame 3"),
            std::string::npos)
      << r.err;
}

// A headless run without --frames keeps the device's 60 frames a second, so it cannot have drawn
// frame 240 within half a second; SIGTERM and SIGINT end it like the navigator's exit: status 0,
// the recording written, the WAV file complete.
class ProgramSignalTest : public ProgramTest, public ::testing::WithParamInterface<int> {};

TEST_P(ProgramSignalTest, EndsAPacedRunCleanly) {
  const std::string rec = dir.path() + "/rec.txt", wav = dir.path() + "/out.wav";
  pid_t pid = Start(HeadlessArgs({"--record", rec, "--audio", "wav:" + wav, "--shot", "10:started.png",
                                  "--shot", "240:late.png"}),
                    dir.path());
  ASSERT_GT(pid, 0);
  for (int waited = 0; !Exists(dir.path() + "/started.png") && waited < 60000; waited += 10)
    usleep(10000);
  usleep(500000);
  kill(pid, GetParam());
  Result r = Finish(pid, dir.path(), 30000);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("no --frames: running at 60 frames a second"), std::string::npos) << r.err;
  EXPECT_TRUE(Exists(dir.path() + "/started.png"));
  EXPECT_FALSE(Exists(dir.path() + "/late.png")) << "the run was not paced";

  std::string recorded = ReadFile(rec);
  EXPECT_NE(recorded.find(" nav exit\n"), std::string::npos) << recorded;
  std::string audio = ReadFile(wav);
  ASSERT_GE(audio.size(), 44u);
  uint32_t riff = 0, data = 0;
  memcpy(&riff, audio.data() + 4, 4);
  memcpy(&data, audio.data() + 40, 4);
  EXPECT_EQ(riff + 8, audio.size());
  EXPECT_EQ(data + 44, audio.size());
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramSignalTest, ::testing::Values(SIGTERM, SIGINT),
                         [](const ::testing::TestParamInfo<int>& i) {
                           return std::string(i.param == SIGTERM ? "SIGTERM" : "SIGINT");
                         });

// `timeout` and service managers signal the program and its group together: two signals at once are
// one request to end, which still writes the recording.
TEST_F(ProgramTest, TwoSignalsAtOnceEndTheRunCleanly) {
  const std::string rec = dir.path() + "/rec.txt";
  pid_t pid = Start(HeadlessArgs({"--record", rec, "--shot", "10:started.png"}), dir.path());
  ASSERT_GT(pid, 0);
  for (int waited = 0; !Exists(dir.path() + "/started.png") && waited < 60000; waited += 10)
    usleep(10000);
  // The second a moment later, once the first has been taken (two pending ones would merge).
  kill(pid, SIGTERM);
  usleep(3000);
  kill(pid, SIGTERM);
  Result r = Finish(pid, dir.path(), 30000);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(ReadFile(rec).find(" nav exit\n"), std::string::npos);
}

// Whether a signal sent to the process waits for one of its threads to take it.
bool SignalPending(pid_t pid, int sig) {
  std::istringstream status(ReadFile("/proc/" + std::to_string(pid) + "/status"));
  for (std::string line; std::getline(status, line);)
    if (line.rfind("ShdPnd:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (sig - 1)) & 1;
  return false;
}

// Waits until the process is stopped (true) or has ended (false).
bool WaitUntilStopped(pid_t pid) {
  for (int waited = 0; waited < 10000; ++waited) {
    std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
    size_t end = stat.rfind(')');
    char state = end != std::string::npos && end + 2 < stat.size() ? stat[end + 2] : 'Z';
    if (state == 'T') return true;
    if (state == 'Z' || state == 'X') return false;
    usleep(1000);
  }
  return false;
}

// A second signal a second or more after the first is no request to end cleanly any more: it ends
// the run at once. The run's shutdown is held open past that second by stopping the program as soon
// as it has taken the first signal (the exit it asks for reaches the main loop only at the next
// frame), as a stalled machine would hold it; the second signal comes while it is stopped.
TEST_F(ProgramTest, ASecondSignalASecondAfterTheFirstEndsTheRunAtOnce) {
  // A run that ends before it could be stopped (this process came too late) is started again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::string started = dir.path() + "/started" + std::to_string(attempt) + ".png";
    pid_t pid = Start(HeadlessArgs({"--shot", "10:" + started}), dir.path());
    ASSERT_GT(pid, 0);
    for (int waited = 0; !Exists(started) && waited < 60000; waited += 10)
      usleep(10000);
    if (!Exists(started)) {
      kill(pid, SIGKILL);
      Result stuck = Finish(pid, dir.path(), 30000);
      FAIL() << "the run never reached its tenth frame: " << stuck.err;
    }
    kill(pid, SIGTERM);
    for (int waited = 0; SignalPending(pid, SIGTERM) && waited < 100000; waited += 100)
      usleep(100);
    kill(pid, SIGSTOP);
    if (!WaitUntilStopped(pid)) {
      Result early = Finish(pid, dir.path(), 30000);
      ASSERT_EQ(early.status, 0) << "the first signal alone ends the run cleanly: " << early.err;
      continue;
    }
    usleep(1200000);
    kill(pid, SIGTERM);
    kill(pid, SIGCONT);
    Result r = Finish(pid, dir.path(), 30000);
    EXPECT_EQ(r.status, 128 + SIGTERM) << "killed by the second signal: " << r.err;
    return;
  }
  FAIL() << "the run ended each time before it could be stopped after the first signal";
}

// The recording of a headless run holds what it was fed, its end included: replayed, it draws the
// same frames and ends at the same frame.
TEST_F(ProgramTest, RecordingOfAHeadlessRunReplaysTheRun) {
  const std::string rec = dir.path() + "/rec.txt";
  Result r = Headless(
      {"--frames", "40", "--seed", "3", "--journal", journal, "--record", rec, "--shot", "30:first.png"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string recorded = ReadFile(rec);
  for (const char* line : {"\n5 touch down 0 1023 599\n", "\n26 touch up 0 1023 0\n", "\n40 nav exit\n"})
    EXPECT_NE(recorded.find(line), std::string::npos) << line << " not in:\n" << recorded;
  r = Headless({"--seed", "3", "--journal", rec, "--shot", "30:again.png"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("no --frames"), std::string::npos) << "the recorded exit ends the replay: " << r.err;
  std::string first = ReadFile(dir.path() + "/first.png"), again = ReadFile(dir.path() + "/again.png");
  ASSERT_FALSE(first.empty());
  EXPECT_TRUE(first == again);
}

TEST_F(ProgramTest, ScreenshotThatCannotBeWrittenFailsTheRun) {
  Result r = Headless({"--frames", "5", "--shot", "2:" + dir.path() + "/no/such/dir/a.png"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("a.png"), std::string::npos) << r.err;
}

bool HaveXvfb() {
  return system("command -v xvfb-run >/dev/null 2>&1 && command -v Xvfb >/dev/null 2>&1") == 0;
}

// Xvfb has no vertical sync: the sleeping cap holds the window to 60 frames a second, so the 61
// frames of the run take a second at least.
TEST_F(ProgramTest, DesktopBackendUnderXvfbShowsTheSameResponseAtSixtyFramesASecond) {
  if (!HaveXvfb())
    GTEST_SKIP() << "Xvfb is missing (scripts/install-deps.sh installs xvfb): desktop backend not run";
  auto start = std::chrono::steady_clock::now();
  Result r = Spawn({"xvfb-run", "-a", "-s", "-screen 0 1280x800x24", SPROCKLET_PROGRAM, "--root",
                    dir.path() + "/root", "--frames", "60", "--journal", journal, "--shot", "15:held.png",
                    "--shot", "30:a.png"},
                   dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(950));
  Picture held, lifted;
  ASSERT_TRUE(ReadPng(dir.path() + "/held.png", &held));
  ASSERT_TRUE(ReadPng(dir.path() + "/a.png", &lifted));
  CheckDemoFrames(held, lifted);
}

} // namespace
