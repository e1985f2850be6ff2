// The record of the installation set that the build writes into INSTALL.EXE: each file's name,
// size and CRC-32, one line each ("QUILLOW.EX_ 1103360 5f3a09c1"), so that the installer can
// refuse a damaged or cut copy of the set before it copies anything.
#ifndef VARNEL_INSTALLER_SET_RECORD_H
#define VARNEL_INSTALLER_SET_RECORD_H

#include <cstddef>
#include <cstdint>

struct SetFileRecord {
  char name[16] = {};
  unsigned long size = 0;
  std::uint32_t crc = 0;
};
constexpr int kSetRecordCapacity = 8;

// Reads the record (length bytes, no terminator needed); the number of files, or -1 when a line
// is malformed or there are more than capacity.
int ParseSetRecord(const char* text, std::size_t length, SetFileRecord* records, int capacity);

// The CRC-32 of zlib and gzip, continued over data: start with 0.
std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size);

#endif
