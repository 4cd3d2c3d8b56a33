// Files the stand-in writes (screenshots, recorded journals, the store's purchases): encoded in
// memory, then written through a temporary file that replaces the target only when complete.
#include "standin/standin.h"

#include <png.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace standin {

bool WriteFileAtomically(const std::string& path, const void* data, size_t size, std::string* error) {
  // errno stays the failure's, for callers that say why themselves.
  auto fail = [&](const char* what) {
    int saved = errno;
    if (error) *error = std::string(what) + " " + path + ": " + strerror(saved);
    errno = saved;
    return false;
  };
  if (path.empty() || (size > 0 && !data)) {
    errno = EINVAL;
    return fail("cannot write");
  }
  // A unique name beside the target, so two writers never share a temporary file.
  std::string tmp = path + ".XXXXXX";
  int fd = mkstemp(tmp.data());
  if (fd < 0) return fail("cannot create");
  // mkstemp makes the file private; give it the permissions an ordinary create would.
  mode_t mask = umask(0);
  umask(mask);
  const unsigned char* p = (const unsigned char*)data;
  size_t left = size;
  bool ok = fchmod(fd, 0666 & ~mask) == 0;
  while (ok && left > 0) {
    ssize_t n = write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else {
      p += n;
      left -= (size_t)n;
    }
  }
  ok = ok && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) {
    int saved = errno;
    unlink(tmp.c_str());
    errno = saved;
    return fail("cannot write");
  }
  // The rename itself reaches the disk only with its directory.
  size_t slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    fsync(dfd);
    close(dfd);
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
  return WriteFileAtomically(path, bytes.data(), bytes.size(), error);
}

namespace {

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

} // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
              std::string* error) {
  if (width <= 0 || height <= 0 || rgb.size() != (size_t)width * (size_t)height * 3) {
    if (error) *error = "screenshot " + path + ": bad picture size";
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    if (error) *error = "screenshot " + path + ": out of memory";
    return false;
  }
  std::string encoded;
  std::vector<png_bytep> rows((size_t)height);
  for (int y = 0; y < height; ++y)
    rows[(size_t)y] = const_cast<png_bytep>(&rgb[(size_t)y * (size_t)width * 3]);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    if (error) *error = "screenshot " + path + ": PNG encoding failed";
    return false;
  }
  png_set_write_fn(png, &encoded, AppendToString, NoFlush);
  png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return WriteFileAtomically(path, encoded, error);
}

} // namespace standin
