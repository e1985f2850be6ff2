// The file operations through which project files are created, read, written and replaced: one
// place for them, so that a test build of the program can put a failing twin in their stead
// (projects/file_operations_faults.cpp) and prove that no single failure loses a project.
#ifndef VARNEL_PROJECTS_FILE_OPERATIONS_H
#define VARNEL_PROJECTS_FILE_OPERATIONS_H

#include <cstddef>
#include <cstdio>

// As fopen: null (with errno set) when the file could not be opened.
std::FILE* FileOpen(const char* path, const char* mode);
// As fread and fwrite of size single bytes: the number of bytes that were moved.
std::size_t FileRead(void* buffer, std::size_t size, std::FILE* file);
std::size_t FileWrite(const void* data, std::size_t size, std::FILE* file);
// Hands the buffered data to the system and waits until it is on the disk: a rename that
// follows could otherwise reach the disk before the data, and a power cut in between would
// leave an empty file in the project's place.
bool FileFlush(std::FILE* file);
// Closes the file whatever happens; false when data could not be written at the close.
bool FileClose(std::FILE* file);
// As fseek from the start of the file: false when the position could not be set.
bool FileSeek(std::FILE* file, long offset);
// True when a read on this file failed (rather than reaching its end).
bool FileError(std::FILE* file);
// ReplaceFileWith of projects/file_system.h.
bool FileReplace(const char* temporaryPath, const char* targetPath);
bool FileRemove(const char* path);

#endif
