// The engine settings object and its two file layouts (raw block and field by field).
#include "app_data.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

#include "byte_order.h"
#include "files.h"
#include "game_base.h"
#include "serialize.h"

static const char kMainFile[] = "global.opt";
static const char kBackupFile[] = "global_backup.opt";
static const char kEndMarker[] = "BasicDataEnd";

u32 Convert4CharToInt(const char* s) {
  if (!s) return 0;
  return ReadLe32((const u8*)s);
}

CBasicApplicationData::CBasicApplicationData() {
  m_nStartSignature = Convert4CharToInt("APPS");
  m_nEndSignature = Convert4CharToInt("APPE");
  memset(m_aValues, 0, sizeof(m_aValues));
  memset(m_aControlData, 0, sizeof(m_aControlData));
}

void CBasicApplicationData::SetDefaultControlsData() {
  for (int i = 1; i <= 5; i++)
    m_aControlData[i] = 0;
}

void CBasicApplicationData::SetDefaultApplicationData() {
  m_nVolume = 50;
  m_nMusicVolume = 50;
  m_nOrientation = 0;
  m_nSerializeMethod = 1;
  m_bSoundOn = 1;
  m_bMusicOn = 1;
  m_bMuted = 0;
  SetDefaultControlsData();
}

void CBasicApplicationData::RestoreDataSignatures() {
  m_nStartSignature = Convert4CharToInt("APPS");
  m_nEndSignature = Convert4CharToInt("APPE");
  if (m_pDerivedStart && m_pDerivedEnd && m_pDerivedStart < m_pDerivedEnd) {
    *m_pDerivedStart = Convert4CharToInt("DRVS");
    *m_pDerivedEnd = Convert4CharToInt("DRVE");
  }
}

bool CBasicApplicationData::Serialize(IFile* file, bool write) {
  if (write) m_nSerializeMethod = 1;
  SerializeHelper2 s;
  s.m_pFile = file;
  s.m_bWriting = write;
  s.m_bOk = true;
  s.m_nMissing = 0;
  s.Serialize(m_nSerializeMethod);
  bool soundOn = m_bSoundOn != 0, musicOn = m_bMusicOn != 0, muted = m_bMuted != 0;
  s.Serialize(soundOn);
  s.Serialize(m_nVolume);
  s.Serialize(musicOn);
  s.Serialize(m_nMusicVolume);
  s.Serialize(muted);
  s.Serialize(m_nOrientation);
  for (int i = 0; i < APPDATA_NUM_VALUES; i++) {
    s.Serialize(m_aValues[i]);
    s.Serialize(m_aControlData[i]);
  }
  if (!write) {
    m_bSoundOn = soundOn;
    m_bMusicOn = musicOn;
    m_bMuted = muted;
  }
  CommonString end(kEndMarker);
  s.Serialize(end);
  if (!write && !end.IsEqual(kEndMarker)) return false;
  return s.m_bOk && s.m_nMissing == 0;
}

// The raw block, laid out as it lies in memory on the device (padding written as zero).

bool CBasicApplicationData::WriteAppData(IFile* file) {
  if (!file) return false;
  u8 block[APPDATA_RAW_SIZE] = {};
  WriteLe32(block + 0, m_nStartSignature);
  block[4] = m_bSoundOn;
  WriteLe32(block + 8, (u32)m_nVolume);
  block[12] = m_bMusicOn;
  WriteLe32(block + 16, (u32)m_nMusicVolume);
  block[20] = m_bMuted;
  for (int i = 0; i < APPDATA_NUM_VALUES; i++)
    WriteLe32(block + 24 + 4 * i, (u32)m_aValues[i]);
  memcpy(block + 152, m_aControlData, APPDATA_NUM_VALUES);
  WriteLe32(block + 184, (u32)m_nOrientation);
  WriteLe32(block + 188, m_nEndSignature);
  if (file->WriteData(block, APPDATA_RAW_SIZE) != APPDATA_RAW_SIZE) return false;
  if (m_pDerivedStart && m_pDerivedEnd && m_pDerivedStart < m_pDerivedEnd) {
    int n = (int)((char*)m_pDerivedEnd - (char*)m_pDerivedStart) + 4;
    if (file->WriteData(m_pDerivedStart, n) != n) return false;
  }
  return true;
}

bool CBasicApplicationData::ReadAppData(IFile* file) {
  if (!file) return false;
  u8 block[APPDATA_RAW_SIZE];
  int got = file->ReadData(block, APPDATA_RAW_SIZE);
  bool ok = got == APPDATA_RAW_SIZE;
  if (ok) {
    m_nStartSignature = ReadLe32(block + 0);
    m_bSoundOn = block[4];
    m_nVolume = (int)ReadLe32(block + 8);
    m_bMusicOn = block[12];
    m_nMusicVolume = (int)ReadLe32(block + 16);
    m_bMuted = block[20];
    for (int i = 0; i < APPDATA_NUM_VALUES; i++)
      m_aValues[i] = (int)ReadLe32(block + 24 + 4 * i);
    memcpy(m_aControlData, block + 152, APPDATA_NUM_VALUES);
    m_nOrientation = (int)ReadLe32(block + 184);
    m_nEndSignature = ReadLe32(block + 188);
    ok = m_nStartSignature == Convert4CharToInt("APPS") && m_nEndSignature == Convert4CharToInt("APPE");
  }
  if (ok && m_pDerivedStart && m_pDerivedEnd && m_pDerivedStart < m_pDerivedEnd) {
    int n = (int)((char*)m_pDerivedEnd - (char*)m_pDerivedStart) + 4;
    ok = file->ReadData(m_pDerivedStart, n) == n && *m_pDerivedStart == Convert4CharToInt("DRVS") &&
         *m_pDerivedEnd == Convert4CharToInt("DRVE");
  }
  if (!ok) RestoreDataSignatures();
  return ok;
}

