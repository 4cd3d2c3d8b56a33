// cmake --install puts the program, its pack, a desktop entry and an icon under a prefix in the GNU
// layout; the installed program, started from another directory with neither --data nor --root,
// plays from its own pack and writes only into the per-user root of XDG_DATA_HOME.
#include <gtest/gtest.h>

#include <png.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Every file and directory under dir, relative to it.
std::set<std::string> Tree(const fs::path& dir) {
  std::set<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    out.insert(fs::relative(e.path(), dir).string());
  return out;
}

int Shell(const std::string& command) {
  int status = system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Installation : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok());
    prefix = fs::path(dir.path()) / "prefix";
    ASSERT_EQ(Shell(std::string("'") + SPROCKLET_CMAKE + "' --install '" + SPROCKLET_BUILD_DIR +
                    "' --prefix '" + prefix.string() + "' >'" + dir.path() + "/install.log' 2>&1"),
              0)
        << Slurp(fs::path(dir.path()) / "install.log");
  }

  // The installed program run headless from a directory of its own, its per-user root under
  // XDG_DATA_HOME; its status, stderr in err.
  int Play(int frames, std::string* err) {
    fs::create_directories(elsewhere);
    std::string command = "cd '" + elsewhere.string() + "' && XDG_DATA_HOME='" + xdg.string() +
                          "' ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" '" +
                          (prefix / "bin/sprocklet").string() + "' --headless --frames " +
                          std::to_string(frames) + " >/dev/null 2>'" + dir.path() + "/err.txt'";
    int status = Shell(command);
    *err = Slurp(fs::path(dir.path()) / "err.txt");
    return status;
  }

  ScopedTempDir dir;
  fs::path prefix;
  fs::path elsewhere = fs::path(dir.path()) / "elsewhere";
  fs::path xdg = fs::path(dir.path()) / "xdg";
};

TEST_F(Installation, PutsEachFileInItsGnuDirectory) {
  EXPECT_TRUE(fs::is_regular_file(prefix / "bin/sprocklet"));
  EXPECT_NE(fs::status(prefix / "bin/sprocklet").permissions() & fs::perms::owner_exec, fs::perms::none);
  EXPECT_GT(fs::file_size(prefix / "share/sprocklet/_game_bb.pak"), 1000000u);

  const std::string entry = Slurp(prefix / "share/applications/sprocklet.desktop");
  EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u) << entry;
  for (const char* line : {"\nType=Application\n", "\nName=Sprocklet\n", "\nExec=sprocklet\n",
                           "\nIcon=sprocklet\n", "\nCategories=Game;"})
    EXPECT_NE(entry.find(line), std::string::npos) << line;

  png_image icon = {};
  icon.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(
      &icon, (prefix / "share/icons/hicolor/256x256/apps/sprocklet.png").string().c_str()));
  EXPECT_EQ(icon.width, 256u);
  EXPECT_EQ(icon.height, 256u);
  EXPECT_NE(icon.format & PNG_FORMAT_FLAG_ALPHA, 0u) << "rounded corners need transparency";
  png_image_free(&icon);
}

TEST_F(Installation, InstalledProgramPlaysFromItsOwnPackAndWritesOnlyItsRoot) {
  const std::set<std::string> installed = Tree(prefix);
  std::string err;
  ASSERT_EQ(Play(30, &err), 0) << err;
  EXPECT_EQ(Tree(prefix), installed) << "nothing is written into the installation";
  EXPECT_TRUE(fs::is_empty(elsewhere)) << "nor into the working directory";
  for (const char* file : {"options.cfg", "global.cfg", "allinfo.dat"})
    EXPECT_TRUE(fs::is_regular_file(xdg / "sprocklet/data" / file)) << file;

  // The pack it opens is the installation's, not the build's: a damaged one stops it, named.
  fs::path pack = prefix / "share/sprocklet/_game_bb.pak";
  fs::rename(pack, fs::path(dir.path()) / "kept.pak");
  std::ofstream(pack) << "not a pack";
  EXPECT_NE(Play(5, &err), 0);
  EXPECT_NE(err.find(fs::weakly_canonical(pack).string()), std::string::npos) << err;
}

} // namespace
