#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/RegistryTree.h"

namespace tabulo {

class StoreKey;

// The per-user settings store: one file in registry-export syntax (see RegistryTree) holding
// keys of named text and integer values. Key and value names match without regard to case.
//
// Reading takes the file as it is at the moment a key is opened; the file is replaced only whole,
// so a reader never sees half of a write. The writes made through an open key are applied when
// the key is closed, as one read-modify-write of the file under an advisory lock on
// "<file>.lock": the current file is read again, the key's writes are applied to it, and the
// result replaces the file atomically (temporary file beside it, fsync, rename, fsync of the
// folder). So two programs writing at once never tear the file or lose each other's keys, and a
// crash leaves the old or the new file. A file with lines that do not parse is read as far as it
// parses and, before it is first replaced, kept beside it as "<file>.damaged" (or
// "<file>.damaged.N"). A file that cannot be read is never replaced.
//
// Settings operations never report failures to the user; LastError() keeps the last one for a
// front end that wants to (the command line does).
class SettingsStore {
  public:
    explicit SettingsStore(std::string path);

    // $TABULO_SETTINGS, else $XDG_CONFIG_HOME/tabulo/settings.reg, else
    // ~/.config/tabulo/settings.reg; empty when there is no home folder to put it in.
    static std::string DefaultPath();

    const std::string& Path() const { return path_; }

    // A store that is not writable reads as usual and drops every write silently.
    void SetWritable(bool writable) { writable_ = writable; }
    bool Writable() const { return writable_; }

    // Opens a key. Without `create`, only an existing key opens; with it, every missing key on
    // the path is made (when the key is closed). nullptr when the key is not open: absent, or
    // a path that cannot name a key (an empty name between backslashes, a control character).
    std::unique_ptr<StoreKey> OpenKey(std::string_view path, bool create);

    // The message of the last write that failed ("cannot save settings to '...': ..."), or empty.
    const std::string& LastError() const { return lastError_; }
    void ClearError() { lastError_.clear(); }

    // The file as the store reads it now (for tests and diagnostics): its tree and whether some
    // of its lines did not parse.
    RegistryTree Read(bool* damaged = nullptr) const;

  private:
    friend class StoreKey;

    struct SetOp {
        RegistryValue value;
    };
    struct DeleteOp {
        std::string name;
    };
    struct DeleteAllOp {};
    using WriteOp = std::variant<SetOp, DeleteOp, DeleteAllOp>;

    static void Apply(RegistryKey& key, const WriteOp& op);
    bool Commit(const std::string& keyPath, bool create, const std::vector<WriteOp>& ops);
    bool Fail(const std::string& reason);

    std::string path_;
    bool writable_ = true;
    std::string lastError_;
};

// An open key of the store. Reads see the file as it was when the key was opened plus this key's
// own writes; the writes reach the file when the key is closed (Close or destruction).
class StoreKey {
  public:
    ~StoreKey();
    StoreKey(const StoreKey&) = delete;
    StoreKey& operator=(const StoreKey&) = delete;

    // The value's text; an absent value gives "", a value that is not text is a failure (nullopt).
    std::optional<std::string> ReadText(std::string_view name) const;
    // The value's integer; an absent value or one that is not an integer is a failure.
    std::optional<std::int32_t> ReadInteger(std::string_view name) const;
    // ReadInteger, nonzero being yes.
    std::optional<bool> ReadBool(std::string_view name) const;

    void WriteText(std::string_view name, std::string_view text);
    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }
    void DeleteValue(std::string_view name);
    void DeleteAllValues();

    // Names of the direct subkeys, alphabetically without regard to case.
    std::vector<std::string> SubkeyNames() const { return key_->SubkeyNames(); }
    // Names of the values, in store order.
    std::vector<std::string> ValueNames() const { return key_->ValueNames(); }

    // Writes this key's changes to the file; false when that failed (see LastError).
    bool Close();

  private:
    friend class SettingsStore;
    StoreKey(SettingsStore& store, std::string path, bool create, RegistryTree snapshot);
    void Record(SettingsStore::WriteOp op);

    SettingsStore& store_;
    std::string path_;
    bool create_;
    RegistryTree snapshot_;
    RegistryKey* key_ = nullptr;
    std::vector<SettingsStore::WriteOp> ops_;
    bool closed_ = false;
};

}  // namespace tabulo
