// Project files as the tests write and read them: 33 captions of 32 bytes, then 33 texts of
// 10240 bytes.
#ifndef VARNEL_TESTS_E2E_PROJECT_BYTES_H
#define VARNEL_TESTS_E2E_PROJECT_BYTES_H

#include <string>

namespace e2e {

constexpr size_t kProjectBytes = 338976;

inline std::string ProjectBytes(const std::string (&names)[33], const std::string (&texts)[33]) {
  std::string bytes(kProjectBytes, '\0');
  for (size_t i = 0; i < 33; ++i) {
    bytes.replace(32 * i, names[i].size(), names[i]);
    bytes.replace(1056 + 10240 * i, texts[i].size(), texts[i]);
  }
  return bytes;
}

// Slot i of a distinctive project: caption "<tag> button i", text "<tag> text i" with a line break.
inline std::string TaggedProject(const std::string& tag) {
  std::string names[33];
  std::string texts[33];
  for (int i = 0; i < 33; ++i) {
    names[i] = tag + " button " + std::to_string(i);
    texts[i] = tag + " text " + std::to_string(i) + "\r\nsecond line";
  }
  return ProjectBytes(names, texts);
}

inline std::string NameInFile(const std::string& bytes, int slot) {
  return std::string(bytes.c_str() + 32 * slot);
}

inline std::string TextInFile(const std::string& bytes, int slot) {
  return std::string(bytes.c_str() + 1056 + 10240 * slot);
}

}  // namespace e2e

#endif
