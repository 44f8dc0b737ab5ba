// SPDX-License-Identifier: GPL-3.0-or-later
// The tool's input and output: lines of bounded length, and the standard
// streams on the file descriptors themselves, so that a failed read or
// write is known at once, with its reason. Plain C++17, no Qt.
#pragma once

#include <cstddef>
#include <ios>
#include <istream>
#include <streambuf>
#include <string>

// The longest line the tool reads; anything longer is answered with an
// error, and no more of it than this is kept.
constexpr std::size_t kLongestLine = 1000;

enum class LineRead {
    Line,     // `line` holds the next line, without its end
    TooLong,  // a line longer than the limit was read to its end; `line`
              // holds its first `limit` bytes
    End,      // no more lines (or the stream failed: check bad())
};
// The next line without "\n" or "\r\n"; of a line above `limit` bytes no
// more than that is kept. A byte order mark before the first line is the
// caller's to drop.
LineRead ReadLine(std::istream& in, std::string& line, std::size_t limit = kLongestLine);

// Why a stream failed, in Russian ("нет места на устройстве"); a plain
// phrase for a stream that is not on a file descriptor.
std::string StreamErrorText(const std::ios& stream);

// A file descriptor as a stream buffer. A failed write makes the stream
// bad at the next flush or full buffer; a failed read makes it bad too
// (where a plain buffer would look like the end of the input). error()
// holds the errno of the failure, 0 while there was none.
class FdStreamBuf : public std::streambuf {
public:
    explicit FdStreamBuf(int fd);
    ~FdStreamBuf() override;
    int error() const { return error_; }

protected:
    int_type underflow() override;
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool Flush();

    int fd_;
    int error_ = 0;
    char in_[1 << 16];
    char out_[1 << 16];
};
