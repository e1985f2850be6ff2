// The file operations of the program itself: the C library and the platform's replace.
#include "projects/file_operations.h"

#include "projects/file_system.h"

std::FILE* FileOpen(const char* path, const char* mode) { return std::fopen(path, mode); }

std::size_t FileRead(void* buffer, std::size_t size, std::FILE* file) { return std::fread(buffer, 1, size, file); }

std::size_t FileWrite(const void* data, std::size_t size, std::FILE* file) { return std::fwrite(data, 1, size, file); }

bool FileFlush(std::FILE* file) { return std::fflush(file) == 0 && FlushFileToDisk(file); }

bool FileClose(std::FILE* file) { return std::fclose(file) == 0; }

bool FileSeek(std::FILE* file, long offset) { return std::fseek(file, offset, SEEK_SET) == 0; }

bool FileError(std::FILE* file) { return std::ferror(file) != 0; }

bool FileReplace(const char* temporaryPath, const char* targetPath) {
  return ReplaceFileWith(temporaryPath, targetPath);
}

bool FileRemove(const char* path) { return std::remove(path) == 0; }
