// Music streams: providers that read an OGG Vorbis (through Tremor) or PCM WAV file from the asset
// pack while it plays and add it, resampled to the mixer's rate, into the mixer's block.
#pragma once

#include "common_string.h"
#include "quellar_types.h"

class CAppCore;
class IFile;
class ISoundSystem;
struct OggVorbis_File;

class CStreamingProvider {
public:
  virtual ~CStreamingProvider() {}
  // Adds count output samples into the 16-bit mono block (audio thread, mixer lock held).
  virtual void UpdateBufferAdd(short* block, int count) = 0;
  virtual bool LoadStream(const char* path) = 0;
  virtual void Unload() = 0;
  virtual void Start(bool loop) = 0;
  virtual void Stop() = 0;
  virtual void SetFadeIn(FIXED_FLOAT) {}
  virtual void StopWithFadeOut(FIXED_FLOAT seconds) = 0;
  virtual void SetVolume(unsigned char volume) = 0;
  virtual CommonString GetFileName() = 0;

  // Read by the mixer to decide whether to call UpdateBufferAdd.
  bool m_bPlaying = false;
};

// What both providers share: the output rate and step, the volume (128 is unity), the fades,
// the loop flag and the file.
class CStreamingProviderBase : public CStreamingProvider {
public:
  // The output rate is the sound system's (22050 without one).
  CStreamingProviderBase(CAppCore* app, ISoundSystem* soundSystem);
  ~CStreamingProviderBase() override;

  void SetFadeIn(FIXED_FLOAT seconds) override;
  void StopWithFadeOut(FIXED_FLOAT seconds) override;
  void SetVolume(unsigned char volume) override { m_nVolume = volume; }
  CommonString GetFileName() override { return m_FileName; }
  // Opens path in the packs and loads from it.
  bool LoadStream(const char* path) override;
  // Loads from an open file, which the provider then owns; name becomes the file name.
  virtual bool LoadStreamFromFile(IFile* file, const char* name) = 0;

  CAppCore* m_pApp = nullptr;
  IFile* m_pFile = nullptr;
  u32 m_nFileRate = 0;
  u32 m_nStep = 0; // source samples per output sample, 8 fraction bits
  u32 m_nChannels = 0;
  u32 m_nVolume = 128;
  bool m_bLoop = false;
  u32 m_nOutputRate = 22050;
  bool m_bFadeOut = false;
  int m_nFadeOutLength = 0;
  int m_nFadeOutCounter = 0;
  bool m_bFadeIn = false;
  int m_nFadeInLength = 0;
  int m_nFadeInCounter = 0;
  CommonString m_FileName;
  // The last LoadStream found its file (a false load then means the data was refused).
  bool m_bFileOpened = false;

protected:
  // The level of the next output sample (fades applied), moving the fade counters on.
  int NextLevel();
  bool FadeOutFinished() const { return m_bFadeOut && m_nFadeOutCounter <= 0; }
  // Sets the step from the file rate; false for a rate the mixer cannot follow.
  bool SetRates(u32 fileRate, u32 channels);
  void CloseFile();
};

class CStreamingProviderOGG : public CStreamingProviderBase {
public:
  explicit CStreamingProviderOGG(CAppCore* app, ISoundSystem* soundSystem = nullptr)
      : CStreamingProviderBase(app, soundSystem) {}
  ~CStreamingProviderOGG() override { Unload(); }

  void UpdateBufferAdd(short* block, int count) override;
  bool LoadStreamFromFile(IFile* file, const char* name) override;
  void Unload() override;
  void Start(bool loop) override;
  void Stop() override;

  OggVorbis_File* m_pVF = nullptr;
  u8* m_pBuffer = nullptr;
  int m_nBufferSize = 0;
  int m_nReadOffset = 0;
  int m_nAvailable = 0;
  // The end of a stream that does not loop was decoded: what is buffered still plays, then the
  // stream stops (the file is already rewound).
  bool m_bEnded = false;

private:
  // Adds the decoded data into up to count samples; answers the samples written.
  int MixAvailable(short* block, int count);
  void StopAtFadeEnd();
  void Rewind();
};

class CStreamingProviderWAV : public CStreamingProviderBase {
public:
  explicit CStreamingProviderWAV(CAppCore* app, ISoundSystem* soundSystem = nullptr)
      : CStreamingProviderBase(app, soundSystem) {}
  ~CStreamingProviderWAV() override { Unload(); }

  void UpdateBufferAdd(short* block, int count) override;
  bool LoadStreamFromFile(IFile* file, const char* name) override;
  void Unload() override;
  void Start(bool loop) override;
  void Stop() override;

  u32 m_nSampleCount = 0; // of the data chunk
  bool m_b8Bit = false;
  u32 m_nDataOffset = 0;
  u32 m_nDataSize = 0;
  u32 m_nDataRead = 0; // bytes of the data chunk read so far

private:
  // Reads up to n bytes of the data chunk (never beyond it); -1 on a read error.
  int ReadData(u8* to, int n);
  bool Rewind();
};

// The read buffer all WAV streams share, grown on the audio thread when a block needs more.
extern u8* g_pReadBuffer;
extern int g_nReadBufferSize;
void ReleaseStreamReadBuffer();
