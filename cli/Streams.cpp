// SPDX-License-Identifier: GPL-3.0-or-later
#include "Streams.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <io.h>
#define read _read
#define write _write
#else
#include <unistd.h>
#endif

LineRead ReadLine(std::istream& in, std::string& line, std::size_t limit)
{
    line.clear();
    std::streambuf* buf = in.rdbuf();
    bool any = false, tooLong = false;
    for (;;) {
        std::istream::int_type c;
        try {
            c = buf->sbumpc();
        } catch (...) {
            in.setstate(std::ios::badbit);
            return LineRead::End;
        }
        if (std::istream::traits_type::eq_int_type(c, std::istream::traits_type::eof())) {
            in.setstate(std::ios::eofbit);
            if (!any)
                return LineRead::End;
            break;
        }
        any = true;
        const char ch = std::istream::traits_type::to_char_type(c);
        if (ch == '\n')
            break;
        if (tooLong)
            continue;
        // One byte more than allowed is kept, to tell a "\r" at the very end.
        if (line.size() == limit + 1)
            tooLong = true;
        else
            line += ch;
    }
    if (!tooLong && !line.empty() && line.back() == '\r')
        line.pop_back();
    if (tooLong || line.size() > limit) {
        line.resize(limit);
        return LineRead::TooLong;
    }
    return LineRead::Line;
}

std::string StreamErrorText(const std::ios& stream)
{
    const auto* fd = dynamic_cast<const FdStreamBuf*>(stream.rdbuf());
    const int error = fd ? fd->error() : 0;
    switch (error) {
    case 0: return "ошибка ввода-вывода";
    case EPIPE: return "канал закрыт читающей стороной";
    case ENOSPC: return "нет места на устройстве";
    case EISDIR: return "это каталог, а не файл";
    case EBADF: return "поток закрыт";
    case EIO: return "ошибка ввода-вывода";
#ifdef EDQUOT
    case EDQUOT: return "превышена квота диска";
#endif
    case EFBIG: return "файл слишком велик";
    case EACCES: case EPERM: return "нет доступа";
    default: return std::strerror(error);
    }
}

FdStreamBuf::FdStreamBuf(int fd) : fd_(fd)
{
    setg(in_, in_, in_);
    setp(out_, out_ + sizeof out_);
}

FdStreamBuf::~FdStreamBuf() { Flush(); }

FdStreamBuf::int_type FdStreamBuf::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    for (;;) {
        const auto n = ::read(fd_, in_, sizeof in_);
        if (n > 0) {
            setg(in_, in_, in_ + n);
            return traits_type::to_int_type(*gptr());
        }
        if (n == 0)
            return traits_type::eof();
        if (errno == EINTR)
            continue;
        error_ = errno;
        // The stream turns this into badbit: a read error is not the end.
        throw std::runtime_error("read");
    }
}

bool FdStreamBuf::Flush()
{
    const char* p = pbase();
    while (p < pptr()) {
        const auto n = ::write(fd_, p, static_cast<unsigned>(pptr() - p));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = errno;
            setp(out_, out_ + sizeof out_);
            return false;
        }
        p += n;
    }
    setp(out_, out_ + sizeof out_);
    return true;
}

FdStreamBuf::int_type FdStreamBuf::overflow(int_type c)
{
    if (error_ != 0 || !Flush())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FdStreamBuf::sync() { return error_ == 0 && Flush() ? 0 : -1; }
