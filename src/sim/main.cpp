// qmcal-sim: the simulated radio on a pseudo-terminal.

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include "qmcal/Version.h"
#include "sim/PtyHost.h"
#include "sim/SimFiles.h"
#include "sim/SimPaths.h"
#include "sim/SimRadio.h"
#include "sim/StdinWatch.h"
#include "sim/UnitVariation.h"

namespace {

using qmcal::sim::WireBytes;
using qmcal::sim::RadioMemory;

using qmcal::sim::ParamFile;

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Usage: qmcal-sim [options] [--]\n"
    "Simulates a QM6200 radio on a pseudo-terminal. The first line of output is the\n"
    "terminal's path: give it to the program as the port. Serves until interrupted or\n"
    "until standard input (a pipe or terminal) closes.\n"
    "\n"
    "  --memory FILE.dat   start from this parameter file's memory (default: Default.dat\n"
    "                      beside the executable, else qmcal/Default.dat in\n"
    "                      $XDG_DATA_HOME or $XDG_DATA_DIRS, varied a little per unit)\n"
    "  --seed N            which unit: the variation of the default memory (default 1;\n"
    "                      0 leaves the factory image as it is)\n"
    "  --save FILE.dat     write the memory as a parameter file on exit\n"
    "  --log FILE          write every frame received, in hex, one a line\n"
    "  --pace              pace replies at the line's speed (9600 baud, 10 bits a byte)\n"
    "  --silent-after N    stop answering after N frames\n"
    "  --hangup-after N    close the line after N frames\n"
    "  --garbage           answer every frame with wrong bytes\n"
    "  --short-replies     answer every frame one byte short\n"
    "  --no-reading        answer measurements with the acknowledgement alone\n"
    "  --forget-stores     acknowledge every store without keeping it\n"
    "  --help              show this text\n"
    "  --version           show the version\n"
    "Exit status: 0 done, 1 failed, 2 usage error.\n";

struct Options {
    std::string memoryPath;
    std::string savePath;
    std::string logPath;
    unsigned long seed = 1;
    bool pace = false;
    bool help = false;
    bool version = false;
    qmcal::sim::Faults faults;
};

std::optional<unsigned long> ParseCount(const std::string& text)
{
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoul(text);
}

bool ParseOptions(int argc, char** argv, Options& options, std::string& error)
{
    unsigned long silentAfter = 0;
    unsigned long hangupAfter = 0;
    const std::pair<const char*, std::string*> textOptions[] = {
        {"--memory", &options.memoryPath}, {"--save", &options.savePath}, {"--log", &options.logPath}};
    const std::pair<const char*, unsigned long*> countOptions[] = {
        {"--seed", &options.seed}, {"--silent-after", &silentAfter}, {"--hangup-after", &hangupAfter}};
    const std::pair<const char*, bool*> switches[] = {
        {"--help", &options.help},              {"--version", &options.version},
        {"--pace", &options.pace},              {"--garbage", &options.faults.garbage},
        {"--short-replies", &options.faults.shortReplies},
        {"--no-reading", &options.faults.noReading},
        {"--forget-stores", &options.faults.forgetStores}};

    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // The simulator takes no plain arguments, so nothing may follow the end of the options.
        if (arg == "--") {
            if (i + 1 < args.size()) {
                error = "unexpected argument " + args[i + 1];
                return false;
            }
            break;
        }
        auto is = [&arg](const auto& option) { return arg == option.first; };
        if (const auto s = std::find_if(std::begin(switches), std::end(switches), is);
            s != std::end(switches)) {
            *s->second = true;
            continue;
        }
        const auto text = std::find_if(std::begin(textOptions), std::end(textOptions), is);
        const auto count = std::find_if(std::begin(countOptions), std::end(countOptions), is);
        if (text == std::end(textOptions) && count == std::end(countOptions)) {
            error = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (text != std::end(textOptions)) {
            *text->second = value;
            continue;
        }
        const auto n = ParseCount(value);
        if (!n) {
            error = arg + " needs a whole number, not \"" + value + "\"";
            return false;
        }
        *count->second = *n;
        if (count->second == &silentAfter)
            options.faults.silentAfter = static_cast<int>(silentAfter);
        if (count->second == &hangupAfter)
            options.faults.hangupAfter = static_cast<int>(hangupAfter);
    }
    return true;
}

std::filesystem::path ExecutableFolder(const char* argv0)
{
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
    return std::filesystem::absolute(argv0, ec).parent_path();
}

std::string HexLine(const WireBytes& frame)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line;
    for (const std::uint8_t byte : frame) {
        if (!line.empty())
            line += ' ';
        line += kDigits[byte >> 4];
        line += kDigits[byte & 0x0F];
    }
    return line;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::cerr << "qmcal-sim: " << error << "\n" << kUsage;
        return kExitUsage;
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    if (options.version) {
        std::cout << "qmcal-sim " << qmcal::kVersion << "\n";
        return 0;
    }

