// Builds ZIP packs in the form the engine's pack reader expects: stored or raw-deflated entries,
// the central directory right before the end record, no archive comment, fixed timestamps.
#pragma once

#include <string>
#include <vector>

namespace sprockpack {

struct PackEntry {
  std::string name; // written exactly as given (the tool passes names with '\' separators)
  std::vector<unsigned char> data;
  bool store = false; // keep uncompressed; otherwise deflated unless that does not shrink it
};

// Appends the pack's bytes for entries, in the order given, to out. False (with a message in
// error) when an entry cannot be represented: a name or a count beyond 65535, a size beyond 4 GiB.
// With deflated, it receives for each entry whether it was deflated.
bool BuildPack(const std::vector<PackEntry>& entries, std::vector<unsigned char>& out, std::string& error,
               std::vector<bool>* deflated = nullptr);

} // namespace sprockpack
