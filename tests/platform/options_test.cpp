// Host options: each option's values, defaults, and the refusals with a one-line reason.
#include <gtest/gtest.h>

#include "host_options.h"

#include <vector>

namespace {

bool Parse(std::vector<const char*> args, HostOptions* o, std::string* error) {
  args.insert(args.begin(), "sprocklet");
  return ParseHostOptions((int)args.size(), args.data(), o, error);
}

TEST(HostOptionsTest, DefaultsWithoutArguments) {
  HostOptions o;
  std::string error;
  ASSERT_TRUE(Parse({}, &o, &error));
  EXPECT_FALSE(o.headless);
  EXPECT_EQ(o.displayWidth, 1024);
  EXPECT_EQ(o.displayHeight, 600);
  EXPECT_EQ(o.orientation, 0);
  EXPECT_EQ(o.frames, -1);
  EXPECT_FALSE(o.hasSeed);
  EXPECT_TRUE(o.root.empty());
}

TEST(HostOptionsTest, EveryOptionInBothSpellings) {
  HostOptions o;
  std::string error;
  ASSERT_TRUE(
      Parse({"--headless", "--display", "800x480", "--orientation=90", "--frames", "60", "--journal=j.txt",
             "--record", "r.txt", "--shot", "30:a.png", "--shot=0:b/c.png", "--root", "/tmp/x", "--seed=7"},
            &o, &error))
      << error;
  EXPECT_TRUE(o.headless);
  EXPECT_EQ(o.displayWidth, 800);
  EXPECT_EQ(o.displayHeight, 480);
  EXPECT_EQ(o.orientation, 90);
  EXPECT_EQ(o.frames, 60);
  EXPECT_EQ(o.journal, "j.txt");
  EXPECT_EQ(o.record, "r.txt");
  ASSERT_EQ(o.shots.size(), 2u);
  EXPECT_EQ(o.shots[0], std::make_pair(30, std::string("a.png")));
  EXPECT_EQ(o.shots[1], std::make_pair(0, std::string("b/c.png")));
  EXPECT_EQ(o.root, "/tmp/x");
  EXPECT_TRUE(o.hasSeed);
  EXPECT_EQ(o.seed, 7u);
  ASSERT_TRUE(Parse({"--help"}, &o, &error));
  EXPECT_TRUE(o.help);
}

TEST(HostOptionsTest, GameOptions) {
  HostOptions o;
  std::string error;
  ASSERT_TRUE(Parse({}, &o, &error));
  EXPECT_EQ(o.level, -1);
  EXPECT_FALSE(o.developer);
  EXPECT_TRUE(o.data.empty());
  ASSERT_TRUE(Parse({"--level", "42", "--character=3", "--developer", "--data", "/opt/pack"}, &o, &error))
      << error;
  EXPECT_EQ(o.level, 42);
  EXPECT_EQ(o.character, 3);
  EXPECT_TRUE(o.developer);
  EXPECT_EQ(o.data, "/opt/pack");
  ASSERT_TRUE(Parse({"--level=0"}, &o, &error)) << error;
  EXPECT_EQ(o.character, -1);
}

struct BadArgs {
  std::vector<const char*> args;
  const char* mentions;
};

void PrintTo(const BadArgs& c, std::ostream* os) {
  for (const char* a : c.args)
    *os << a << ' ';
}

class HostOptionsRefused : public ::testing::TestWithParam<BadArgs> {};

TEST_P(HostOptionsRefused, WithAOneLineReason) {
  HostOptions o;
  std::string error;
  EXPECT_FALSE(Parse(GetParam().args, &o, &error));
  EXPECT_NE(error.find(GetParam().mentions), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostOptionsRefused,
    ::testing::Values(
        BadArgs{{"--fullscreen"}, "--fullscreen"}, BadArgs{{"-x"}, "-x"}, BadArgs{{"game.pak"}, "game.pak"},
        BadArgs{{"--display", "0x600"}, "--display"}, BadArgs{{"--display", "1024x0"}, "--display"},
        BadArgs{{"--display", "1024"}, "--display"}, BadArgs{{"--display", "1024x600x2"}, "--display"},
        BadArgs{{"--display", "-1024x600"}, "--display"}, BadArgs{{"--display"}, "needs a value"},
        BadArgs{{"--orientation", "45"}, "--orientation"}, BadArgs{{"--orientation", "-90"}, "--orientation"},
        BadArgs{{"--frames", "0"}, "--frames"}, BadArgs{{"--frames", "ten"}, "--frames"},
        BadArgs{{"--frames", "99999999999"}, "--frames"}, BadArgs{{"--shot", "30"}, "--shot"},
        BadArgs{{"--shot", "30:"}, "--shot"}, BadArgs{{"--shot", "x:a.png"}, "--shot"},
        BadArgs{{"--seed", "-1"}, "--seed"}, BadArgs{{"--seed", "4294967296"}, "--seed"},
        BadArgs{{"--journal="}, "--journal"}, BadArgs{{"--headless=1"}, "--headless"},
        BadArgs{{"--level", "400"}, "--level"}, BadArgs{{"--level", "-1"}, "--level"},
        BadArgs{{"--character", "8", "--level", "1"}, "--character"},
        BadArgs{{"--character", "2"}, "--level"}, BadArgs{{"--developer=yes"}, "--developer"},
        BadArgs{{"--data="}, "--data"}));

} // namespace
