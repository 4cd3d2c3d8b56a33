// Runs a fuzz harness over every file of a seed corpus directory, so the corpus is a plain test. A
// seed that cannot be read fails the run: a harness that moved the working directory under a
// relative corpus path would otherwise replay empty inputs.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
    return 2;
  }
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    if (!in.is_open()) {
      fprintf(stderr, "cannot read the seed %s\n", entry.path().c_str());
      return 1;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    count++;
  }
  if (count == 0) {
    fprintf(stderr, "no seed files in %s\n", argv[1]);
    return 1;
  }
  printf("replayed %d seed files\n", count);
  return 0;
}
