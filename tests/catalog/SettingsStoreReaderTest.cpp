#include "catalog/SettingsStoreReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TempTree.h"

namespace tabulo {
namespace {

// A settings file as the disk cataloguer leaves it (keys and names in another case than the
// program asks for), read through the store.
class SettingsStoreReaderTest : public ::testing::Test {
  protected:
    SettingsStoreReaderTest() {
        tree.Text("settings.reg",
                  "Windows Registry Editor Version 5.00\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Quenbright\\VAULTIX]\r\n"
                  "\"vaultix_exe\"=\"/opt/vaultix/vaultix\"\r\n"
                  "\"CurrentIndexFileFolder\"=\"/home/u/catalogs\"\r\n"
                  "\"Skyvault_Exe\"=dword:00000001\r\n\r\n"
                  "[Software\\Quenbright\\Skyvault\\Plugins]\r\n");
    }
    test::TempTree tree;
    SettingsStore store{tree.Path("settings.reg")};
    SettingsStoreReader reader{store};
};

TEST_F(SettingsStoreReaderTest, ReadsTextValuesIgnoringCase) {
    struct Row {
        const char* name;
        std::string_view key;
        const char* value;
        std::string text;
    };
    const Row rows[] = {
        {"the program path", kVaultixKey, "Vaultix_Exe", "/opt/vaultix/vaultix"},
        {"the index folder", kVaultixKey, "CURRENTINDEXFILEFOLDER", "/home/u/catalogs"},
        {"a value that holds a number", kVaultixKey, "Skyvault_Exe", ""},
        {"a missing value", kVaultixKey, "PrevCatFolder", ""},
        {"a key made only as a parent", kSkyvaultKey, "Skyvault_Exe", ""},
        {"a missing key", "Software\\Quenbright\\Other", "Vaultix_Exe", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.text, reader.ReadText(row.key, row.value));
    }
}

TEST_F(SettingsStoreReaderTest, TellsWhichKeysExistWithoutMakingAny) {
    const std::string before = test::ReadFile(store.Path());
    EXPECT_TRUE(reader.KeyExists("software\\quenbright\\vaultix"));
    EXPECT_TRUE(reader.KeyExists(kSkyvaultKey));
    EXPECT_FALSE(reader.KeyExists("Software\\Quenbright\\Vaultix\\Missing"));
    EXPECT_FALSE(reader.KeyExists("Software\\\\Quenbright"));
    EXPECT_EQ("", reader.ReadText("Software\\Quenbright\\Missing", "Vaultix_Exe"));
    EXPECT_EQ(before, test::ReadFile(store.Path()));

    SettingsStore absent(tree.Path("none.reg"));
    EXPECT_FALSE(SettingsStoreReader(absent).KeyExists(kVaultixKey));
    EXPECT_FALSE(std::filesystem::exists(tree.Path("none.reg")));
}

TEST_F(SettingsStoreReaderTest, FeedsTheCataloguers) {
    Cataloguers cataloguers(reader);
    EXPECT_EQ("/opt/vaultix/vaultix", cataloguers.GetVaultixPath());
    EXPECT_EQ("/home/u/catalogs", cataloguers.IndexFolder());
    EXPECT_EQ("", cataloguers.GetSkyvaultPath());
}

}  // namespace
}  // namespace tabulo
