#include "DataTestSupport.h"

#include "data/ExportText.h"
#include "data/Layouts.h"
#include "data/ParamFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace qmcal {
namespace {

using namespace test;

constexpr qsizetype kFileSize = 69632;

class ParamFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    // A header with the right identifier but its own bytes 8..15, and the pattern elsewhere.
    static void FillImage(ParamImage& image)
    {
        for (std::size_t i = 0; i < kIdBlockSize; ++i)
            image.IdBlock()[i] = static_cast<std::uint8_t>(i * 13 + 5);
        std::copy_n(kIdHeader.begin(), kIdCompareLength, image.IdBlock().begin());
        FillPattern(image.ParamArea());
    }

    QTemporaryDir m_dir;
};

QString ErrnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

TEST_F(ParamFileTest, SaveAsWritesStampedBlockThenAreaAndOpenBringsItBack)
{
    auto image = NewImageObject();
    FillImage(*image);
    const QByteArray before = FileBytes(*image);
    ASSERT_TRUE(SaveImageFileAs(*image, Path("a.dat")).ok);

    QByteArray expected = before;
    expected.replace(0, 16, AsBytes(kIdHeader));
    expected.replace(kIdBlockSize + kClearedStart, kClearedLength, QByteArray(kClearedLength, '\0'));
    const QByteArray written = ReadFileBytes(Path("a.dat"));
    EXPECT_EQ(written.size(), kFileSize);
    EXPECT_EQ(written, expected);
    EXPECT_EQ(FileBytes(*image), expected);  // the stamp and the clearing stay in memory

    auto loaded = NewImageObject();
    ASSERT_TRUE(OpenImageFile(*loaded, Path("a.dat")).ok);
    EXPECT_EQ(FileBytes(*loaded), expected);
    EXPECT_EQ(loaded->ReferenceArea(), AreaBytes{});  // Open leaves the reference area alone
}

TEST_F(ParamFileTest, SaveKeepsTheLoadedHeader)
{
    auto image = NewImageObject();
    FillImage(*image);
    const QByteArray header = AsBytes(image->IdBlock()).left(16);
    ASSERT_TRUE(SaveImageFile(*image, Path("a.dat")).ok);
    const QByteArray written = ReadFileBytes(Path("a.dat"));
    EXPECT_EQ(written.size(), kFileSize);
    EXPECT_EQ(written.left(16), header);
    EXPECT_NE(header, AsBytes(kIdHeader));
}

TEST_F(ParamFileTest, OpenRefusesAWrongIdentifierAndChangesNothing)
{
    const struct {
        const char* name;
        QByteArray head;
        const char* after = "";  // what follows the described text
    } cases[] = {
        {"8th byte not FF", QByteArray("QM6200P\x00", 8)},
        {"other model", QByteArray("QM6200Q\xFF", 8)},
        {"lower case", QByteArray("qm6200p\xFF", 8)},
        {"shorter than the identifier", QByteArray("QM620")},
        {"empty file", QByteArray(), " (the file is empty)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto image = NewImageObject();
        FillImage(*image);  // already holds the identifier, which must not help a short file
        image->ReferenceArea().fill(0x5A);
        const QByteArray before = FileBytes(*image);
        QByteArray file = c.head;
        if (file.size() >= 8)
            file += QByteArray(kFileSize - 8, '\x11');
        ASSERT_TRUE(WriteFileBytes(Path("x.dat"), file));

        const FileResult r = OpenImageFile(*image, Path("x.dat"));
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.messageText, QStringLiteral("文件不匹配") + QLatin1String(c.after));
        EXPECT_EQ(FileBytes(*image), before);
        EXPECT_EQ(image->ReferenceArea()[0xF400], 0x5A);
    }
}

