#include "catalog/Cataloguers.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace tabulo {
namespace {

// The settings store in memory: keys holding text values.
class MemoryStore : public StoreTextReader {
  public:
    bool KeyExists(std::string_view keyPath) const override { return keys_.count(std::string(keyPath)) != 0; }
    std::string ReadText(std::string_view keyPath, std::string_view name) const override {
        const auto key = keys_.find(std::string(keyPath));
        if (key == keys_.end()) return {};
        const auto value = key->second.find(std::string(name));
        return value == key->second.end() ? std::string() : value->second;
    }
    void Set(const std::string& key, const std::string& name, const std::string& value) { keys_[key][name] = value; }
    void AddKey(const std::string& key) { keys_[key]; }
    void RemoveKey(const std::string& key) { keys_.erase(key); }

  private:
    std::map<std::string, std::map<std::string, std::string>> keys_;
};

TEST(Cataloguers, ReadTheProgramPathsAndTheIndexFolder) {
    MemoryStore store;
    Cataloguers cataloguers(store);
    cataloguers.GetVaultixPath();
    EXPECT_EQ("", cataloguers.IndexFolder());

    store.Set("Software\\Quenbright\\Vaultix", "Vaultix_Exe", "/opt/vaultix/vaultix");
    store.Set("Software\\Quenbright\\Vaultix", "CurrentIndexFileFolder", "/home/u/catalogs");
    store.Set("Software\\Quenbright\\Skyvault", "Skyvault_Exe", "/opt/skyvault/skyvault");
    EXPECT_EQ("/opt/vaultix/vaultix", cataloguers.GetVaultixPath());
    EXPECT_EQ("/home/u/catalogs", cataloguers.IndexFolder());
    EXPECT_EQ("/opt/skyvault/skyvault", cataloguers.GetSkyvaultPath());
}

TEST(Cataloguers, MissingKeyKeepsTheIndexFolderMissingValuesReadEmpty) {
    const std::string key = "Software\\Quenbright\\Vaultix";
    MemoryStore store;
    store.Set(key, "CurrentIndexFileFolder", "/cats");
    Cataloguers cataloguers(store);
    EXPECT_EQ("", cataloguers.GetVaultixPath());  // the key holds no program path
    EXPECT_EQ("/cats", cataloguers.IndexFolder());

    store.RemoveKey(key);
    EXPECT_EQ("", cataloguers.GetVaultixPath());
    EXPECT_EQ("/cats", cataloguers.IndexFolder());

    store.AddKey(key);
    cataloguers.GetVaultixPath();
    EXPECT_EQ("", cataloguers.IndexFolder());
    EXPECT_EQ("", cataloguers.GetSkyvaultPath());
}

TEST(Cataloguers, ButtonShowsWhenTheProgramFileExists) {
    MemoryStore store;
    Cataloguers cataloguers(store);
    const auto exists = [](const std::string& path) { return path == "/opt/vaultix/vaultix"; };
    EXPECT_FALSE(cataloguers.VaultixInstalled(exists));
    store.Set("Software\\Quenbright\\Vaultix", "Vaultix_Exe", "/opt/other");
    EXPECT_FALSE(cataloguers.VaultixInstalled(exists));
    store.Set("Software\\Quenbright\\Vaultix", "Vaultix_Exe", "/opt/vaultix/vaultix");
    EXPECT_TRUE(cataloguers.VaultixInstalled(exists));
}

TEST(Cataloguers, StartingAProgramThatFailsSaysSo) {
    MemoryStore store;
    store.Set("Software\\Quenbright\\Vaultix", "Vaultix_Exe", "/opt/vaultix/vaultix");
    store.Set("Software\\Quenbright\\Vaultix", "CurrentIndexFileFolder", "/cats");
    Cataloguers cataloguers(store);
    std::vector<std::string> opened;
    std::vector<UserMessage> messages;
    const auto record = [&messages](const UserMessage& m) { messages.push_back(m); };

    cataloguers.StartVaultix([&](const std::string& p) { return opened.push_back(p), true; }, record);
    EXPECT_EQ(std::vector<std::string>{"/opt/vaultix/vaultix"}, opened);
    EXPECT_EQ("/cats", cataloguers.IndexFolder());
    EXPECT_TRUE(messages.empty());

    const auto failing = [](const std::string&) { return false; };
    cataloguers.StartVaultix(failing, record);
    cataloguers.StartSkyvault(failing, record);
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("Failed to execute /opt/vaultix/vaultix", messages[0].text);
    EXPECT_EQ("Error", messages[0].caption);
    EXPECT_EQ(MessageIcon::Error, messages[0].icon);
    EXPECT_EQ("Failed to execute ", messages[1].text);
}

TEST(Cataloguers, OpenDialogFolderFollowsTheIndexFolderAndTheChosenFile) {
    MemoryStore store;
    store.Set("Software\\Quenbright\\Vaultix", "CurrentIndexFileFolder", "/cats");
    Cataloguers cataloguers(store);
    cataloguers.dialogFolder = "/from/last/session";
    cataloguers.GetVaultixPath();

    cataloguers.AfterImport("");  // an import from the command line
    EXPECT_EQ("/from/last/session", cataloguers.dialogFolder);
    cataloguers.BeforeMenuImport();
    EXPECT_EQ("/cats", cataloguers.dialogFolder);
    cataloguers.AfterImport("/media/disks/disk1.idx");
    EXPECT_EQ("/media/disks", cataloguers.dialogFolder);
    cataloguers.AfterImport("/disk2.idx");
    EXPECT_EQ("/", cataloguers.dialogFolder);
}

}  // namespace
}  // namespace tabulo
