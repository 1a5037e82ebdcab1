#pragma once

#include <atomic>
#include <ostream>
#include <string>
#include <vector>

#include "document/PlainTextStream.h"
#include "platform/Locale.h"

namespace tabulo {

// The world as tabulo-cli sees it; tests give their own.
struct CliIo {
    ByteSink& out;               // standard output
    std::ostream& err;           // standard error
    bool errIsTerminal = false;  // show the live status line
    int terminalWidth = 80;
    const std::atomic<bool>* interrupted = nullptr;  // set on Ctrl-C
    const Locale* locale = nullptr;                  // the user's locale; read from the environment when null
};

// Runs tabulo-cli with its arguments (without the program name); returns the exit status.
int RunCli(const std::vector<std::string>& args, CliIo& io);

}  // namespace tabulo
