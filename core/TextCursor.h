// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a typed text from left to right: the designations, a drawing's
// deviations. Plain C++17, no Qt.
#pragma once

#include <cstddef>
#include <string_view>

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsLatinLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

class TextCursor {
public:
    explicit TextCursor(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    // The byte `ahead` places on, '\0' past the end.
    char PeekAt(std::size_t ahead) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
    std::size_t Position() const { return pos_; }
    bool Take(std::string_view s)
    {
        if (text_.substr(pos_, s.size()) != s)
            return false;
        pos_ += s.size();
        return true;
    }
    std::string_view TakeWhile(bool (*belongs)(char))
    {
        const std::size_t start = pos_;
        while (!AtEnd() && belongs(text_[pos_]))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }
    // Spaces, tabs and no-break spaces.
    void SkipBlanks()
    {
        while (Take(" ") || Take("\t") || Take("\xC2\xA0")) {
        }
    }
    // A letter of U+0400..U+04FF: a Russian keyboard types "Н7" for "H7".
    bool AtCyrillic() const
    {
        if (text_.size() - pos_ < 2)
            return false;
        const auto lead = static_cast<unsigned char>(text_[pos_]);
        const auto next = static_cast<unsigned char>(text_[pos_ + 1]);
        return lead >= 0xD0 && lead <= 0xD3 && (next & 0xC0) == 0x80;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};
