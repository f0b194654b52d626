// qmcal-sim as a user runs it: options, files, the path on the first line, the exit.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "HexBytes.h"
#include "PtyClient.h"
#include "qmcal/Version.h"

extern char** environ;

namespace qmcal::sim {
namespace {

using test::Hex;
using test::PtyClient;
using test::ToHex;
namespace fs = std::filesystem;

constexpr std::size_t kIdBlockSize = 4096;
constexpr std::size_t kFileSize = kIdBlockSize + 65536;

// qmcal-sim with pipes on its standard streams.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args)
    {
        int in[2], out[2], err[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0 || ::pipe(err) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        for (int fd : {in[1], out[0], err[0]})
            posix_spawn_file_actions_addclose(&actions, fd);
        std::vector<std::string> all{std::string(QMCAL_BIN_DIR) + "/qmcal-sim"};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        ::close(err[1]);
        m_in = in[1];
        m_out = out[0];
        m_err = err[0];
    }
    ~SimProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            Wait();
        }
        for (int fd : {m_in, m_out, m_err})
            if (fd >= 0)
                ::close(fd);
    }

    // The first line of standard output, or empty when the process ends without one.
    std::string FirstLine()
    {
        std::string line;
        char c = 0;
        while (Ready(m_out) && ::read(m_out, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }
    // Closing standard input is the polite way to end it.
    void CloseInput()
    {
        ::close(m_in);
        m_in = -1;
    }
    int Wait()
    {
        int status = 0;
        if (m_pid > 0 && ::waitpid(m_pid, &status, 0) == m_pid)
            m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Errors()
    {
        std::string text;
        char buffer[256];
        while (Ready(m_err)) {
            const auto n = ::read(m_err, buffer, sizeof buffer);
            if (n <= 0)
                break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
        return text;
    }

private:
    static bool Ready(int fd) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, 10000) > 0;
    }

    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    int m_err = -1;
};

std::vector<std::uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class SimProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("qmcal-sim-test-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
};

TEST_F(SimProcessTest, ServesTheMemoryFileSavesItAndLogsEveryFrame)
{
    std::vector<std::uint8_t> file(kFileSize);
    for (std::size_t i = 0; i < file.size(); ++i)
        file[i] = static_cast<std::uint8_t>(i * 7 + i / 4096);
    const fs::path memoryPath = m_dir / "in.dat";
    WriteFile(memoryPath, file);
    const fs::path savePath = m_dir / "out.dat";
    const fs::path logPath = m_dir / "frames.log";

    SimProcess sim({"--memory", memoryPath.string(), "--save", savePath.string(), "--log",
                    logPath.string()});
    const std::string path = sim.FirstLine();
    ASSERT_FALSE(path.empty()) << sim.Errors();
    {
        PtyClient client(path);
        ASSERT_TRUE(client.IsOpen()) << path;
        client.Write(Hex("57 00 00 00"));
        EXPECT_EQ(ToHex(client.Read(4)), "52 00 41 00");
        client.Write(Hex("57 FF FF 03 00 F4 08"));
        const auto reply = client.Read(12);
        ASSERT_EQ(reply.size(), 12u);
        EXPECT_TRUE(std::equal(reply.begin() + 4, reply.end(), file.begin() + kIdBlockSize + 0xF400));
        client.Write(Hex("57 FF 00 05 E5 F7 01 02 03"));
        EXPECT_EQ(ToHex(client.Read(4)), "52 00 41 00");
    }
    sim.CloseInput();
    EXPECT_EQ(sim.Wait(), 0);

    auto expected = file;
    for (std::size_t i = 0; i < 3; ++i)
        expected[kIdBlockSize + 0xF7E5 + i] = static_cast<std::uint8_t>(i + 1);
    EXPECT_TRUE(ReadFile(savePath) == expected) << "saved file differs";
    const auto log = ReadFile(logPath);
    EXPECT_EQ(std::string(log.begin(), log.end()),
              "57 00 00 00\n57 FF FF 03 00 F4 08\n57 FF 00 05 E5 F7 01 02 03\n");
}

TEST_F(SimProcessTest, RefusesBadOptionsAndShortFiles)
{
    const fs::path shortPath = m_dir / "short.dat";
    WriteFile(shortPath, std::vector<std::uint8_t>(kFileSize - 1));
    const fs::path fifoPath = m_dir / "fifo";
    ASSERT_EQ(::mkfifo(fifoPath.c_str(), 0600), 0);
    const std::string version = std::string("qmcal-sim ") + kVersion;
    const struct {
        std::vector<std::string> args;
        int status;  // 1 failed, 2 usage error
        std::string firstLine;
    } cases[] = {
        {{"--memory", shortPath.string()}, 1, ""},
        {{"--memory", (m_dir / "missing.dat").string()}, 1, ""},
        // Neither blocks on a pipe nor reads without end nor aborts on a folder.
        {{"--memory", fifoPath.string()}, 1, ""},
        {{"--memory", "/dev/zero"}, 1, ""},
        {{"--memory", m_dir.string()}, 1, ""},
        {{"--silent-after", "many"}, 2, ""},
        {{"--hangup-after"}, 2, ""},
        {{"--frobnicate"}, 2, ""},
        {{"--", "x.dat"}, 2, ""},
        {{"--version"}, 0, version},
    };
    for (const auto& c : cases) {
        SimProcess sim(c.args);
        EXPECT_EQ(sim.FirstLine(), c.firstLine) << c.args[0];
        EXPECT_EQ(sim.Wait(), c.status) << c.args[0];
        EXPECT_EQ(sim.Errors().find("qmcal-sim: ") != std::string::npos, c.status != 0) << c.args[0];
    }
}

// --save keeps what it writes to what it was: a pipe and a device are written in place, a
// link's target gets the bytes, a file keeps its mode. A longer --memory file is used and said.
TEST_F(SimProcessTest, SaveWritesLikeTheProgram)
{
    std::vector<std::uint8_t> memory(kFileSize + 10);
    for (std::size_t i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<std::uint8_t>(i * 3 + 1);
    const fs::path memoryPath = m_dir / "long.dat";
    WriteFile(memoryPath, memory);
    const std::vector<std::uint8_t> saved(memory.begin(), memory.begin() + kFileSize);
    const bool devices = ::mknod((m_dir / "probe").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;

    const struct {
        const char* name;
        const char* target;  // what --save names
        void (*prepare)(const fs::path& dir);
        int status;
        std::string said;
        void (*check)(const fs::path& dir, const std::vector<std::uint8_t>& saved, const std::string& piped);
        bool device = false;
    } cases[] = {
        {"link", "link", [](const fs::path& d) { fs::create_symlink("real.dat", d / "link"); }, 0, "",
         [](const fs::path& d, const std::vector<std::uint8_t>& s, const std::string&) {
             EXPECT_TRUE(fs::is_symlink(d / "link"));
             EXPECT_TRUE(ReadFile(d / "real.dat") == s);
         }},
        {"mode", "mode.dat",
         [](const fs::path& d) {
             WriteFile(d / "mode.dat", {1, 2, 3});
             fs::permissions(d / "mode.dat", fs::perms(0640));
         },
         0, "",
         [](const fs::path& d, const std::vector<std::uint8_t>& s, const std::string&) {
             EXPECT_EQ(fs::status(d / "mode.dat").permissions(), fs::perms(0640));
             EXPECT_TRUE(ReadFile(d / "mode.dat") == s);
         }},
        {"pipe", "fifo", [](const fs::path& d) { ASSERT_EQ(::mkfifo((d / "fifo").c_str(), 0600), 0); }, 0, "",
         [](const fs::path& d, const std::vector<std::uint8_t>& s, const std::string& piped) {
             EXPECT_TRUE(fs::is_fifo(d / "fifo"));
             EXPECT_TRUE(piped == std::string(s.begin(), s.end())) << piped.size();
         }},
        {"full device", "full",
         [](const fs::path& d) { ASSERT_EQ(::mknod((d / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0); }, 1,
         "No space left on device",
         [](const fs::path& d, const std::vector<std::uint8_t>&, const std::string&) {
             EXPECT_TRUE(fs::is_character_file(d / "full"));
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.device && !devices)
            continue;  // no device nodes may be made here
        c.prepare(m_dir);
        SimProcess sim({"--memory", memoryPath.string(), "--save", (m_dir / c.target).string()});
        ASSERT_FALSE(sim.FirstLine().empty());
        std::string piped;
        std::thread reader;
        if (fs::is_fifo(m_dir / c.target)) {
            reader = std::thread([&piped, path = m_dir / c.target] {
                const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
                pollfd ready{fd, POLLIN, 0};
                char buffer[4096];
                while (fd >= 0 && ::poll(&ready, 1, 10000) > 0) {
                    const ssize_t n = ::read(fd, buffer, sizeof buffer);
                    if (n <= 0)
                        break;
                    piped.append(buffer, static_cast<std::size_t>(n));
                }
                ::close(fd);
            });
        }
        sim.CloseInput();
        EXPECT_EQ(sim.Wait(), c.status);
        if (reader.joinable())
            reader.join();
        const std::string errors = sim.Errors();
        EXPECT_NE(errors.find("69642 bytes, a parameter file has 69632; the rest was ignored"), std::string::npos) << errors;
        EXPECT_NE(errors.find(c.said), std::string::npos) << errors;
        c.check(m_dir, saved, piped);
        for (const auto& entry : fs::directory_iterator(m_dir))
            EXPECT_EQ(entry.path().filename().string().find(".qmcal-sim-"), std::string::npos) << entry.path();
    }
}

// Each unit differs a little from the factory image, always inside the values' ranges.
TEST_F(SimProcessTest, DefaultMemoryIsTheFactoryImageVariedPerUnit)
{
    const fs::path factoryPath = fs::path(QMCAL_BIN_DIR) / "Default.dat";
    if (!fs::exists(factoryPath))
        GTEST_SKIP() << "no factory image in the build";
    const auto factory = ReadFile(factoryPath);
    ASSERT_EQ(factory.size(), kFileSize);

    auto saved = [&](const std::string& seed) {
        const fs::path out = m_dir / ("unit" + seed + ".dat");
        SimProcess sim({"--seed", seed, "--save", out.string()});
        EXPECT_FALSE(sim.FirstLine().empty());
        sim.CloseInput();
        EXPECT_EQ(sim.Wait(), 0);
        return ReadFile(out);
    };
    EXPECT_TRUE(saved("0") == factory) << "seed 0 is the factory image itself";

    const auto unit = saved("7");
    ASSERT_EQ(unit.size(), kFileSize);
    EXPECT_TRUE(std::equal(factory.begin(), factory.begin() + kIdBlockSize, unit.begin()));
    struct Range {
        std::size_t start, end, width;
        int maximum;
    };
    // Power bytes; SQL and RSSI words, but not the Rx Tuning words between them.
    const Range varied[] = {{0xF400, 0xF668, 1, 0xFF}, {0xFB48, 0xFC24, 2, 0x3FFF},
                            {0xFC50, 0xFCA8, 2, 0x3FFF}};
    auto value = [](const std::vector<std::uint8_t>& f, std::size_t a, std::size_t width) {
        const std::size_t at = kIdBlockSize + a;
        return width == 1 ? f[at] : f[at] | (f[at + 1] << 8);
    };
    int changed = 0;
    for (std::size_t a = 0; a < 65536; ++a) {
        const Range* range = nullptr;
        for (const Range& r : varied)
            if (a >= r.start && a < r.end)
                range = &r;
        if (range == nullptr) {
            EXPECT_EQ(unit[kIdBlockSize + a], factory[kIdBlockSize + a]) << std::hex << a;
            continue;
        }
        if ((a - range->start) % range->width != 0)
            continue;
        const int before = value(factory, a, range->width);
        const int after = value(unit, a, range->width);
        EXPECT_LE(std::abs(after - before), 2) << std::hex << a;
        if (before <= range->maximum) {
            EXPECT_LE(after, range->maximum) << std::hex << a;
        }
        changed += after != before;
    }
    EXPECT_GT(changed, 50);
    EXPECT_TRUE(saved("7") == unit) << "the same seed gives the same unit";
}

} // namespace
} // namespace qmcal::sim
