// Fuzzes PNG decoding (colour with halving, orientations, edge fill, premultiply; or alpha only). The
// first byte picks the settings (image_fuzz_support.h), the rest is the file.
#include "image_fuzz_support.h"
#include "image_loaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImageFuzzSetup setup;
  if (!setup.Begin(data, size)) return 0;
  int ok = setup.path & 1 ? ImageDecode_PNG_Alpha(&setup.game, &setup.file, &setup.bitmap)
                          : ImageDecode_PNG(&setup.game, &setup.file, &setup.bitmap);
  if (ok) setup.Touch();
  return 0;
}
