// Resource names and their directories, and the stdio-like shims through which game code reads
// files in the packs or on disk (the game's own files are saved through game_files.h).
#pragma once

#include "common_string.h"

class IFile;

// The directory by extension (case-sensitive): "txt" levels, "wav", "wavc" and "ogg" sounds,
// anything else images. The path is not checked.
CommonString ResourcePath(CommonString name, CommonString ext);
// The path of an existing resource in the packs, or an empty string.
CommonString pathForResource(CommonString name, CommonString ext);

// "rb" (or "r") reads the file on disk, else the pack entry. Other modes, and files that do not
// open, give null. A '\' in the path is a separator on disk only.
IFile* _fopen(const char* path, const char* mode);
// Closes and deletes the file; 0. A null file is ignored.
int _fclose(IFile* f);
// Whole items read.
unsigned _fread(void* buf, unsigned size, unsigned count, IFile* f);
// Only whence 0 (from the start) to a position not before it: 0, else -1 without moving.
int _fseek(IFile* f, long offset, int whence);
int _feof(IFile* f);
int _fgetc(IFile* f);
