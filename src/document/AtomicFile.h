#pragma once

#include <functional>
#include <string>

#include "document/PlainTextStream.h"

namespace tabulo {

// A file written under a temporary name beside its final name and renamed over it only when it
// is complete, so a failed or interrupted write never leaves half a file in place of a good one.
// A file that is replaced keeps its permissions; a symbolic link is written through.
class AtomicFile {
  public:
    // Creates the temporary file; throws TabuloError naming the file and the reason.
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }
    // Makes the content durable and puts it in place; throws TabuloError on failure.
    void Commit();
    // The message of a failure to write this file.
    std::string Failure(int error) const;

  private:
    std::string path_;    // as the caller named it
    std::string target_;  // where the content goes (a symbolic link resolved)
    std::string temp_;
    int fd_ = -1;
    bool committed_ = false;
};

// Writes a file through `write` and an AtomicFile; throws TabuloError when any step fails.
void WriteFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& write);

}  // namespace tabulo