// A file is loaded whole or not at all: a short one would leave the rest of the image as the
// previous file had it, part one unit's and part another's. A longer one gives its first bytes.
TEST_F(ParamFileTest, ShortFilesAreRefusedAndLongOnesLoadTheirFirstBytes)
{
    const struct {
        qsizetype size;
        const char* text;  // the refusal, or the note on a longer file
    } cases[] = {
        {8, "8 bytes, a parameter file has 69632"},
        {4096, "4096 bytes, a parameter file has 69632"},
        {4096 + 100, "4196 bytes, a parameter file has 69632"},
        {kFileSize - 1, "69631 bytes, a parameter file has 69632"},
        {kFileSize, ""},
        {kFileSize + 50, "69682 bytes, a parameter file has 69632; the rest was ignored"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        QByteArray file(c.size, '\x77');
        file.replace(0, 8, AsBytes(kIdHeader).left(8));
        ASSERT_TRUE(WriteFileBytes(Path("s.dat"), file));
        const bool whole = c.size >= kFileSize;

        for (bool viaNew : {false, true}) {
            auto image = NewImageObject();
            image->IdBlock().fill(0x22);
            image->ParamArea().fill(0x33);
            image->ReferenceArea().fill(0x44);
            const FileResult r = viaNew ? NewImage(*image, Path("s.dat")) : OpenImageFile(*image, Path("s.dat"));
            EXPECT_EQ(r.ok, whole) << (viaNew ? "New" : "Open");
            EXPECT_EQ(r.messageText, QLatin1String(c.text));

            const QByteArray before = QByteArray(kIdBlockSize, '\x22') + QByteArray(kParamAreaSize, '\x33');
            EXPECT_EQ(FileBytes(*image), whole ? file.left(kFileSize) : before) << (viaNew ? "New" : "Open");
            EXPECT_EQ(image->ReferenceArea()[0], whole && viaNew ? 0x77 : 0x44);
        }
    }
}

TEST_F(ParamFileTest, NewLoadsAnyIdentifierAndFillsTheReferenceArea)
{
    auto source = NewImageObject();
    FillImage(*source);
    source->IdBlock()[7] = 0x00;
    ASSERT_TRUE(WriteFileBytes(Path("Default.dat"), FileBytes(*source)));

    auto image = NewImageObject();
    EXPECT_TRUE(NewImage(*image, DefaultFilePath(m_dir.path() + QLatin1Char('/'))).ok);
    EXPECT_EQ(FileBytes(*image), FileBytes(*source));
    EXPECT_EQ(image->ReferenceArea(), source->ParamArea());
}

TEST_F(ParamFileTest, NewWithoutDefaultFileChangesNothing)
{
    auto image = NewImageObject();
    FillImage(*image);
    image->ReferenceArea().fill(0x44);
    const QByteArray before = FileBytes(*image);
    EXPECT_FALSE(NewImage(*image, Path("missing.dat")).ok);
    EXPECT_EQ(FileBytes(*image), before);
    EXPECT_EQ(image->ReferenceArea()[0], 0x44);
}

TEST_F(ParamFileTest, FailuresCarryTheSystemText)
{
    ASSERT_TRUE(WriteFileBytes(Path("plain"), "x"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    auto image = NewImageObject();
    FillImage(*image);
    image->ParamArea()[0xFCB0] = 0x99;

    EXPECT_EQ(OpenImageFile(*image, Path("missing.dat")).messageText, ErrnoText(ENOENT));
    const FileResult save = SaveImageFile(*image, Path("plain/a.dat"));
    EXPECT_FALSE(save.ok);
    EXPECT_FALSE(save.messageText.isEmpty());
    EXPECT_EQ(image->ParamArea()[0xFCB0], 0);  // the clearing stands after a failed save
    const FileResult saveAs = SaveImageFileAs(*image, Path("folder"));
    EXPECT_FALSE(saveAs.ok);
    EXPECT_FALSE(saveAs.messageText.isEmpty());
    EXPECT_TRUE(QFileInfo(Path("folder")).isDir());

    QFile never;
    EXPECT_EQ(SystemErrorText(never), QStringLiteral("Sorry, error not find."));
}

// A write that fails half-way must leave the previous file as it was, and say why.
TEST_F(ParamFileTest, WriteFailingHalfWayKeepsThePreviousFile)
{
    const struct {
        const char* name;
        FileResult (*write)(ParamImage&, const QString&);
    } writers[] = {
        {"Save", &SaveImageFile},
        {"Save As", &SaveImageFileAs},
        {"Export", &ExportText},
    };
    for (const auto& w : writers) {
        SCOPED_TRACE(w.name);
        auto image = NewImageObject();
        FillImage(*image);
        ASSERT_TRUE(w.write(*image, Path("keep")).ok);
        const QByteArray previous = ReadFileBytes(Path("keep"));

        image->ParamArea().fill(0x66);
        image->IdBlock()[8] = 0x01;
        FileResult r;
        {
            FileSizeLimit limit(5000);
            ASSERT_TRUE(limit.Ok());
            r = w.write(*image, Path("keep"));
        }
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.messageText, ErrnoText(EFBIG));
        EXPECT_EQ(ReadFileBytes(Path("keep")), previous);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep")});
        EXPECT_EQ(image->IdBlock()[8], 0x01);  // a failed Save As stamps nothing
    }
}

} // namespace
} // namespace qmcal
