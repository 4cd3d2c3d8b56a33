// Fuzzes JPEG decoding: colour (with halving and true colour), grey alpha, and the RGB565 stream
// path. The first byte picks the settings (image_fuzz_support.h), the rest is the file.
#include "image_fuzz_support.h"
#include "image_loaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImageFuzzSetup setup;
  if (!setup.Begin(data, size)) return 0;
  int ok = 0;
  switch (setup.path) {
  case 1:
    ok = ImageDecode_JPG_Alpha(&setup.game, &setup.file, &setup.bitmap);
    break;
  case 2:
    ok = ImageLoad_JPG_FromStream(&setup.game, &setup.file, &setup.bitmap) != nullptr;
    break;
  default:
    ok = ImageDecode_JPG(&setup.game, &setup.file, &setup.bitmap);
    break;
  }
  if (ok) setup.Touch();
  return 0;
}
