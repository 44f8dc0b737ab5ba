// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli when its streams fail or its input is hostile: a failed write
// or read stops it at once with status 4 and one line saying why, lines
// and arguments longer than the limit are refused without being kept, and
// what it echoes acts on no terminal and runs in no spreadsheet.
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <string>
#include <vector>

#if defined(__unix__)
#include <fcntl.h>
#include <unistd.h>
#endif

#include "CliTestSupport.h"
#include "Command.h"

namespace {

using clitest::Ran;
using clitest::RunToFd;

// ------------------------------------------------------------ lines

struct LineCase {
    const char* what;
    std::string input;
    std::vector<std::string> lines;  // "!" + start for a line that was too long
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.what; }

class Lines : public testing::TestWithParam<LineCase> {};
TEST_P(Lines, AreReadWithinTheLimit)
{
    std::istringstream in(GetParam().input);
    std::vector<std::string> got;
    std::string line;
    for (LineRead r; (r = ReadLine(in, line, 5)) != LineRead::End;)
        got.push_back(r == LineRead::TooLong ? "!" + line : line);
    EXPECT_EQ(got, GetParam().lines);
    EXPECT_FALSE(in.bad());
}
INSTANTIATE_TEST_SUITE_P(Limit5, Lines, testing::ValuesIn(std::vector<LineCase>{
    {"plain", "a\nbb\n", {"a", "bb"}},
    {"no end at the end", "a\nbb", {"a", "bb"}},
    {"crlf", "a\r\nbb\r\n", {"a", "bb"}},
    {"blank lines kept", "\n\na\n", {"", "", "a"}},
    {"exactly the limit", "12345\n12345\r\n", {"12345", "12345"}},
    {"one above", "123456\nx\n", {"!12345", "x"}},
    {"far above, no end", std::string(100000, '7'), {"!77777"}},
    {"far above, then more", std::string(100000, '7') + "\r\nend\n", {"!77777", "end"}},
}));

TEST(Lines, AnArgumentAboveTheLimitIsRefusedUnread)
{
    std::istringstream in;
    std::ostringstream out, err;
    const std::string huge = std::string(5000, '1') + "H7";
    EXPECT_EQ(RunCli({"--json", huge, "25H7"}, in, out, err), kExitInvalid);
    std::istringstream lines(out.str());
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_NE(first.find("\"error\": \"Обозначение длиннее 1000 знаков"), std::string::npos) << first;
    EXPECT_LT(first.size(), 200u);
    EXPECT_EQ(second.rfind("{\"designation\": \"25H7\"", 0), 0u) << second;
}

// ------------------------------------------------------------ echoes

TEST(Echoes, CsvCellsCarryNoControlBytesAndRunNoFormula)
{
    std::istringstream in;
    std::ostringstream out, err;
    const std::vector<std::string> typed = {
        "=1+2", "\xC2\xA0=1", " \t-1", "\xEF\xBC\x9D" "1", "\xEF\xBC\x8B" "1", "\xEF\xBC\x8D" "1", "\xEF\xBC\xA0" "x",
        std::string("\0=1", 3), "\x1B[2J", "a\tb", "\x7F"};
    std::vector<std::string> args = {"--csv", "--"};
    args.insert(args.end(), typed.begin(), typed.end());
    RunCli(args, in, out, err);
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);  // the header
    for (size_t i = 0; i < typed.size(); ++i) {
        ASSERT_TRUE(std::getline(lines, line));
        for (const char c : line)
            EXPECT_FALSE((static_cast<unsigned char>(c) < 0x20 && c != '\r') || c == 0x7F) << i << ": " << line;
        const std::string cell = line.substr(0, line.find(';'));
        if (i < 8)
            EXPECT_EQ(cell.rfind("'", 0), 0u) << i << ": " << cell;
        else
            EXPECT_NE(cell.rfind("'", 0), 0u) << i << ": " << cell;
    }
}

TEST(Echoes, UnknownOptionsAreWrittenPrintable)
{
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"--j\x1B[2Json\a"}, in, out, err), kExitUsage);
    EXPECT_EQ(err.str().find('\x1B'), std::string::npos);
    EXPECT_EQ(err.str().find('\a'), std::string::npos);
    EXPECT_NE(err.str().find("неизвестный параметр"), std::string::npos);
}

#if defined(__unix__)

// ------------------------------------------------------------ failing streams

// Endless designations, counting how many lines were read.
class Endless : public std::streambuf {
public:
    long lines = 0;

protected:
    int_type underflow() override
    {
        ++lines;
        setg(line_, line_, line_ + 5);
        return traits_type::to_int_type(line_[0]);
    }

private:
    char line_[6] = "25H7\n";
};

TEST(FailingStreams, AFullDeviceStopsTheToolAtOnce)
{
    const int full = open("/dev/full", O_WRONLY);
    if (full < 0)
        GTEST_SKIP() << "no /dev/full";
    for (const char* format : {"--json", "--csv", "--version", "--help"}) {
        Endless source;
        std::istream in(&source);
        const Ran r = RunToFd(full, {format, "-"}, in);
        EXPECT_EQ(r.status, kExitIo) << format;
        EXPECT_EQ(r.err, "kalimar-cli: результаты не записаны: нет места на устройстве\n") << format;
        // One buffer of lines at most, then it stops reading.
        EXPECT_LT(source.lines, 5000) << format;
    }
    close(full);
}

TEST(FailingStreams, AClosedPipeStopsTheToolAtOnce)
{
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    Endless source;
    std::istream in(&source);
    const Ran r = RunToFd(ends[1], {"-"}, in);
    std::signal(SIGPIPE, previous);
    close(ends[1]);
    EXPECT_EQ(r.status, kExitIo);
    EXPECT_EQ(r.err, "kalimar-cli: результаты не записаны: канал закрыт читающей стороной\n");
    EXPECT_LT(source.lines, 5000);
}

TEST(FailingStreams, AnInputThatCannotBeReadIsNoEmptyInput)
{
    for (const char* path : {static_cast<const char*>("."), static_cast<const char*>(nullptr)}) {
        const int fd = path ? open(path, O_RDONLY) : 1000;  // a directory; a closed descriptor
        FdStreamBuf inBuf(fd);
        std::istream in(&inBuf);
        std::ostringstream out, err;
        EXPECT_EQ(RunCli({"25H7", "-"}, in, out, err), kExitIo);
        EXPECT_EQ(err.str(), std::string("kalimar-cli: ввод не прочитан: ")
                                 + (path ? "это каталог, а не файл" : "поток закрыт") + "\n");
        // What came before is answered.
        EXPECT_EQ(out.str().rfind("25H7: ES +21", 0), 0u) << out.str();
        if (path)
            close(fd);
    }
}

#endif

}  // namespace
