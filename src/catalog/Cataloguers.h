#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "catalog/UserMessage.h"

namespace tabulo {

// Read access to text values of the current user's settings store, as the cataloguers' keys
// need it. The store itself is not changed: a missing key is not created.
class StoreTextReader {
  public:
    virtual ~StoreTextReader() = default;
    // True when the key at `keyPath` (such as "Software\Quenbright\Vaultix") exists.
    virtual bool KeyExists(std::string_view keyPath) const = 0;
    // The text value `name` of that key; empty when the key or the value is missing or the value
    // holds no text.
    virtual std::string ReadText(std::string_view keyPath, std::string_view name) const = 0;
};

inline constexpr std::string_view kVaultixKey = "Software\\Quenbright\\Vaultix";
inline constexpr std::string_view kSkyvaultKey = "Software\\Quenbright\\Skyvault";

// The disk cataloguer and its sibling FTP cataloguer as the main window sees them: where their
// programs are, the folder of the disk cataloguer's current catalogs (the "index folder"), and
// the folder in which the catalog open dialog starts (stored as "PrevCatFolder").
class Cataloguers {
  public:
    explicit Cataloguers(const StoreTextReader& store) : store_(store) {}

    // The disk cataloguer's program path, or empty; also refreshes the index folder when its key
    // exists.
    std::string GetVaultixPath();
    // The FTP cataloguer's program path, or empty.
    std::string GetSkyvaultPath() const;

    const std::string& IndexFolder() const { return indexFolder_; }

    // Whether the "Vaultix" tool button shows: a file exists at the disk cataloguer's path.
    bool VaultixInstalled(const std::function<bool(const std::string&)>& fileExists);

    // The tool buttons: start the cataloguer's program through `open` (false when the system
    // could not start it); a failure shows "Failed to execute " and the path.
    using ProgramOpener = std::function<bool(const std::string&)>;
    void StartVaultix(const ProgramOpener& open, const MessageCallback& messages);
    void StartSkyvault(const ProgramOpener& open, const MessageCallback& messages) const;

    // The catalog open dialog's initial folder ("PrevCatFolder"), restored from and stored to the
    // settings store by the main window.
    std::string dialogFolder;
    // The menu command opens the dialog in the index folder.
    void BeforeMenuImport() { dialogFolder = indexFolder_; }
    // After an import the dialog starts in the folder of the file last chosen in it; an import
    // from the command line, with no file chosen, keeps the folder it had.
    void AfterImport(const std::string& chosenFile);

  private:
    const StoreTextReader& store_;
    std::string indexFolder_;
};

}  // namespace tabulo
