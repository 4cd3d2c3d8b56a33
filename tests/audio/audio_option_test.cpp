// The host's --audio option, and the program writing its sound to a WAV file end to end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "audio_test_support.h"
#include "host_options.h"
#include "temp_dir.h"

using namespace audio_test;

namespace {

struct OptionCase {
  std::vector<const char*> args;
  bool ok;
  const char* audio;
  const char* file;
};

class AudioOption : public ::testing::TestWithParam<OptionCase> {};

TEST_P(AudioOption, ChoosesTheOutput) {
  std::vector<const char*> args = GetParam().args;
  args.insert(args.begin(), "sprocklet");
  HostOptions o;
  std::string error;
  ASSERT_EQ(ParseHostOptions((int)args.size(), args.data(), &o, &error), GetParam().ok) << error;
  if (!GetParam().ok) {
    EXPECT_NE(error.find("--audio"), std::string::npos) << error;
    return;
  }
  EXPECT_EQ(o.audio, GetParam().audio);
  EXPECT_EQ(o.audioFile, GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(Cases, AudioOption,
                         ::testing::Values(OptionCase{{}, true, "", ""},
                                           OptionCase{{"--audio", "sdl"}, true, "sdl", ""},
                                           OptionCase{{"--audio=none"}, true, "none", ""},
                                           OptionCase{{"--audio", "wav:a b.wav"}, true, "wav", "a b.wav"},
                                           OptionCase{{"--audio", "wav:"}, false, "", ""},
                                           OptionCase{{"--audio", "pulse"}, false, "", ""},
                                           OptionCase{{"--audio", "WAV:x.wav"}, false, "", ""},
                                           OptionCase{{"--audio"}, false, "", ""}));

int RunProgram(const std::string& args, const std::string& dir) {
  std::string command = std::string("'") + SPROCKLET_PROGRAM + "' --headless --root '" + dir + "/root' " +
                        args + " >'" + dir + "/out.txt' 2>'" + dir + "/err.txt'";
  int status = system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(AudioProgram, HeadlessRunWritesItsSoundToTheWavFile) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::string wav = dir.path() + "/sound.wav";
  ASSERT_EQ(RunProgram("--frames 20 --audio wav:'" + wav + "'", dir.path()), 0);
  WavFile w = ReadWav(wav);
  ASSERT_TRUE(w.ok) << "not a complete WAV file";
  EXPECT_EQ(w.rate, 48000u);
  EXPECT_EQ(w.channels, 2);
  EXPECT_EQ(w.bits, 16);
  EXPECT_GT(w.samples.size(), 0u) << "the mixer's thread wrote no fragment";
}

TEST(AudioProgram, AWavFileThatCannotBeWrittenFailsTheRun) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  EXPECT_EQ(RunProgram("--frames 5 --audio wav:'" + dir.path() + "/missing/sound.wav'", dir.path()), 1);
  std::ifstream err(dir.path() + "/err.txt");
  std::stringstream text;
  text << err.rdbuf();
  EXPECT_NE(text.str().find("sound.wav"), std::string::npos) << text.str();
}

} // namespace
