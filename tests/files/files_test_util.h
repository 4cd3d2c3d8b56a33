// Shared helpers of the files tests: a scratch directory, whole-file I/O and a minimal game.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game_base.h"
#include "zip_pack.h"

typedef std::vector<unsigned char> Bytes;

// A fresh directory, removed with everything in it.
class ScratchDir {
public:
  ScratchDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "sprocklet-files-XXXXXX").string();
    m_path = mkdtemp(tmpl.data()) ? tmpl : std::string();
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  std::string operator/(const std::string& name) const { return m_path + "/" + name; }
  const std::string& path() const { return m_path; }

private:
  std::string m_path;
};

inline void WriteBytes(const std::string& path, const Bytes& data) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write((const char*)data.data(), (std::streamsize)data.size());
}

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline Bytes ToBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The application object with nothing but the pack settings the file layer reads.
class TestGame : public CGameBase {
public:
  ~TestGame() override {
    SafeDelete(m_pCommonPack);
    SafeDelete(m_pResolutionPack);
    SafeDelete(m_pOptionalPack);
  }
  bool Pause() override { return true; }
  bool CreateApplicationData() override { return false; }
  bool ReLoadFonts() override { return false; }
  CommonString GetImagesDirectory() override { return CommonString(); }
  CommonString GetSoundsDirectory() override { return CommonString(); }
  CommonString GetSaveDirectory() override { return CommonString(); }
  CommonString GetCommonGamePackName() override { return CommonString(); }
  CommonString GetResolutionSpecificGamePackName() override { return CommonString(); }

  // Opens a pack into one of the reader slots; answers Init's result.
  int OpenPack(CiPhoneZipFileReader*& slot, const std::string& path) {
    SafeDelete(slot);
    slot = new CiPhoneZipFileReader(this);
    return slot->Init(path.c_str());
  }
};