static CommonString SettingsPath(CGameBase* game, const char* name) {
  return game->GetSaveDirectory() + CommonString(name);
}

// Both layouts reach the disk through a memory file, so the old file is replaced atomically
// and a failed write is reported.
static bool FlushTo(CGameBase* game, IMemFile* file, const char* name) {
  CommonString path = SettingsPath(game, name);
  return file->FlushDataToFile(game, path.c_str()) == 1;
}

// Writes the settings into a memory file and flushes it over the main file.
template <class Fill> static bool WriteSettings(CGameBase* game, Fill fill) {
  IMemFile* file = game->CreateMemoryFileObject();
  if (!file) return false;
  bool filled = file->Create(32000) == 1 && fill(file);
  bool ok = filled && FlushTo(game, file, kMainFile);
  if (filled && !ok)
    fprintf(stderr, "settings: could not save '%s' (%s); the previous file is kept\n",
            SettingsPath(game, kMainFile).c_str(), strerror(errno));
  file->Close();
  delete file;
  return ok;
}

// Loads one settings file whole from disk (never from the packs) and hands it to parse at its
// start; then does after(file, parsed) before the file goes.
template <class Parse, class After>
static bool ReadSettings(CGameBase* game, const char* name, Parse parse, After after) {
  CommonString path = SettingsPath(game, name);
  // No settings yet is the normal first start: only a file that is there and cannot be opened or
  // read is reported.
  struct stat st;
  if (stat(DiskPathFromEnginePath(path.c_str()).c_str(), &st) != 0 && errno == ENOENT) return false;
  IMemFile* file = game->CreateMemoryFileObject();
  if (!file) return false;
  bool ok = file->OpenOnDisk(game, path.c_str(), FILE_MODE_READ) == 1;
  if (!ok)
    fprintf(stderr, "settings: cannot open '%s' (%s); it is not used\n", path.c_str(), strerror(errno));
  if (ok) {
    file->Seek(0, FILE_SEEK_BEGIN);
    ok = parse(file);
    if (!ok) fprintf(stderr, "settings: '%s' is damaged and was not used\n", path.c_str());
    after(file, ok);
  }
  file->Close();
  delete file;
  return ok;
}

template <class Parse> static bool ReadSettings(CGameBase* game, const char* name, Parse parse) {
  return ReadSettings(game, name, parse, [](IMemFile*, bool) {});
}

bool CBasicApplicationData::WriteRaw(CGameBase* game) {
  return WriteSettings(game, [this](IMemFile* f) { return WriteAppData((IFile*)f); });
}

bool CBasicApplicationData::ReadRaw(CGameBase* game) {
  bool ok = ReadSettings(game, kMainFile, [this](IMemFile* f) { return ReadAppData((IFile*)f); });
  if (!ok) RestoreDataSignatures();
  return ok;
}

bool CBasicApplicationData::WriteAppData_Method2(CGameBase* game) {
  return WriteSettings(game, [this](IMemFile* f) { return Serialize(f, true); });
}

bool CBasicApplicationData::ReadSerializedFrom(CGameBase* game, const char* name) {
  return ReadSettings(game, name, [this](IMemFile* f) { return Serialize(f, false); });
}

bool CBasicApplicationData::ReadAppData_Method2(CGameBase* game) {
  return ReadSerializedFrom(game, kMainFile);
}

bool CBasicApplicationData::WriteAppData(CGameBase* game) {
  if (!game) return false;
  return GetSerializeMethod() == 1 ? WriteAppData_Method2(game) : WriteRaw(game);
}

bool CBasicApplicationData::ReadAppData(CGameBase* game) {
  if (!game) return false;
  return GetSerializeMethod() == 1 ? ReadAppData_Method2(game) : ReadRaw(game);
}

bool CBasicApplicationData::ReadAppDataBackup(CGameBase* game) {
  if (!game || GetSerializeMethod() != 1) return false;
  return ReadSerializedFrom(game, kBackupFile);
}

void CBasicApplicationData::BackupAppData(CGameBase* game) {
  if (!game) return;
  // Copy the main file only when it reads back whole and valid; the old backup is replaced by
  // rename, never deleted first, so a failure leaves it as it was.
  ReadSettings(
      game, kMainFile,
      [this](IMemFile* f) {
        return GetSerializeMethod() == 1 ? Serialize(f, false) : ReadAppData((IFile*)f);
      },
      [game](IMemFile* f, bool valid) {
        if (!valid) return;
        f->Seek(f->GetSize(), FILE_SEEK_BEGIN);
        FlushTo(game, f, kBackupFile);
      });
}
