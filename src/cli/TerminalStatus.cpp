#include "cli/TerminalStatus.h"

#include "engine/RunState.h"
#include "platform/Utf8.h"

namespace tabulo {

TerminalStatus::TerminalStatus(std::ostream& err, bool live, const std::atomic<bool>* interrupted, int width)
    : err_(err), live_(live), interrupted_(interrupted), width_(width < 20 ? 80 : width) {}

void TerminalStatus::SetStatusPanel(int panel, std::string_view text) {
    if (panel == 1) panel1_ = text;
}

void TerminalStatus::ProcessMessages(RunState& state) {
    if (interrupted_ && interrupted_->load()) state.AbortRequested = true;
    if (!live_) return;
    // The clock is read every 64 calls only; the line is redrawn at most ten times a second.
    if ((++calls_ & 63) != 1 && drawn_) return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100)) return;
    lastDraw_ = now;
    Draw(state);
}

void TerminalStatus::Draw(const RunState& state) {
    if (panel1_.empty()) return;  // nothing is being scanned yet
    const std::string count = "  (" + std::to_string(state.FileCount) + " files)";
    std::string text = panel1_;
    utf8::ReplaceControls(text);
    const std::size_t room = static_cast<std::size_t>(width_ - 1) - count.size();
    const std::size_t chars = utf8::CharCount(text);
    if (chars > room) {
        // Keep the end of a long path, where the folder being scanned is named.
        const std::size_t drop = chars - room + 3;
        text = "..." + text.substr(utf8::OffsetOfChar(text, drop));
    }
    err_ << "\r\x1b[K" << text << count << std::flush;
    drawn_ = true;
}

void TerminalStatus::CloseStatusWindow() {
    if (live_ && drawn_) err_ << "\r\x1b[K" << std::flush;
    drawn_ = false;
}

}  // namespace tabulo
