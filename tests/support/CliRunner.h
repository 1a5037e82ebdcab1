#pragma once

#include <atomic>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/TempTree.h"

namespace tabulo::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs tabulo-cli in-process from the factory settings, in UTC, with the fixed test locale
// (dd.MM.yyyy, HH:mm:ss, "." between digit groups).
inline CliRun RunCliInProcess(const std::vector<std::string>& args, const std::atomic<bool>* interrupted = nullptr) {
    IsolateSettings();
    PinTimeZone();
    static const Locale locale;
    StringSink out;
    std::ostringstream err;
    CliIo io{out, err};
    io.locale = &locale;
    io.interrupted = interrupted;
    CliRun run;
    run.status = RunCli(args, io);
    run.out = out.text;
    run.err = err.str();
    return run;
}

}  // namespace tabulo::test
