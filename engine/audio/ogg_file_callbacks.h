// Tremor's file callbacks over an engine file (a memory file or a pack entry). A failing read
// hands the decoder 0 bytes and a seek outside the file answers -1, so damaged or short files
// end the decoding instead of feeding it nonsense.
#pragma once

#include <tremor/ivorbisfile.h>

class IFile;

ov_callbacks EngineFileCallbacks();

// ov_raw_seek(vf, 0), only when the file can seek to its start: Tremor frees memory it never
// allocated when the very first seek of a raw seek fails. False when the rewind did not happen.
bool RewindOggFile(OggVorbis_File* vf, IFile* file);
