// Resource names and their directories, and the stdio-like shims through which game code reads
// and writes files in the packs or on disk.
#pragma once

#include "common_string.h"

class IFile;

// The directory by extension (case-sensitive): "txt" levels, "wav", "wavc" and "ogg" sounds,
// anything else images. The path is not checked.
CommonString ResourcePath(CommonString name, CommonString ext);
// The path of an existing resource in the packs, or an empty string.
CommonString pathForResource(CommonString name, CommonString ext);

// "rb" (or "r") reads the file on disk, else the pack entry; "wb" (or "w") writes it, replacing the
// file atomically on close; "ab" (or "a") does the same after the old content. Other modes, and
// files that do not open, give null. A '\' in the path is a separator on disk only.
IFile* _fopen(const char* path, const char* mode);
// Closes and deletes the file. 0, or -1 when a file being written could not replace the old one
// (which is kept; one line on stderr says so). A null file is ignored.
int _fclose(IFile* f);
// Whole items moved.
unsigned _fread(void* buf, unsigned size, unsigned count, IFile* f);
unsigned _fwrite(const void* buf, unsigned size, unsigned count, IFile* f);
// Only whence 0 (from the start) to a position not before it: 0, else -1 without moving.
int _fseek(IFile* f, long offset, int whence);
int _feof(IFile* f);
int _fgetc(IFile* f);
