#include "utils/Registry.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

namespace {

constexpr const char* kTestKey = "Software\\Corvella Utils Tests";

// Each test starts without the test key under either root and removes it at the end.
class RegistryTest : public testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        SHDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey);
    }
};

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The type and bytes of a value, read without the class under test.
struct TRawValue {
    DWORD Type = REG_NONE;
    std::string Data;
    bool operator==(const TRawValue&) const = default;
};

TRawValue RawValue(HKEY root, const std::string& path, const char* name) {
    TRawValue value;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    char data[256];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &value.Type, reinterpret_cast<BYTE*>(data), &size) ==
        ERROR_SUCCESS)
        value.Data.assign(data, size);
    else
        value.Type = REG_NONE;
    RegCloseKey(key);
    return value;
}

void SetRawValue(HKEY root, const std::string& path, const char* name, DWORD type,
                 const std::string& data) {
    HKEY key;
    ASSERT_EQ(
        RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

} // namespace

TEST_F(RegistryTest, AbsentValuesReadAsEmptyZeroAndFalse) {
    TRegistry registry;
    registry.OpenKey(kTestKey);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTestKey)); // opening creates the key
    EXPECT_FALSE(registry.ValueExists("MAINDIR"));
    EXPECT_EQ(registry.ReadString("MAINDIR"), "");
    EXPECT_EQ(registry.ReadInteger("COMPS (1.6.6.2)"), 0);
    EXPECT_FALSE(registry.ReadBool("LAUNCH"));
}

TEST_F(RegistryTest, WrittenValuesHaveTheirTypesAndReadBack) {
    {
        TRegistry registry;
        registry.OpenKey(kTestKey);
        registry.WriteString("MAINDIR", "C:\\Program Files\\Corvella");
        registry.WriteString("EXTENSIONS", "");
        registry.WriteInteger("COMPS (1.6.6.2)", 2147483646);
        registry.WriteInteger("Negative", -2);
        registry.WriteBool("LAUNCH", true);
        registry.WriteBool("INSTALLTOALL", false);
    }
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kTestKey, "MAINDIR"),
              (TRawValue{REG_SZ, std::string("C:\\Program Files\\Corvella") + '\0'}));
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kTestKey, "EXTENSIONS"),
              (TRawValue{REG_SZ, std::string(1, '\0')}));
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kTestKey, "LAUNCH"),
              (TRawValue{REG_DWORD, std::string("\1\0\0\0", 4)}));

    TRegistry registry;
    registry.OpenKey(kTestKey);
    EXPECT_TRUE(registry.ValueExists("EXTENSIONS"));
    EXPECT_EQ(registry.ReadString("MAINDIR"), "C:\\Program Files\\Corvella");
    EXPECT_EQ(registry.ReadString("EXTENSIONS"), "");
    EXPECT_EQ(registry.ReadInteger("COMPS (1.6.6.2)"), 2147483646);
    EXPECT_EQ(registry.ReadInteger("Negative"), -2);
    EXPECT_TRUE(registry.ReadBool("LAUNCH"));
    EXPECT_FALSE(registry.ReadBool("INSTALLTOALL"));
    EXPECT_TRUE(registry.ValueExists("INSTALLTOALL"));
}

TEST_F(RegistryTest, ReadsTakeOnlyTheirOwnTypesAndStopAtTheFirstZero) {
    SetRawValue(HKEY_CURRENT_USER, kTestKey, "Unterminated", REG_SZ, "abc");
    SetRawValue(HKEY_CURRENT_USER, kTestKey, "TwoTexts", REG_SZ, std::string("ab\0cd\0", 6));
    SetRawValue(HKEY_CURRENT_USER, kTestKey, "Text", REG_SZ, std::string("12\0", 3));
    SetRawValue(HKEY_CURRENT_USER, kTestKey, "Number", REG_DWORD, std::string("\7\0\0\0", 4));
    SetRawValue(HKEY_CURRENT_USER, kTestKey, "Short", REG_BINARY, std::string("\7\0", 2));
    TRegistry registry;
    registry.OpenKey(kTestKey);
    EXPECT_EQ(registry.ReadString("Unterminated"), "abc");
    EXPECT_EQ(registry.ReadString("TwoTexts"), "ab");
    EXPECT_EQ(registry.ReadString("Number"), "");
    EXPECT_EQ(registry.ReadInteger("Text"), 0);
    EXPECT_EQ(registry.ReadInteger("Short"), 0);
    EXPECT_EQ(registry.ReadInteger("Number"), 7);
}

TEST_F(RegistryTest, PathsStartAtTheOpenKeyOrWithABackslashAtTheRoot) {
    std::string test = kTestKey;
    TRegistry registry;
    registry.OpenKey(test);
    registry.OpenKey("Install");
    registry.WriteInteger("Level", 1);
    registry.OpenKey("\\" + test + "\\Internal");
    registry.WriteInteger("Level", 2);
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, test + "\\Install", "Level").Data,
              std::string("\1\0\0\0", 4));
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, test + "\\Internal", "Level").Data,
              std::string("\2\0\0\0", 4));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, test + "\\Install\\Internal"));
}

TEST_F(RegistryTest, TheRootKeyCanBeTheMachines) {
    TRegistry registry;
    registry.OpenKey(kTestKey);
    registry.SetRootKey(HKEY_CURRENT_USER); // the same root: the key stays open
    registry.WriteString("User", "kept");
    registry.SetRootKey(HKEY_LOCAL_MACHINE); // another root: the key is closed
    registry.WriteString("Lost", "x");
    registry.OpenKey(kTestKey);
    registry.WriteString("DisplayName", "Corvella Word Processor");
    EXPECT_EQ(registry.ReadString("DisplayName"), "Corvella Word Processor");
    EXPECT_FALSE(registry.ValueExists("User"));

    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kTestKey, "DisplayName").Type, REG_SZ);
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kTestKey, "User").Type, REG_SZ);
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kTestKey, "Lost").Type, REG_NONE);
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kTestKey, "Lost").Type, REG_NONE);
}

TEST_F(RegistryTest, AKeyThatCannotBeOpenedReadsNothingAndLosesWrites) {
    SetRawValue(HKEY_CURRENT_USER, kTestKey, "MAINDIR", REG_SZ, std::string("C:\\Old\0", 7));
    TRegistry registry;
    registry.OpenKey(kTestKey);
    // A key name longer than the registry allows.
    registry.OpenKey(std::string(300, 'x'));
    EXPECT_FALSE(registry.ValueExists("MAINDIR"));
    EXPECT_EQ(registry.ReadString("MAINDIR"), "");
    registry.WriteString("MAINDIR", "C:\\New");
    registry.WriteInteger("LAUNCH", 1);
    // The key open before was closed, so nothing landed there either.
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kTestKey, "MAINDIR").Data, std::string("C:\\Old\0", 7));
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kTestKey, "LAUNCH").Type, REG_NONE);
}
