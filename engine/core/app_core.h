// CAppCore: the part of the application object the core layer reaches through its pointer: the
// asset packs, the file factories and the directories files are found in.
#pragma once

#include "common_string.h"
#include "quellar_types.h"

class IFile;
class IMemFile;
class CiPhoneZipFileReader;

class CAppCore {
public:
  CAppCore() = default;
  CAppCore(const CAppCore&) = delete;
  CAppCore& operator=(const CAppCore&) = delete;
  virtual ~CAppCore() {}

  // --- factories (the caller owns the result) ---
  IMemFile* CreateMemoryFileObject();
  IFile* CreateFileObject();

  // --- directories, each ending in its separator; the game supplies them ---
  virtual CommonString GetModuleDirectory();
  virtual CommonString GetImagesDirectory() = 0;
  virtual CommonString GetSoundsDirectory() = 0;
  virtual CommonString GetSaveDirectory() = 0;
  virtual CommonString GetUIDirectory();

  // --- packs, searched in this order by the pack entry files (owned by the application) ---
  CiPhoneZipFileReader* m_pCommonPack = nullptr;
  CiPhoneZipFileReader* m_pResolutionPack = nullptr;
  CiPhoneZipFileReader* m_pOptionalPack = nullptr;
  u8 m_bSinglePack = 1;
  u8 m_bUsePacks = 1;
};
