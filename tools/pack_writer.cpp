// ZIP pack bytes from a list of entries; the same input always gives the same bytes.
#include "pack_writer.h"

#include <cstdint>
#include <limits>
#include <zlib.h>

namespace sprockpack {
namespace {

// 1980-01-01 00:00, the earliest DOS date: no clock reaches the output.
const uint16_t kDosTime = 0;
const uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;
const uint16_t kVersion = 20;

void Put16(std::vector<unsigned char>& out, uint32_t v) {
  out.push_back((unsigned char)v);
  out.push_back((unsigned char)(v >> 8));
}
void Put32(std::vector<unsigned char>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool Deflate(const std::vector<unsigned char>& in, std::vector<unsigned char>& out) {
  z_stream zs{};
  if (deflateInit2(&zs, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  out.resize(deflateBound(&zs, (uLong)in.size()));
  zs.next_in = const_cast<unsigned char*>(in.data());
  zs.avail_in = (uInt)in.size();
  zs.next_out = out.data();
  zs.avail_out = (uInt)out.size();
  int r = deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return r == Z_STREAM_END;
}

struct Written {
  uint16_t method;
  uint32_t crc;
  uint32_t packedSize;
  uint32_t offset;
};

// The run of fields the local and the central header share, from the flags to the extra length.
void PutSharedFields(std::vector<unsigned char>& out, const Written& w, const PackEntry& e) {
  Put16(out, 0); // flags
  Put16(out, w.method);
  Put16(out, kDosTime);
  Put16(out, kDosDate);
  Put32(out, w.crc);
  Put32(out, w.packedSize);
  Put32(out, (uint32_t)e.data.size());
  Put16(out, (uint32_t)e.name.size());
  Put16(out, 0); // extra field
}

} // namespace

bool BuildPack(const std::vector<PackEntry>& entries, std::vector<unsigned char>& out, std::string& error,
               std::vector<bool>* deflated) {
  const uint64_t kMax32 = std::numeric_limits<uint32_t>::max();
  if (entries.size() > 0xFFFF) {
    error = "more than 65535 entries";
    return false;
  }
  size_t base = out.size();
  if (deflated) deflated->clear();
  std::vector<Written> written;
  for (const PackEntry& e : entries) {
    if (e.name.empty() || e.name.size() > 0xFFFF) {
      error = "entry name empty or longer than 65535 bytes: " + e.name.substr(0, 64);
      return false;
    }
    if (e.data.size() > kMax32) {
      error = "entry larger than 4 GiB: " + e.name;
      return false;
    }
    Written w{0, 0, (uint32_t)e.data.size(), (uint32_t)(out.size() - base)};
    w.crc = (uint32_t)crc32(0L, e.data.data(), (uInt)e.data.size());
    std::vector<unsigned char> packed;
    if (!e.store && !e.data.empty() && Deflate(e.data, packed) && packed.size() < e.data.size()) {
      w.method = 8;
      w.packedSize = (uint32_t)packed.size();
    }
    if (out.size() - base > kMax32) {
      error = "pack larger than 4 GiB";
      return false;
    }
    Put32(out, 0x04034B50);
    Put16(out, kVersion);
    PutSharedFields(out, w, e);
    out.insert(out.end(), e.name.begin(), e.name.end());
    const std::vector<unsigned char>& body = w.method == 8 ? packed : e.data;
    out.insert(out.end(), body.begin(), body.end());
    written.push_back(w);
    if (deflated) deflated->push_back(w.method == 8);
  }
  uint64_t dirStart = out.size() - base;
  for (size_t i = 0; i < entries.size(); i++) {
    const PackEntry& e = entries[i];
    const Written& w = written[i];
    Put32(out, 0x02014B50);
    Put16(out, kVersion); // made by
    Put16(out, kVersion); // needed
    PutSharedFields(out, w, e);
    Put16(out, 0); // comment
    Put16(out, 0); // disk
    Put16(out, 0); // internal attributes
    Put32(out, 0); // external attributes
    Put32(out, w.offset);
    out.insert(out.end(), e.name.begin(), e.name.end());
  }
  uint64_t dirSize = out.size() - base - dirStart;
  if (dirStart > kMax32 || dirSize > kMax32) {
    error = "pack larger than 4 GiB";
    return false;
  }
  Put32(out, 0x06054B50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, (uint32_t)entries.size());
  Put16(out, (uint32_t)entries.size());
  Put32(out, (uint32_t)dirSize);
  Put32(out, (uint32_t)dirStart);
  Put16(out, 0); // no comment: the reader expects the record at the very end
  return true;
}

} // namespace sprockpack
