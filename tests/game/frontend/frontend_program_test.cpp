// The program end to end from a fresh root: the splash until about frame 315 (158 after a tap),
// then the main menu with its bar and buttons in the colours of the sample pack's art; and a run
// through the menu writing its music to a WAV file.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "game_test_support.h"
#include "program_run.h"
#include "screen_colours.h"

namespace {

using program_run::Picture;
using program_run::ReadPng;
using screen_colours::kImages;

class FrontEndProgram : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok());
    Picture bar;
    ASSERT_TRUE(ReadPng(kImages + "/2x_menu_yellow_pod.png", &bar));
    barColour = screen_colours::Fill(bar, screen_colours::Counted::Bright);
  }
  // Pixels of the bar's colour along the bottom of the screen (the bar is 50 px high, centred).
  int BarPixels(const std::string& shot) {
    Picture p;
    EXPECT_TRUE(ReadPng(dir.path() + "/" + shot, &p)) << shot;
    if (p.width != 480) return -1;
    return screen_colours::CountNear(p, barColour, 20, 300, 460, 318);
  }
  // The frame the log says the loader led to the main menu at, or -1.
  int LoaderEnd() {
    const std::string log = Log();
    const int frame = program_run::SwitchFrame(log, 18, 0);
    if (frame < 0) ADD_FAILURE() << "no loader line in: " << log;
    return frame;
  }
  // What the run printed on stdout.
  std::string Log() { return program_run::Slurp(dir.path() + "/out.txt"); }
  ScopedTempDir dir;
  unsigned barColour = 0;
};

TEST_F(FrontEndProgram, AFreshRootShowsTheSplashThenTheMenuAfterAbout315Frames) {
  program_run::Run r =
      program_run::RunHeadless(dir.path(), "", "--frames 330 --shot 305:splash.png --shot 325:menu.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(BarPixels("splash.png"), 0);
  EXPECT_GT(BarPixels("menu.png"), 440 * 18 / 2) << "the bar fills the bottom of the menu";
  int frame = LoaderEnd();
  EXPECT_NEAR(frame, 315, 3);
}

TEST_F(FrontEndProgram, ATapShortensTheSplashToAbout158Frames) {
  std::ofstream(dir.path() + "/tap.txt") << "2 touch down 0 240 160\n4 touch up 0 240 160\n";
  program_run::Run r = program_run::RunHeadless(
      dir.path(), "", "--frames 175 --journal tap.txt --shot 150:splash.png --shot 170:menu.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(BarPixels("splash.png"), 0);
  EXPECT_GT(BarPixels("menu.png"), 440 * 18 / 2);
  int frame = LoaderEnd();
  EXPECT_NEAR(frame, 158, 3);
}

// The WAV file holds what the mixer played in real time, so the run keeps its 60 frames a second
// (no --frames) and is ended by a signal, as a player's would be: one signal only (--foreground),
// as a second one would end the program at once, before it closes the file.
TEST_F(FrontEndProgram, TheMenuMusicGoesToTheWavFileWithoutGaps) {
  std::ofstream(dir.path() + "/tap.txt") << "2 touch down 0 240 160\n4 touch up 0 240 160\n";
  std::string command = "cd '" + dir.path() +
                        "' && ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" timeout --foreground "
                        "--preserve-status -s TERM 14 '" +
                        SPROCKLET_PROGRAM + "' --headless --display 480x320 --root '" + dir.path() +
                        "/root' --journal tap.txt --audio wav:menu.wav >/dev/null 2>&1";
  int status = system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status)) << status;
  ASSERT_EQ(WEXITSTATUS(status), 0);
  std::ifstream in(dir.path() + "/menu.wav", std::ios::binary);
  std::string wav((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(wav.size(), 44u);
  ASSERT_EQ(wav.compare(0, 4, "RIFF"), 0);
  // 16-bit stereo at the header's rate; the music starts with the menu, about 3 s in, and the
  // longest theme lasts 9.3 s: at least 10 s after the start it has looped.
  int rate = (unsigned char)wav[24] | (unsigned char)wav[25] << 8 | (unsigned char)wav[26] << 16;
  ASSERT_GT(rate, 0);
  const int16_t* samples = reinterpret_cast<const int16_t*>(wav.data() + 44);
  size_t frames = (wav.size() - 44) / 4;
  ASSERT_GT(frames, (size_t)rate * 13) << "the whole run";
  size_t first = 0;
  while (first < frames && samples[2 * first] == 0)
    ++first;
  ASSERT_LT(first, frames) << "the music is not silent";
  EXPECT_LT(first, (size_t)rate * 8) << "the menu's music starts with the menu";
  // From there on no stretch of 50 ms is silent: every note ends at its beat and the theme loops
  // straight into its start again.
  size_t silent = 0, longest = 0, at = 0;
  for (size_t i = first; i < frames; ++i) {
    silent = std::abs(samples[2 * i]) < 8 ? silent + 1 : 0;
    if (silent > longest) longest = silent, at = i;
  }
  EXPECT_LT(longest, (size_t)rate / 20)
      << "silent up to " << (double)at / rate << " s of " << (double)frames / rate
      << " s; the music began at " << (double)first / rate << " s";
}

// The back key from the journal asks whether to quit; "yes" writes the progress files and the
// program ends by itself with status 0 (without --frames nothing else ends it: a run that never
// quits is ended by the timeout, with another status). The files were written at the start too, so
// they are checked to be newer than the screenshot taken while the question was asked.
TEST_F(FrontEndProgram, BackThenYesQuitsWithStatus0AndWritesTheProgress) {
  std::ofstream(dir.path() + "/quit.txt") << "2 touch down 0 240 160\n4 touch up 0 240 160\n"
                                             "200 key back\n"
                                             "240 touch down 0 285 195\n242 touch up 0 285 195\n";
  // Ended after 120 s (status 124) if it never quits.
  program_run::Run r =
      program_run::RunHeadless(dir.path(), "", "--journal quit.txt --shot 230:asked.png", "480x320", 120);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NEAR(LoaderEnd(), 158, 3) << "the menu came first";
  const auto asked = std::filesystem::last_write_time(dir.path() + "/asked.png");
  for (const char* file : {"allinfo.dat", "options.cfg", "global.cfg", "missions.cfg", "date.cfg"}) {
    const std::string path = dir.path() + "/root/data/" + file;
    ASSERT_TRUE(std::filesystem::exists(path)) << file;
    EXPECT_GT(std::filesystem::last_write_time(path), asked) << file << " was not written by the quit";
  }
}

} // namespace
