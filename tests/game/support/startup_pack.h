// The files the game's application object needs to start: the start-up files as a pack the tests
// write, or the whole generated sample pack.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "game_test_support.h"
#include "startup_files.h"

inline std::vector<sprockpack::PackEntry> StartupPackEntries() {
  std::vector<sprockpack::PackEntry> entries;
  for (const StartupFile& f : StartupFiles())
    entries.push_back({f.name, f.data, false});
  return entries;
}

// The generated sample pack: the start-up files with every atlas, picture and font the sprite
// catalogue loads at start-up, so the whole start-up stage runs on it.
inline std::string SamplePackPath() { return std::string(SPROCKLET_DATA_DIR) + "/_game_bb.pak"; }

inline bool CopySamplePack(const std::string& path) {
  std::error_code ec;
  std::filesystem::copy_file(SamplePackPath(), path, std::filesystem::copy_options::overwrite_existing, ec);
  return !ec;
}

// Writes the pack of the start-up files alone to path; false when it cannot.
inline bool WriteStartupPack(const std::string& path) {
  Bytes pack;
  std::string error;
  if (!sprockpack::BuildPack(StartupPackEntries(), pack, error)) return false;
  std::ofstream out(path, std::ios::binary);
  out.write((const char*)pack.data(), (std::streamsize)pack.size());
  return (bool)out;
}
