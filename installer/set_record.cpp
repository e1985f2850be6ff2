// The installation set's record, read without windows.
#include "installer/set_record.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool ParseLine(const char* line, std::size_t length, SetFileRecord& record) {
  char copy[96];
  if (length == 0 || length >= sizeof(copy)) return false;
  std::memcpy(copy, line, length);
  copy[length] = '\0';
  char name[sizeof(record.name)] = {};
  char sizeText[24] = {};
  char crcText[16] = {};
  char extra = 0;
  if (std::sscanf(copy, "%15s %23s %15s %c", name, sizeText, crcText, &extra) != 3) return false;
  char* end = nullptr;
  const unsigned long size = std::strtoul(sizeText, &end, 10);
  if (*end != '\0' || sizeText[0] == '-') return false;
  const unsigned long crc = std::strtoul(crcText, &end, 16);
  if (*end != '\0' || std::strlen(crcText) != 8) return false;
  std::memcpy(record.name, name, sizeof(record.name));
  record.size = size;
  record.crc = static_cast<std::uint32_t>(crc);
  return true;
}

}  // namespace

int ParseSetRecord(const char* text, std::size_t length, SetFileRecord* records, int capacity) {
  int count = 0;
  std::size_t start = 0;
  while (start < length) {
    std::size_t end = start;
    while (end < length && text[end] != '\n' && text[end] != '\0') ++end;
    std::size_t lineLength = end - start;
    if (lineLength > 0 && text[start + lineLength - 1] == '\r') --lineLength;
    if (lineLength > 0) {
      if (count >= capacity || !ParseLine(text + start, lineLength, records[count])) return -1;
      ++count;
    }
    if (end < length && text[end] == '\0') break;
    start = end + 1;
  }
  return count;
}

std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}