    ParamFile start;
    std::string warning;
    if (!options.memoryPath.empty()) {
        auto file = qmcal::sim::LoadParamFile(options.memoryPath, error, warning);
        if (!file) {
            std::cerr << "qmcal-sim: " << error << "\n";
            return kExitFailed;
        }
        start = *file;
    } else {
        const auto found = qmcal::sim::FindDefaultFile(ExecutableFolder(argv[0]));
        if (found.empty())
            error = "no Default.dat beside qmcal-sim nor in qmcal/ under the data folders";
        auto file = found.empty() ? std::nullopt : qmcal::sim::LoadParamFile(found.string(), error, warning);
        if (file) {
            start = *file;
            qmcal::sim::VaryUnit(start.memory, options.seed);
        } else {
            std::cerr << "qmcal-sim: warning: " << error << "; the memory starts as zeros\n";
        }
    }
    if (!warning.empty())
        std::cerr << "qmcal-sim: warning: " << warning << "\n";

    std::ofstream log;
    if (!options.logPath.empty()) {
        log.open(options.logPath, std::ios::trunc);
        if (!log) {
            std::cerr << "qmcal-sim: cannot write " << options.logPath << "\n";
            return kExitFailed;
        }
    }

    // Signals are taken by sigwait below; every thread started from here on keeps them blocked.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    // Run in the background of an interactive shell, it must keep serving, not be stopped.
    std::signal(SIGTTIN, SIG_IGN);
    std::signal(SIGTTOU, SIG_IGN);

    qmcal::sim::SimRadio radio(start.memory);
    radio.FaultSettings() = options.faults;
    radio.SetLogLimit(0);  // --log and the odd-frame report are written as frames come
    if (log.is_open())
        radio.SetFrameObserver([&log](const WireBytes& frame) { log << HexLine(frame) << std::endl; });
    radio.SetViolationObserver(
        [](const std::string& text) { std::cerr << "qmcal-sim: odd frame: " << text << "\n"; });

    qmcal::sim::PtyHost host(std::move(radio), options.pace);
    if (!host.Start(&error)) {
        std::cerr << "qmcal-sim: cannot open a pseudo-terminal: " << error << "\n";
        return kExitFailed;
    }
    std::cout << host.SlavePath() << std::endl;

    if (qmcal::sim::StdinCanEnd()) {
        std::thread([] {
            qmcal::sim::WaitForStdinEnd();
            ::kill(::getpid(), SIGTERM);
        }).detach();
    }

    int received = 0;
    sigwait(&stopSignals, &received);
    host.Stop();

    start.memory = host.Memory();
    if (!options.savePath.empty() && !qmcal::sim::SaveParamFile(options.savePath, start, error)) {
        std::cerr << "qmcal-sim: " << error << "\n";
        return kExitFailed;
    }
    return 0;
}
