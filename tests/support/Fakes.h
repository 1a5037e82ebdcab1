#pragma once

#include <map>
#include <string>
#include <vector>

#include "document/Document.h"
#include "engine/RunServices.h"
#include "engine/RunState.h"
#include "platform/ShortNames.h"
#include "platform/TabuloError.h"
#include "platform/VolumeFacts.h"

namespace tabulo::test {

// Volume facts fixed by the test.
class FakeVolumes : public VolumeFacts {
  public:
    std::uint64_t cluster = 4096;
    std::int64_t freeBytes = 0;
    std::string label;
    std::string mountPoint = "/";
    bool network = false;
    bool failCluster = false;

    std::uint64_t ClusterSize(const std::string&) override {
        if (failCluster) throw TabuloError("System Error.  Code: 5.\r\nAccess denied");
        return cluster;
    }
    std::int64_t FreeBytes(const std::string&) override { return freeBytes; }
    std::string Label(const std::string&) override { return label; }
    std::string MountPoint(const std::string&) override { return mountPoint; }
    bool IsNetwork(const std::string&) override { return network; }
};

// Short names by file name.
class FakeShortNames : public ShortNameSource {
  public:
    std::map<std::string, std::string> names;
    std::string ShortName(const std::string&, const std::string& name) override {
        const auto it = names.find(name);
        return it == names.end() ? std::string() : it->second;
    }
};

// Records the status texts and can ask for an abort after a number of files.
class RecordingObserver : public RunObserver {
  public:
    std::vector<std::string> panel0, panel1;
    int abortAfterFiles = -1;
    bool htmlFinished = false;

    void SetStatusPanel(int panel, std::string_view text) override {
        (panel == 0 ? panel0 : panel1).emplace_back(text);
    }
    void ProcessMessages(RunState& state) override {
        if (abortAfterFiles >= 0 && state.FileCount >= abortAfterFiles) state.AbortRequested = true;
    }
    void HtmlListFinished() override { htmlFinished = true; }
};

// The texts of a document's paragraphs.
inline std::vector<std::string> Lines(const Document& document) {
    std::vector<std::string> lines;
    for (const Paragraph& p : document.Paragraphs())
        lines.push_back(p.Text());
    return lines;
}

}  // namespace tabulo::test
