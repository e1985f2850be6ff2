// The settings store against the real registry: what it stores, and how odd or oversized values read.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstring>
#include <string>

#include "desktop/registry.h"

namespace {

std::string KeyPath(const std::string& subkey) { return std::string(SettingsRoot) + "\\" + subkey; }

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The stored bytes exactly as the registry holds them, read past the code under test;
// "<missing>" when the key or value does not exist.
std::string RawValue(const std::string& subkey, const char* name, DWORD* type = nullptr) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath(subkey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return "<missing>";
  }
  char data[1024];
  DWORD size = sizeof data;
  DWORD kind = REG_NONE;
  const LONG status = RegQueryValueExA(key, name, nullptr, &kind, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (type != nullptr) *type = kind;
  return status == ERROR_SUCCESS ? std::string(data, size) : "<missing>";
}

void SetRaw(const std::string& subkey, const char* name, DWORD type, const void* bytes, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, KeyPath(subkey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), size), ERROR_SUCCESS);
  RegCloseKey(key);
}

// NUL-terminated REG_SZ data as RawValue reports it.
std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

// Each test works in a scratch subkey named after it, removed before and after.
class Registry : public ::testing::Test {
 protected:
  std::string subkey;
  char out[300];

  void SetUp() override {
    subkey = std::string("VarnelTest.") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    RemoveScratch();
    RegistryBusy = 0;
    std::memset(out, 'x', sizeof out);
  }
  void TearDown() override {
    RemoveScratch();
    RegistryBusy = 0;
  }
  void RemoveScratch() {
    HKEY root = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SettingsRoot, 0, KEY_ALL_ACCESS, &root) != ERROR_SUCCESS) return;
    RegDeleteKeyA(root, subkey.c_str());
    RegCloseKey(root);
  }
  int Read(const char* name, const char* defaultValue, int size = sizeof(Registry::out)) {
    return RegReadString(subkey.c_str(), name, defaultValue, out, size);
  }
};

}  // namespace

TEST_F(Registry, StringsAreStoredAsTerminatedRegSz) {
  DWORD type = REG_NONE;
  EXPECT_EQ(RegWriteString(subkey.c_str(), "empty", ""), 1);
  EXPECT_EQ(RawValue(subkey, "empty", &type), Sz(""));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(RegWriteString(subkey.c_str(), "word", "abc"), 1);
  EXPECT_EQ(RawValue(subkey, "word", &type), Sz("abc"));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Read("word", "other"), 3);
  EXPECT_STREQ(out, "abc");
}

TEST_F(Registry, MissingOrEmptyValueTakesTheDefaultAndStoresIt) {
  DWORD type = REG_NONE;
  EXPECT_EQ(Read("colour", "blue"), 4);
  EXPECT_STREQ(out, "blue");
  EXPECT_EQ(RawValue(subkey, "colour", &type), Sz("blue"));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Read("colour", "red"), 4);  // once stored, the value wins over the default
  EXPECT_STREQ(out, "blue");

  RegWriteString(subkey.c_str(), "blank", "");
  EXPECT_EQ(Read("blank", "filled"), 6);
  EXPECT_STREQ(out, "filled");
  EXPECT_EQ(RawValue(subkey, "blank"), Sz("filled"));

  // The unnamed value: storing its default must not be mistaken for deleting the subkey.
  EXPECT_EQ(Read(nullptr, "unnamed"), 7);
  EXPECT_EQ(RawValue(subkey, ""), Sz("unnamed"));
  EXPECT_EQ(RawValue(subkey, "colour"), Sz("blue"));
}

TEST_F(Registry, WithoutADefaultAMissingValueReadsEmptyAndNothingIsWritten) {
  EXPECT_EQ(Read("absent", nullptr), 0);
  EXPECT_STREQ(out, "");
  EXPECT_FALSE(KeyExists(KeyPath(subkey)));

  RegWriteString(subkey.c_str(), "present", "1");
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(Read("absent", nullptr), 0);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(RawValue(subkey, "absent"), "<missing>");
}

TEST_F(Registry, IntegersAreStoredAsTextAndParsedLeniently) {
  DWORD type = REG_NONE;
  EXPECT_EQ(RegWriteInt(subkey.c_str(), "n", -42), 1);
  EXPECT_EQ(RawValue(subkey, "n", &type), Sz("-42"));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(RegReadInt(subkey.c_str(), "n", 5), -42);

  EXPECT_EQ(RegReadInt(subkey.c_str(), "fresh", 17), 17);
  EXPECT_EQ(RawValue(subkey, "fresh", &type), Sz("17"));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

  RegWriteInt(subkey.c_str(), "lowest", INT_MIN);
  EXPECT_EQ(RegReadInt(subkey.c_str(), "lowest", 0), INT_MIN);

  RegWriteString(subkey.c_str(), "blank-led", " -7");
  RegWriteString(subkey.c_str(), "trailing", "12abc");
  RegWriteString(subkey.c_str(), "word", "abc");
  EXPECT_EQ(RegReadInt(subkey.c_str(), "blank-led", 99), -7);
  EXPECT_EQ(RegReadInt(subkey.c_str(), "trailing", 99), 12);
  EXPECT_EQ(RegReadInt(subkey.c_str(), "word", 99), 0);
  EXPECT_EQ(RawValue(subkey, "word"), Sz("abc"));  // text that is not a number is not replaced
}

TEST_F(Registry, ValuesOverTwoHundredSixtyBytesReadAsMissingAndAreReplaced) {
  const std::string fits(259, 'F');  // 260 bytes with its NUL
  RegWriteString(subkey.c_str(), "fits", fits.c_str());
  EXPECT_EQ(Read("fits", "short"), 259);
  EXPECT_EQ(std::string(out), fits);

  const std::string over(260, 'L');
  RegWriteString(subkey.c_str(), "over", over.c_str());
  EXPECT_EQ(Read("over", "short"), 5);
  EXPECT_STREQ(out, "short");
  EXPECT_EQ(RawValue(subkey, "over"), Sz("short"));
}

