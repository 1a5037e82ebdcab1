#pragma once

#include <string>
#include <string_view>

#include "engine/OutputDocument.h"

namespace tabulo {

// Where bytes of a written list go.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void Write(std::string_view bytes) = 0;
    // Writes out what is buffered; false when writing failed (now or before).
    virtual bool Flush() = 0;
};

// Writes to a file descriptor through one large buffer; remembers the first failure.
class FdSink : public ByteSink {
  public:
    explicit FdSink(int fd, std::size_t bufferSize = 1 << 20);
    ~FdSink() override;
    void Write(std::string_view bytes) override;
    bool Flush() override;
    bool Failed() const { return error_ != 0; }
    int Error() const { return error_; }

  private:
    int fd_;
    std::string buffer_;
    std::size_t capacity_;
    int error_ = 0;
};

class StringSink : public ByteSink {
  public:
    void Write(std::string_view bytes) override { text += bytes; }
    bool Flush() override { return true; }
    std::string text;
};

// A document that writes each paragraph as a line of plain text as soon as it is made, so memory
// does not grow with the list. Every paragraph ends in `lineEnd`.
class PlainTextStream : public OutputDocument {
  public:
    PlainTextStream(ByteSink& sink, std::string lineEnd) : sink_(sink), lineEnd_(std::move(lineEnd)) {}
    void AppendParagraph(std::string_view text, int textStyle) override;
    void Clear() override {}
    std::size_t ParagraphCount() const { return paragraphs_; }

  private:
    ByteSink& sink_;
    std::string lineEnd_;
    std::size_t paragraphs_ = 0;
};

}  // namespace tabulo
