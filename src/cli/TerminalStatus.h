#pragma once

#include <atomic>
#include <chrono>
#include <ostream>
#include <string>

#include "engine/RunServices.h"

namespace tabulo {

// The command line's observer of a run: turns an interrupt (Ctrl-C) into AbortRequested and, on
// a terminal, keeps one live status line on standard error (folder being scanned, files so far),
// cleared when the run ends.
class TerminalStatus : public RunObserver {
  public:
    TerminalStatus(std::ostream& err, bool live, const std::atomic<bool>* interrupted, int width);

    void SetStatusPanel(int panel, std::string_view text) override;
    void ProcessMessages(RunState& state) override;
    void CloseStatusWindow() override;

    // The last text of status panel 1 ("12 files found" once the run has ended).
    const std::string& Panel1() const { return panel1_; }

  private:
    void Draw(const RunState& state);

    std::ostream& err_;
    bool live_;
    const std::atomic<bool>* interrupted_;
    int width_;
    std::string panel1_;
    bool drawn_ = false;
    unsigned calls_ = 0;
    std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace tabulo