TEST_F(Registry, NonStringDataReadsAsExactlyItsBytes) {
  // A full-length read first leaves the reader's buffer full of 'Z', so a read that forgot to
  // terminate would show them after the shorter data below.
  const std::string filler(259, 'Z');
  RegWriteString(subkey.c_str(), "filler", filler.c_str());

  SetRaw(subkey, "binary", REG_BINARY, "ABCDEFGH", 8);
  ASSERT_EQ(Read("filler", nullptr), 259);
  EXPECT_EQ(Read("binary", "default"), 8);
  EXPECT_STREQ(out, "ABCDEFGH");

  const DWORD letters = 0x44434241;  // "ABCD" in memory order
  SetRaw(subkey, "dword", REG_DWORD, &letters, sizeof letters);
  ASSERT_EQ(Read("filler", nullptr), 259);
  EXPECT_EQ(Read("dword", "default"), 4);
  EXPECT_STREQ(out, "ABCD");

  SetRaw(subkey, "unterminated", REG_SZ, "hello", 5);
  ASSERT_EQ(Read("filler", nullptr), 259);
  EXPECT_EQ(Read("unterminated", "default"), 5);
  EXPECT_STREQ(out, "hello");

  const std::string full(260, 'B');  // the whole buffer with no NUL anywhere
  SetRaw(subkey, "full", REG_BINARY, full.data(), 260);
  EXPECT_EQ(Read("full", "default"), 260);
  EXPECT_EQ(std::string(out), full);
}

TEST_F(Registry, SmallOutputCutsTheResultAndTheStoredDefault) {
  RegWriteString(subkey.c_str(), "long", "abcdefgh");
  EXPECT_EQ(Read("long", nullptr, 4), 3);
  EXPECT_STREQ(out, "abc");
  EXPECT_EQ(Read("long", nullptr, 1), 0);
  EXPECT_STREQ(out, "");

  EXPECT_EQ(Read("cut", "abcdefgh", 4), 3);
  EXPECT_STREQ(out, "abc");
  EXPECT_EQ(RawValue(subkey, "cut"), Sz("abc"));
}

TEST_F(Registry, NoRoomForOutputReadsNothingAndStoresNothing) {
  EXPECT_EQ(RegReadString(subkey.c_str(), "v", "d", nullptr, 10), 0);
  EXPECT_EQ(Read("v", "d", 0), 0);
  EXPECT_EQ(Read("v", "d", -5), 0);
  EXPECT_EQ(out[0], 'x');
  EXPECT_FALSE(KeyExists(KeyPath(subkey)));
}

TEST_F(Registry, DeletingAValueAndTheSubkey) {
  RegWriteString(subkey.c_str(), "a", "1");
  RegWriteString(subkey.c_str(), "b", "2");
  EXPECT_EQ(RegWriteString(subkey.c_str(), "a", nullptr), 1);
  EXPECT_EQ(RawValue(subkey, "a"), "<missing>");
  EXPECT_EQ(RawValue(subkey, "b"), Sz("2"));

  EXPECT_EQ(RegWriteString(subkey.c_str(), nullptr, nullptr), 1);
  EXPECT_FALSE(KeyExists(KeyPath(subkey)));
  EXPECT_TRUE(KeyExists(SettingsRoot));

  // Without the subkey there is nothing to open.
  EXPECT_EQ(RegWriteString(subkey.c_str(), "b", nullptr), 0);
  EXPECT_FALSE(KeyExists(KeyPath(subkey)));
  // No subkey name must never reach the settings root itself.
  EXPECT_EQ(RegWriteString("", nullptr, nullptr), 0);
  EXPECT_EQ(RegWriteString(nullptr, nullptr, nullptr), 0);
  EXPECT_TRUE(KeyExists(SettingsRoot));
}

TEST_F(Registry, BusyIsClearedAfterEveryWriteEvenAFailedOne) {
  EXPECT_EQ(RegWriteString(subkey.c_str(), "v", "1"), 1);
  EXPECT_EQ(RegistryBusy, 0);
  EXPECT_EQ(RegWriteString(subkey.c_str(), "v", nullptr), 1);
  EXPECT_EQ(RegistryBusy, 0);
  const std::string tooLong(600, 'k');  // a key path this long cannot be opened or created
  EXPECT_EQ(RegWriteString(tooLong.c_str(), "v", "1"), 0);
  EXPECT_EQ(RegistryBusy, 0);
}

namespace {

// The timer of the next test stands for a write in progress: when it ends it clears the flag,
// and it notes whether the waiting write had already gone ahead.
const std::string* busyScratch = nullptr;
std::string seenBeforeClear;
void CALLBACK EndTheWriteInProgress(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  seenBeforeClear = RawValue(*busyScratch, "waited");
  RegistryBusy = 0;
}

}  // namespace

TEST_F(Registry, AWriteWaitsWhileAnotherIsInProgress) {
  busyScratch = &subkey;
  seenBeforeClear.clear();
  RegistryBusy = 1;
  SetTimer(nullptr, 0, 200, EndTheWriteInProgress);
  const DWORD start = GetTickCount();
  EXPECT_EQ(RegWriteString(subkey.c_str(), "waited", "done"), 1);
  EXPECT_GE(GetTickCount() - start, 150u);
  EXPECT_EQ(seenBeforeClear, "<missing>");
  EXPECT_EQ(RawValue(subkey, "waited"), Sz("done"));
  EXPECT_EQ(RegistryBusy, 0);
}
