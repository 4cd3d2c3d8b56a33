// Writes the game's start-up files under a directory (their pack names as paths), for sprockpack.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "startup_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  for (const StartupFile& f : StartupFiles()) {
    std::string path = std::string(argv[1]) + "/" + f.name;
    for (char& c : path)
      if (c == '\\') c = '/';
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::ofstream out(path, std::ios::binary);
    out.write((const char*)f.data.data(), (std::streamsize)f.data.size());
    if (!out) {
      fprintf(stderr, "startup_files: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
