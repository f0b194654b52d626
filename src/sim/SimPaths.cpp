#include "sim/SimPaths.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

namespace qmcal::sim {

namespace {

constexpr const char* kFileName = "Default.dat";
constexpr const char* kSubfolder = "qmcal";

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::vector<std::filesystem::path> DataFolders()
{
    std::vector<std::filesystem::path> folders;
    if (const std::string dataHome = Env("XDG_DATA_HOME"); !dataHome.empty())
        folders.emplace_back(dataHome);
    else if (const std::string home = Env("HOME"); !home.empty())
        folders.emplace_back(std::filesystem::path(home) / ".local" / "share");

    // Relative entries are skipped, as the base-directory rules ask.
    std::vector<std::filesystem::path> shared;
    const std::string dirs = Env("XDG_DATA_DIRS");
    for (std::size_t start = 0; start <= dirs.size();) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && dir.front() == '/')
            shared.emplace_back(dir);
        start = end + 1;
    }
    if (shared.empty())
        shared = {"/usr/local/share", "/usr/share"};
    folders.insert(folders.end(), shared.begin(), shared.end());
    return folders;
}

bool IsFile(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace

std::filesystem::path FindDefaultFile(const std::filesystem::path& exeFolder)
{
    if (const auto beside = exeFolder / kFileName; IsFile(beside))
        return beside;
    for (const auto& folder : DataFolders()) {
        if (const auto path = folder / kSubfolder / kFileName; IsFile(path))
            return path;
    }
    return {};
}

} // namespace qmcal::sim
