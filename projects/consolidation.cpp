// Consolidating projects.
#include "projects/consolidation.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "projects/file_operations.h"
#include "projects/page_file.h"

namespace {

bool IsAsciiPunctuation(unsigned char c) {
  return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) || (c >= 0x7B && c <= 0x7E);
}

// Character 0, the empty names, sorts after every other.
int OrderOf(unsigned char sortCharacter) { return sortCharacter == 0 ? 256 : sortCharacter; }

std::string WithLastThreeReplaced(const std::string& folder, const std::string& entry, const char* ending) {
  const std::string stem = entry.size() >= 3 ? entry.substr(0, entry.size() - 3) : std::string();
  return folder + stem + ending;
}

// Large pieces: a project is compared and copied in a few calls of the file operations rather
// than in dozens.
constexpr std::size_t kPieceSize = 65536;

bool SameBytes(std::FILE* file, const ProjectPage& page) {
  const unsigned char* expected = reinterpret_cast<const unsigned char*>(&page);
  unsigned char piece[kPieceSize];
  std::size_t offset = 0;
  while (offset < kProjectPageSize) {
    const std::size_t want = std::min(sizeof piece, kProjectPageSize - offset);
    if (FileRead(piece, want, file) != want || std::memcmp(piece, expected + offset, want) != 0) return false;
    offset += want;
  }
  // A longer file is not the page either; reaching the end must not be a failed read.
  return FileRead(piece, 1, file) == 0 && !FileError(file);
}

// Makes the consolidation all or nothing: remembers what was written and puts it all back.
class Transaction {
 public:
  Transaction(const std::string& folder, const std::vector<std::string>& entries, ConsolidationFiles& files)
      : folder_(folder), entries_(entries), files_(files) {}

  void TemporaryWritten() { ++temporaries_; }

  // Every project takes its new content, each only after its old one is safe in a backup.
  bool ReplaceAll(std::string& failedPath) {
    for (std::size_t n = 0; n < entries_.size(); ++n) {
      const std::string project = folder_ + entries_[n];
      const std::string backup = ConsolidationBackupPath(folder_, entries_[n]);
      if (!files_.Copy(project, backup)) {
        files_.Remove(backup);
        failedPath = backup;
        return false;
      }
      ++backups_;
      if (!files_.Replace(ConsolidationTemporaryPath(folder_, entries_[n]), project)) {
        failedPath = project;
        return false;
      }
      ++replaced_;
    }
    return true;
  }

  // After a failure: the old files come back and the temporaries go.
  void RollBack() {
    for (std::size_t n = 0; n < replaced_; ++n) {
      // A backup that cannot be put back is kept: it is the only copy of that project's slots.
      files_.Replace(ConsolidationBackupPath(folder_, entries_[n]), folder_ + entries_[n]);
    }
    for (std::size_t n = replaced_; n < backups_; ++n) files_.Remove(ConsolidationBackupPath(folder_, entries_[n]));
    for (std::size_t n = replaced_; n < temporaries_; ++n) files_.Remove(ConsolidationTemporaryPath(folder_, entries_[n]));
  }

  // Returns a backup that could not be removed, "" when none is left.
  std::string RemoveBackups() {
    std::string left;
    for (std::size_t n = 0; n < backups_; ++n) {
      const std::string backup = ConsolidationBackupPath(folder_, entries_[n]);
      if (!files_.Remove(backup) && left.empty()) left = backup;
    }
    return left;
  }

 private:
  const std::string& folder_;
  const std::vector<std::string>& entries_;
  ConsolidationFiles& files_;
  std::size_t temporaries_ = 0;
  std::size_t backups_ = 0;
  std::size_t replaced_ = 0;
};

}  // namespace

unsigned char SortCharacter(const char* name) {
  if (name == nullptr) return 0;
  unsigned char c = static_cast<unsigned char>(name[0]);
  if (IsAsciiPunctuation(c)) c = static_cast<unsigned char>(name[1]);
  if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - ('a' - 'A'));
  return c;
}

std::vector<SlotRef> ConsolidationOrder(const std::vector<SortKeys>& keys) {
  std::vector<SlotRef> order;
  order.reserve(keys.size() * kSlotCount);
  for (std::uint32_t project = 0; project < keys.size(); ++project) {
    for (std::uint32_t slot = 0; slot < static_cast<std::uint32_t>(kSlotCount); ++slot) order.push_back({project, slot});
  }
  // Stable: slots of one character keep the order of their projects and their slot order.
  std::stable_sort(order.begin(), order.end(), [&keys](const SlotRef& a, const SlotRef& b) {
    return OrderOf(keys[a.project][a.slot]) < OrderOf(keys[b.project][b.slot]);
  });
  return order;
}

bool DiskFiles::Read(const std::string& path, ProjectPage& page) {
  ClearPage(page);
  std::FILE* file = FileOpen(path.c_str(), "rb");
  if (file == nullptr) return false;
  const bool whole = FileRead(&page, kProjectPageSize, file) == kProjectPageSize;
  // Nothing was written through this stream: a failing close changes nothing on disk.
  FileClose(file);
  if (whole) TerminateFields(page);
  return whole;
}

