// tabulo-cli: lists a folder as plain text, an HTML page or a delimited list.
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <iostream>

#include "cli/Cli.h"

namespace {

std::atomic<bool> gInterrupted{false};

void OnInterrupt(int) {
    gInterrupted = true;
}

}  // namespace

int main(int argc, char** argv) {
    // The first Ctrl-C stops the walk and lets the list end properly; a second one ends the
    // program at once.
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);

    std::vector<std::string> args(argv + 1, argv + argc);
    tabulo::FdSink out(STDOUT_FILENO);
    tabulo::CliIo io{out, std::cerr};
    io.errIsTerminal = ::isatty(STDERR_FILENO) == 1;
    winsize size{};
    if (io.errIsTerminal && ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        io.terminalWidth = size.ws_col;
    }
    io.interrupted = &gInterrupted;
    const int status = tabulo::RunCli(args, io);
    if (!out.Flush() && status == 0) {
        std::cerr << "tabulo-cli: cannot write the list to standard output\n";
        return 1;
    }
    return status;
}
