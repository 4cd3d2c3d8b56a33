// Fuzzes the pack reader: the input is a whole pack file; every entry it lists is looked up,
// read whole and streamed.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "zip_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/sprocklet-zip-fuzz-" + std::to_string(getpid()) + ".pak";
  FILE* out = fopen(path.c_str(), "wb");
  if (!out) return 0;
  fwrite(data, 1, size, out);
  fclose(out);

  CiPhoneZipFileReader reader(nullptr);
  long count = 0;
  if (reader.Init(path.c_str()) == 1 && reader.get_FilesCount(&count) == 1) {
    for (int i = 0; i < count; i++) {
      std::vector<char> name((size_t)reader.GetFileNameLength(i) + 1);
      if (reader.get_FileName(i, name.data()) != 1) abort();
      // A name with a zero byte inside cannot be asked for; every other one must be found.
      int found = -1;
      bool plain = strlen(name.data()) == name.size() - 1;
      if (plain && (reader.IndexFromName(name.data(), &found) != 1 || found > i)) abort();
      long length = 0, offset = 0;
      if (reader.get_FileLength(i, &length) != 1) abort();
      // Declared sizes are not trusted for memory beyond a few megabytes.
      if (length >= 0 && length <= (1 << 22)) {
        std::vector<unsigned char> buffer((size_t)length + 1);
        reader.ReadFile(i, buffer.data());
      }
      if (reader.ReadFileOffset(i, &offset) == 1) {
        CZipElementFile entry;
        if (entry.OpenEntry(&reader, i)) {
          unsigned char chunk[256];
          entry.Seek(-16, FILE_SEEK_END);
          entry.ReadData(chunk, sizeof(chunk));
          entry.Seek(0, FILE_SEEK_BEGIN);
          while (entry.ReadData(chunk, sizeof(chunk)) > 0) {
          }
        }
      }
    }
  }
  reader.Close();
  unlink(path.c_str());
  return 0;
}
