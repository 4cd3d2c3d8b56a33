// The files the game's application object reads at start-up, before any catalogue runs: the
// sprite-set description, the UI layout with its debug font (the engine's ".fdb" metrics and
// "_rgba" atlas), and the white picture the fills stretch. The sample pack and the tests take
// them from here.
#pragma once

#include <string>
#include <vector>

struct StartupFile {
  std::string name; // pack name, with '\' separators
  std::vector<unsigned char> data;
};

std::vector<StartupFile> StartupFiles();
