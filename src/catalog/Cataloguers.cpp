#include "catalog/Cataloguers.h"

namespace tabulo {

namespace {

void StartProgram(const std::string& path, const Cataloguers::ProgramOpener& open, const MessageCallback& messages) {
    if (open && open(path)) return;
    if (messages) messages({"Failed to execute " + path, "Error", MessageIcon::Error});
}

}  // namespace

std::string Cataloguers::GetVaultixPath() {
    if (!store_.KeyExists(kVaultixKey)) return {};
    std::string path = store_.ReadText(kVaultixKey, "Vaultix_Exe");
    indexFolder_ = store_.ReadText(kVaultixKey, "CurrentIndexFileFolder");
    return path;
}

std::string Cataloguers::GetSkyvaultPath() const {
    if (!store_.KeyExists(kSkyvaultKey)) return {};
    return store_.ReadText(kSkyvaultKey, "Skyvault_Exe");
}

bool Cataloguers::VaultixInstalled(const std::function<bool(const std::string&)>& fileExists) {
    const std::string path = GetVaultixPath();
    return !path.empty() && fileExists && fileExists(path);
}

void Cataloguers::StartVaultix(const ProgramOpener& open, const MessageCallback& messages) {
    StartProgram(GetVaultixPath(), open, messages);
}

void Cataloguers::StartSkyvault(const ProgramOpener& open, const MessageCallback& messages) const {
    StartProgram(GetSkyvaultPath(), open, messages);
}

void Cataloguers::AfterImport(const std::string& chosenFile) {
    if (chosenFile.empty()) return;
    const auto slash = chosenFile.find_last_of('/');
    dialogFolder = slash == std::string::npos ? std::string() : chosenFile.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace tabulo
