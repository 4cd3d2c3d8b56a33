// The files the game's application object needs to start, as a pack the tests write.
#pragma once

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

// Writes the pack to path; false when it cannot.
inline bool WriteStartupPack(const std::string& path) {
  Bytes pack;
  std::string error;
  if (!sprockpack::BuildPack(StartupPackEntries(), pack, error)) return false;
  std::ofstream out(path, std::ios::binary);
  out.write((const char*)pack.data(), (std::streamsize)pack.size());
  return (bool)out;
}
