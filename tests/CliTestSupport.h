// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests of kalimar-cli share: running the tool without a process,
// an input that hands out one line per read, and the grammar of its JSON
// lines.
#pragma once

#include <algorithm>
#include <cctype>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "Cli.h"
#include "Streams.h"

namespace clitest {

struct Ran {
    int status;
    std::string out, err;
};

inline Ran RunWith(const std::vector<std::string>& args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunCli(args, in, out, err);
    return {status, out.str(), err.str()};
}

// Runs the tool with its results going to the file descriptor `fd` (a full
// device, a closed pipe); `out` stays empty.
inline Ran RunToFd(int fd, const std::vector<std::string>& args, std::istream& in)
{
    FdStreamBuf buffer(fd);
    std::ostream out(&buffer);
    std::ostringstream err;
    const int status = RunCli(args, in, out, err);
    return {status, {}, err.str()};
}

inline Ran RunToFd(int fd, const std::vector<std::string>& args)
{
    std::istringstream in;
    return RunToFd(fd, args, in);
}

// Hands out one line per read and notes how many results were written by then.
class LineByLine : public std::streambuf {
public:
    LineByLine(std::vector<std::string> lines, const std::ostringstream& out) : lines_(std::move(lines)), out_(out) {}
    std::vector<size_t> writtenBefore;

protected:
    int_type underflow() override
    {
        if (next_ == lines_.size())
            return traits_type::eof();
        const std::string written = out_.str();
        writtenBefore.push_back(static_cast<size_t>(std::count(written.begin(), written.end(), '\n')));
        current_ = lines_[next_++] + "\n";
        setg(current_.data(), current_.data(), current_.data() + current_.size());
        return traits_type::to_int_type(current_[0]);
    }

private:
    std::vector<std::string> lines_;
    const std::ostringstream& out_;
    size_t next_ = 0;
    std::string current_;
};

// A well-formed UTF-8 text, decoding each code point and checking its range.
inline bool WellFormedUtf8(const std::string& s)
{
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size())
            return false;
        unsigned long cp = n == 1 ? b : b & (0x7F >> n);
        for (int k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = cp << 6 | (c & 0x3F);
        }
        const unsigned long least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += static_cast<size_t>(n);
    }
    return true;
}

// RFC 8259 grammar of the values the tool writes (objects, strings, numbers,
// true, false, null),
// with its ": " and ", " between them. s[s.size()] is '\0' and stops every loop.
inline bool JsonString(const std::string& s, size_t& i)
{
    if (s[i++] != '"')
        return false;
    for (; i < s.size() && s[i] != '"'; ++i) {
        if (static_cast<unsigned char>(s[i]) < 0x20)
            return false;
        if (s[i] != '\\')
            continue;
        const char escaped = s[++i];
        if (escaped == 'u') {
            for (int k = 0; k < 4; ++k)
                if (!isxdigit(static_cast<unsigned char>(s[++i])))
                    return false;
        } else if (escaped == '\0' || std::string("\"\\/bfnrt").find(escaped) == std::string::npos) {
            return false;
        }
    }
    return s[i++] == '"';
}

inline bool JsonValue(const std::string& s, size_t& i)
{
    if (s[i] == '"')
        return JsonString(s, i);
    for (const std::string word : {"null", "true", "false"})
        if (s.compare(i, word.size(), word) == 0) {
            i += word.size();
            return true;
        }
    if (s[i] != '{') {
        const size_t start = i += s[i] == '-';
        while (isdigit(static_cast<unsigned char>(s[i])))
            ++i;
        if (i == start || (s[start] == '0' && i > start + 1))
            return false;
        const size_t fraction = i + 1;
        for (i += s[i] == '.'; isdigit(static_cast<unsigned char>(s[i]));)
            ++i;
        return s[fraction - 1] != '.' || i > fraction;
    }
    for (++i;; i += 2) {
        if (!JsonString(s, i) || s.compare(i, 2, ": ") != 0 || !JsonValue(s, i += 2))
            return false;
        if (s.compare(i, 2, ", ") != 0)
            return s[i++] == '}';
    }
}

// The lines of a text, without their "\n".
inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Input no command may trip on: `lines`, each byte but "\n" before `tail`,
// then 300 lines of random bytes. Each line with more than blanks in it gets
// one answer; `answered` counts them.
struct HostileText {
    std::string text;
    size_t answered = 0;
};

inline HostileText Hostile(std::vector<std::string> lines, const std::string& tail)
{
    for (int b = 1; b < 256; ++b)
        if (b != '\n')
            lines.push_back(std::string(1, static_cast<char>(b)) + tail);
    std::mt19937 random(286);
    for (int n = 0; n < 300; ++n) {
        std::string line(1 + random() % 40, ' ');
        for (char& c : line)
            c = static_cast<char>(random() % 255 + 1);
        lines.push_back(line);
    }
    HostileText input;
    for (std::string& line : lines) {
        line.erase(std::remove(line.begin(), line.end(), '\n'), line.end());
        input.text += line + "\n";
        input.answered += line.find_first_not_of(" \t\r") != std::string::npos;
    }
    return input;
}

inline bool ValidJsonLine(const std::string& line)
{
    size_t i = 0;
    return WellFormedUtf8(line) && line[0] == '{' && JsonValue(line, i) && i == line.size();
}

}  // namespace clitest
