// CBasicApplicationData: the engine settings (sound, music, mute, orientation, game values) and
// their files "global.opt" / "global_backup.opt" in the save directory.
#pragma once

#include "quellar_types.h"

class CGameBase;
class IFile;

// The first four bytes of s in memory order (s[0] lowest); 0 for null.
u32 Convert4CharToInt(const char* s);

enum { APPDATA_NUM_VALUES = 32, APPDATA_RAW_SIZE = 192, APPDATA_SERIALIZED_SIZE = 195 };

class CBasicApplicationData {
public:
  CBasicApplicationData();
  virtual ~CBasicApplicationData() {}

  virtual void SetDefaultControlsData();
  virtual void SetDefaultApplicationData();
  // 0: the raw memory block; 1: field by field.
  virtual int GetSerializeMethod() { return 0; }
  virtual bool Serialize(IFile* file, bool write);
  virtual bool WriteAppData(IFile* file);
  virtual bool ReadAppData(IFile* file);

  void RestoreDataSignatures();
  bool WriteAppData(CGameBase* game);
  bool ReadAppData(CGameBase* game);
  bool ReadAppDataBackup(CGameBase* game);
  void BackupAppData(CGameBase* game);
  bool WriteAppData_Method2(CGameBase* game);
  bool ReadAppData_Method2(CGameBase* game);

  u32* m_pDerivedStart = nullptr;
  u32* m_pDerivedEnd = nullptr;

  // The raw block: from m_nStartSignature to m_nEndSignature inclusive, 192 bytes.
  u32 m_nStartSignature;
  u8 m_bSoundOn = 1;
  int m_nVolume = 50;
  u8 m_bMusicOn = 1;
  int m_nMusicVolume = 50;
  u8 m_bMuted = 0;
  int m_aValues[APPDATA_NUM_VALUES];
  u8 m_aControlData[APPDATA_NUM_VALUES];
  int m_nOrientation = 0;
  u32 m_nEndSignature;

  int m_nSerializeMethod = 1;

private:
  bool ReadSerializedFrom(CGameBase* game, const char* name);
  bool WriteRaw(CGameBase* game);
  bool ReadRaw(CGameBase* game);
};
