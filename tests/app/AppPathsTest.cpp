#include "shell/AppPaths.h"
#include "sim/SimPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <array>
#include <cstdlib>

#include <gtest/gtest.h>

namespace qmcal {
namespace {

TEST(AppPaths, ExeFolderKeepsItsTrailingSeparator)
{
    const struct {
        const char* exe;
        const char* folder;
    } cases[] = {
        {"/opt/qmcal/bin/qmcal", "/opt/qmcal/bin/"},
        {"/qmcal", "/"},
        {"qmcal", ""},  // no separator: files are taken relative to the current directory
        {"bin/qmcal", "bin/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExeFolderOf(QLatin1String(c.exe)), QLatin1String(c.folder)) << c.exe;
    EXPECT_EQ(DataFolder(QStringLiteral("/opt/qmcal/bin/")), QStringLiteral("/opt/qmcal/bin/DATA"));
}

TEST(AppPaths, DataFolderIsCreatedWhenMissingAndKeptWhenPresent)
{
    QTemporaryDir dir;
    const QString data = DataFolder(dir.path() + QLatin1Char('/'));
    EXPECT_TRUE(EnsureFolder(data));
    EXPECT_TRUE(QFileInfo(data).isDir());

    QFile kept(data + QStringLiteral("/Param.dat"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.close();
    EXPECT_TRUE(EnsureFolder(data));
    EXPECT_TRUE(kept.exists());

    // A plain file where the folder should be: reported, not replaced.
    QFile blocker(dir.filePath(QStringLiteral("other")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(EnsureFolder(blocker.fileName()));
    EXPECT_TRUE(QFileInfo(blocker.fileName()).isFile());
}


// Sets the home and XDG variables for one case and puts the caller's back afterwards.
class EnvironmentScope {
public:
    EnvironmentScope()
    {
        for (std::size_t i = 0; i < kNames.size(); ++i)
            m_saved[i] = qgetenv(kNames[i]);
    }
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;
    ~EnvironmentScope()
    {
        for (std::size_t i = 0; i < kNames.size(); ++i)
            Set(kNames[i], m_saved[i]);
    }

    // An empty value unsets the variable.
    static void Set(const char* name, const QByteArray& value)
    {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

private:
    static constexpr std::array<const char*, 4> kNames{"HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS",
                                                       "XDG_CONFIG_HOME"};
    std::array<QByteArray, 4> m_saved;
};

void Touch(const QString& path)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// Folders below are relative to a temporary root; the executable sits in "bin/", the home is
// "home". Every case must also be what qmcal-sim finds, by its own code.
TEST(AppPaths, ModeAndFoldersFollowDefaultDatBesideTheExecutableAndTheXdgVariables)
{
    const struct {
        const char* name;
        bool xdgSet;  // XDG_DATA_HOME=xdata, XDG_DATA_DIRS=sys1:sys2, XDG_CONFIG_HOME=xconfig
        std::vector<const char*> defaultDats;
        PathMode mode;
        const char* defaultFile;  // empty: none found
        const char* settingsFolder;
        const char* dataFolder;
    } cases[] = {
        {"beside wins over the data folders", true, {"bin/Default.dat", "sys1/qmcal/Default.dat"},
         PathMode::Portable, "bin/Default.dat", "bin/", "bin/DATA"},
        {"beside, no XDG variables", false, {"bin/Default.dat"},
         PathMode::Portable, "bin/Default.dat", "bin/", "bin/DATA"},
        {"installed: a later data dir", true, {"sys2/qmcal/Default.dat"},
         PathMode::Installed, "sys2/qmcal/Default.dat", "xconfig/qmcal/", "home/Documents/qmcal"},
        {"installed: the data home first", true, {"sys1/qmcal/Default.dat", "xdata/qmcal/Default.dat"},
         PathMode::Installed, "xdata/qmcal/Default.dat", "xconfig/qmcal/", "home/Documents/qmcal"},
        {"installed, no XDG variables: the home's defaults", false, {"home/.local/share/qmcal/Default.dat"},
         PathMode::Installed, "home/.local/share/qmcal/Default.dat", "home/.config/qmcal/",
         "home/Documents/qmcal"},
        {"installed, found nowhere", true, {"sys1/Default.dat", "xconfig/qmcal/Default.dat"},
         PathMode::Installed, "", "xconfig/qmcal/", "home/Documents/qmcal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        const QString exeFolder = root + QStringLiteral("bin/");
        ASSERT_TRUE(QDir().mkpath(exeFolder));
        for (const char* file : c.defaultDats)
            Touch(root + QLatin1String(file));
        const EnvironmentScope scope;
        EnvironmentScope::Set("HOME", QFile::encodeName(root + QStringLiteral("home")));
        EnvironmentScope::Set("XDG_DATA_HOME", c.xdgSet ? QFile::encodeName(root + QStringLiteral("xdata")) : "");
        EnvironmentScope::Set("XDG_DATA_DIRS",
                              c.xdgSet ? QFile::encodeName(root + QStringLiteral("sys1:") + root + QStringLiteral("sys2")) : "");
        EnvironmentScope::Set("XDG_CONFIG_HOME", c.xdgSet ? QFile::encodeName(root + QStringLiteral("xconfig")) : "");

        const AppLocations where = ResolveLocations(exeFolder);
        const QString expectedDefault = *c.defaultFile ? root + QLatin1String(c.defaultFile) : QString();
        EXPECT_EQ(where.mode, c.mode);
        EXPECT_EQ(where.exeFolder, exeFolder);
        EXPECT_EQ(where.defaultFile, expectedDefault);
        EXPECT_EQ(where.settingsFolder, root + QLatin1String(c.settingsFolder));
        EXPECT_EQ(where.dataFolder, root + QLatin1String(c.dataFolder));
        EXPECT_EQ(QString::fromStdString(sim::FindDefaultFile(exeFolder.toStdString()).string()), expectedDefault);

        // Nothing is created until start-up asks for it, and then only the mode's folders.
        EXPECT_FALSE(QFileInfo::exists(root + QLatin1String(c.settingsFolder) + QStringLiteral("Program.ini")));
        EXPECT_TRUE(PrepareLocations(where).isEmpty());
        EXPECT_TRUE(QFileInfo(where.settingsFolder).isDir());
        EXPECT_TRUE(QFileInfo(where.dataFolder).isDir());
        EXPECT_EQ(QFileInfo::exists(exeFolder + QStringLiteral("DATA")), c.mode == PathMode::Portable);
    }
}

// A cron job or a service may run with no usable home: unset, empty, relative or the root.
// Qt would then put the folders at the root or under the current folder; there is no home
// folder instead, said once, and nothing is created anywhere.
TEST(AppPaths, NoUsableHomeIsNoHomeFolder)
{
    const bool rootHad = QFileInfo::exists(QStringLiteral("/Documents")) || QFileInfo::exists(QStringLiteral("/.config/qmcal"));
    const QString cwd = QDir::currentPath();
    const char* homes[] = {nullptr, "", "home", "./home", "/", "//"};
    for (const char* home : homes) {
        SCOPED_TRACE(home == nullptr ? "unset" : home);
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        Touch(root + QStringLiteral("share/qmcal/Default.dat"));
        ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("bin")) && QDir().mkpath(root + QStringLiteral("cwd")));
        const EnvironmentScope scope;
        EnvironmentScope::Set("HOME", {});
        if (home != nullptr)
            ::setenv("HOME", home, 1);
        EnvironmentScope::Set("XDG_DATA_HOME", {});
        EnvironmentScope::Set("XDG_CONFIG_HOME", {});
        EnvironmentScope::Set("XDG_DATA_DIRS", QFile::encodeName(root + QStringLiteral("share")));
        ASSERT_TRUE(QDir::setCurrent(root + QStringLiteral("cwd")));

        const AppLocations where = ResolveLocations(root + QStringLiteral("bin/"));
        EXPECT_EQ(where.mode, PathMode::Installed);
        EXPECT_EQ(where.defaultFile, root + QStringLiteral("share/qmcal/Default.dat"));
        EXPECT_EQ(where.settingsFolder, QString());
        EXPECT_EQ(where.dataFolder, QString());
        EXPECT_EQ(PrepareLocations(where),
                  QStringList{QStringLiteral("No home folder to keep the settings and parameter files in")});
        QDir::setCurrent(cwd);
        EXPECT_EQ(QDir(root + QStringLiteral("cwd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList());
        EXPECT_EQ(QFileInfo::exists(QStringLiteral("/Documents")) || QFileInfo::exists(QStringLiteral("/.config/qmcal")),
                  rootHad);
    }
}

TEST(AppPaths, FoldersThatCannotBeMadeAreEachSaidOnce)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    Touch(root + QStringLiteral("file"));  // a plain file where a folder should go
    const QString blocked = root + QStringLiteral("file/qmcal");

    AppLocations portable;
    portable.dataFolder = blocked;
    EXPECT_EQ(PrepareLocations(portable), QStringList{"Cannot create the folder " + blocked});

    AppLocations installed;
    installed.mode = PathMode::Installed;
    installed.settingsFolder = root + QStringLiteral("config/qmcal/");
    installed.dataFolder = blocked;
    EXPECT_EQ(PrepareLocations(installed), QStringList{"Cannot create the folder " + blocked});
    EXPECT_TRUE(QFileInfo(installed.settingsFolder).isDir()) << "one failure does not stop the other folder";

    installed.settingsFolder.clear();  // no home folder at all
    installed.dataFolder.clear();
    EXPECT_EQ(PrepareLocations(installed).size(), 1);
}

} // namespace
} // namespace qmcal
