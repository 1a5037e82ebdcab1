#include "document/PlainTextStream.h"

#include <unistd.h>

#include <cerrno>

namespace tabulo {

FdSink::FdSink(int fd, std::size_t bufferSize) : fd_(fd), capacity_(bufferSize) {
    buffer_.reserve(capacity_);
}

FdSink::~FdSink() {
    Flush();
}

void FdSink::Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > capacity_) Flush();
    buffer_.append(bytes);
}

bool FdSink::Flush() {
    std::size_t done = 0;
    while (error_ == 0 && done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    buffer_.clear();
    return error_ == 0;
}

void PlainTextStream::AppendParagraph(std::string_view text, int /*textStyle*/) {
    sink_.Write(text);
    sink_.Write(lineEnd_);
    ++paragraphs_;
}

}  // namespace tabulo
