// Fuzzes the binary serialisers as settings and save files use them: each input byte picks the
// next field to read from the rest of the input; whatever was read must write back and re-read
// to the same values.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "files.h"
#include "serialize.h"

namespace {

struct Fields {
  int i = 0;
  double d = 0;
  bool b = false;
  short s = 0;
  TRect2D r;
  CommonString text;
  CommonString wide;
  unsigned char block[16] = {};
};

// Runs the field (or fields) of kind op through the helper; kinds 0 to 5 cover every field.
template <class Helper> void Field(Helper& h, int op, Fields& f) {
  switch (op % 8) {
  case 0:
    h.Serialize(f.i);
    break;
  case 1:
    h.Serialize(f.b);
    break;
  case 2:
    h.Serialize(f.s);
    break;
  case 3:
    h.Serialize(f.r);
    break;
  case 4:
    h.Serialize(f.text);
    break;
  case 5:
    h.SerializeW(f.wide);
    break;
  case 6:
    h.Serialize(f.i);
    h.Serialize(f.b);
    break;
  default:
    h.Serialize(f.text);
    h.Serialize(f.i);
    break;
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int op = data[0];
  unsigned char* copy = (unsigned char*)malloc(size);
  memcpy(copy, data, size);
  CMemoryFile in;
  in.Attach(copy, (int)size);
  in.Seek(1, FILE_SEEK_BEGIN);

  Fields a;
  SerializeHelper2 r2(&in, false);
  Field(r2, op, a);
  r2.Serialize(a.d);
  r2.Serialize(a.block, (int)sizeof(a.block));
  SerializeHelper r1(&in, false);
  Field(r1, op >> 3, a);
  CommonString record;
  ReadString(&in, record);

  // What was read must survive a write and a second read unchanged.
  CMemoryFile out;
  if (!out.Create(64)) return 0;
  SerializeHelper2 w(&out, true);
  for (int k = 0; k < 6; k++)
    Field(w, k, a);
  if (!w.Succeeded()) abort();
  int written = out.GetCurPos();
  out.Seek(0, FILE_SEEK_BEGIN);
  Fields b;
  SerializeHelper2 back(&out, false);
  for (int k = 0; k < 6; k++)
    Field(back, k, b);
  // Strings past the serialiser's limit are written but not read back.
  bool tooLong = a.text.Length() > kSerializeMaxString;
  if (!tooLong && (!back.Succeeded() || out.GetCurPos() != written)) abort();
  if (!tooLong && (a.i != b.i || a.b != b.b || a.s != b.s || memcmp(&a.r, &b.r, sizeof(a.r)) != 0 ||
                   !(a.text == b.text) || !(a.wide == b.wide)))
    abort();
  return 0;
}