bool DiskFiles::WriteWhole(const std::string& path, const ProjectPage& page) {
  std::FILE* file = FileOpen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool written = FileWrite(&page, kProjectPageSize, file) == kProjectPageSize;
  written = written && FileFlush(file);
  written = FileClose(file) && written;
  if (!written) return false;
  // Read back: only a file known to hold the whole page may later take a project's place.
  file = FileOpen(path.c_str(), "rb");
  if (file == nullptr) return false;
  const bool same = SameBytes(file, page);
  FileClose(file);
  return same;
}

bool DiskFiles::Copy(const std::string& from, const std::string& to) {
  std::FILE* in = FileOpen(from.c_str(), "rb");
  if (in == nullptr) return false;
  std::FILE* out = FileOpen(to.c_str(), "wb");
  if (out == nullptr) {
    FileClose(in);
    return false;
  }
  unsigned char piece[kPieceSize];
  bool copied = true;
  std::size_t got = 0;
  while ((got = FileRead(piece, sizeof piece, in)) > 0) {
    if (FileWrite(piece, got, out) != got) {
      copied = false;
      break;
    }
  }
  // A failed read ends the loop as the end of the file would: the copy would be cut short.
  copied = copied && !FileError(in);
  FileClose(in);
  // The backup serves only to put a project back within this consolidation: closing it tells
  // whether it was written, and it need not wait for the disk.
  copied = FileClose(out) && copied;
  return copied;
}

bool DiskFiles::Replace(const std::string& from, const std::string& to) {
  return FileReplace(from.c_str(), to.c_str());
}

bool DiskFiles::Remove(const std::string& path) { return FileRemove(path.c_str()); }

std::string ConsolidationTemporaryPath(const std::string& folder, const std::string& entry) {
  return WithLastThreeReplaced(folder, entry, "tmp");
}

std::string ConsolidationBackupPath(const std::string& folder, const std::string& entry) {
  return WithLastThreeReplaced(folder, entry, "~bk");
}

ConsolidationResult ConsolidateProjectFiles(const std::string& folder, const std::vector<std::string>& entries,
                                            ProjectPage& readBuffer, ProjectPage& buildBuffer,
                                            ConsolidationFiles& files, ConsolidationProgress* progress) {
  ConsolidationResult result;
  long examined = 0;
  long toPlace = static_cast<long>(entries.size()) * kSlotCount;
  if (progress != nullptr) {
    progress->Examined(examined);
    progress->ToPlace(toPlace);
  }

  // The survey: each project once, for the characters its slots sort under.
  std::vector<SortKeys> keys(entries.size());
  for (std::size_t n = 0; n < entries.size(); ++n) {
    ++result.reads;
    if (!files.Read(folder + entries[n], readBuffer)) {
      result.outcome = ConsolidationResult::Outcome::UnreadableProject;
      result.failedPath = folder + entries[n];
      return result;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
      keys[n][slot] = SortCharacter(readBuffer.names[slot]);
      if (progress != nullptr) progress->Examined(++examined);
    }
  }

  // The build: the order groups each character's slots by project, so a project is read again
  // only for the characters it holds.
  const std::vector<SlotRef> order = ConsolidationOrder(keys);
  Transaction transaction(folder, entries, files);
  std::size_t loaded = entries.size();
  std::size_t next = 0;
  for (std::size_t n = 0; n < entries.size(); ++n) {
    ClearPage(buildBuffer);
    for (int slot = 0; slot < kSlotCount; ++slot, ++next) {
      if (progress != nullptr) progress->ToPlace(--toPlace);
      const SlotRef from = order[next];
      if (from.project != loaded) {
        ++result.reads;
        if (!files.Read(folder + entries[from.project], readBuffer)) {
          transaction.RollBack();
          result.outcome = ConsolidationResult::Outcome::Failed;
          result.failedPath = folder + entries[from.project];
          return result;
        }
        loaded = from.project;
      }
      std::memcpy(buildBuffer.names[slot], readBuffer.names[from.slot], kButtonNameSize);
      std::memcpy(buildBuffer.texts[slot], readBuffer.texts[from.slot], kTextFieldSize);
      if (progress != nullptr) progress->Examined(++examined);
    }
    const std::string temporary = ConsolidationTemporaryPath(folder, entries[n]);
    // Counted before the write: a failed write may still have left a file behind.
    transaction.TemporaryWritten();
    if (!files.WriteWhole(temporary, buildBuffer)) {
      transaction.RollBack();
      result.outcome = ConsolidationResult::Outcome::Failed;
      result.failedPath = temporary;
      return result;
    }
  }

  std::string failedPath;
  if (!transaction.ReplaceAll(failedPath)) {
    transaction.RollBack();
    result.outcome = ConsolidationResult::Outcome::Failed;
    result.failedPath = failedPath;
    return result;
  }
  result.leftBehind = transaction.RemoveBackups();
  return result;
}
