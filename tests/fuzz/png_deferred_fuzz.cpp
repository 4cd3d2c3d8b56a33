// Fuzzes PNG colour decoded on worker threads: the input is a settings byte and the file. Three
// decodes of it are begun at once, as an atlas's pages are; some are dropped before their bitmaps
// are deleted, the rest finished on this thread. A header that is refused gives no bitmap; a
// finished one is either handed back as damaged or holds the very pixels the loader's own decoding
// gives; nothing is left pending, and no worker touches a bitmap after it was dropped.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../images/image_test_game.h"
#include "dib_bitmap.h"
#include "image_loaders.h"

namespace {

// Where the file is written: the loader opens pictures by name. An absolute path, so the working
// directory libFuzzer resolves its corpus against is never changed.
class ScratchFile {
public:
  ScratchFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "png_deferred_fuzz.XXXXXX").string();
    if (!mkdtemp(pattern.data())) abort();
    m_Dir = pattern;
    m_Path = m_Dir + "/picture.png";
  }
  ~ScratchFile() {
    std::error_code ec;
    std::filesystem::remove_all(m_Dir, ec);
  }
  const std::string& Write(const uint8_t* data, size_t size) {
    FILE* out = fopen(m_Path.c_str(), "wb");
    if (!out || (size && fwrite(data, 1, size, out) != size) || fclose(out) != 0) abort();
    return m_Path;
  }

private:
  std::string m_Dir, m_Path;
};

std::vector<IDibBitmap*> g_failed;
void NoteFailed(IDibBitmap* bitmap) { g_failed.push_back(bitmap); }

bool Failed(IDibBitmap* bitmap) {
  for (IDibBitmap* b : g_failed)
    if (b == bitmap) return true;
  return false;
}

bool SameBytes(const unsigned char* a, const unsigned char* b, size_t n) {
  return (a == nullptr) == (b == nullptr) && (!a || memcmp(a, b, n) == 0);
}

} // namespace

// Settings byte: bit 0 true colour, 4 transparent-edge fill, 5 premultiply (as the other image
// harnesses); bits 6-7 which decodes are dropped: none, the first, the second, or all three.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static ScratchFile scratch;
  const std::string& path = scratch.Write(data + 1, size - 1);
  ImageTestGame game;
  uint8_t options = data[0];
  game.m_bTrueColorImages = options & 1;
  game.m_bFillTransparentPixels = (options >> 4) & 1;
  game.m_bPremultiplyAlpha = (options >> 5) & 1;
  int dropped = options >> 6;

  IDibBitmap* want = ImageLoad_PNG(&game, path.c_str(), nullptr);
  IDibBitmap* got[3];
  int begun = 0;
  for (IDibBitmap*& b : got) {
    b = ImageLoad_PNG_Deferred(&game, path.c_str());
    if (b) {
      ++begun;
      // Its size is known at once, and never empty.
      if (b->GetWidth() <= 0 || b->GetHeight() <= 0) abort();
      if (want && (b->GetWidth() != want->GetWidth() || b->GetHeight() != want->GetHeight())) abort();
    }
  }
  if (begun != 0 && begun != 3) abort(); // the same file's header is taken or refused alike
  if (ImageDecodesPending() != (begun > 0)) abort();

  for (int i = 0; i < 3; ++i)
    if (got[i] && (dropped == 3 || dropped == i + 1)) {
      AbandonImageDecode(got[i]);
      delete got[i];
      got[i] = nullptr;
    }
  g_failed.clear();
  int failures = FinishImageDecodes(&game, NoteFailed);
  if (failures != (int)g_failed.size() || ImageDecodesPending()) abort();

  for (IDibBitmap* b : got) {
    if (!b) continue;
    if (!Failed(b)) {
      // A damaged file the loader refuses cannot decode on a worker.
      if (!want) abort();
      size_t pixels = (size_t)want->GetStoredWidth() * (size_t)want->GetStoredHeight();
      if (b->GetBytesPerPixel() != want->GetBytesPerPixel() ||
          b->GetStoredWidth() != want->GetStoredWidth() || b->GetStoredHeight() != want->GetStoredHeight() ||
          !SameBytes(b->GetBits(), want->GetBits(), pixels * (size_t)want->GetBytesPerPixel()) ||
          !SameBytes(b->GetAlphaBits(), want->GetAlphaBits(), pixels))
        abort();
    }
    delete b;
  }
  delete want;
  return 0;
}
