#include "DataTestSupport.h"

#include "data/ExportText.h"
#include "data/ParamFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qmcal {
namespace {

using namespace test;

TEST(ExportText, WholeFilesMatchTheGoldenExports)
{
    const struct {
        const char* golden;
        bool pattern;
    } cases[] = {{"zeros.txt", false}, {"pattern.txt", true}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        auto image = NewImageObject();
        if (c.pattern)
            FillPattern(image->ParamArea());
        image->IdBlock().fill(0xAB);  // the IdBlock plays no part
        const QString path = dir.filePath(QLatin1String(c.golden));
        ASSERT_TRUE(ExportText(*image, path).ok);
        const QByteArray expected = Golden(c.golden);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(ReadFileBytes(path), expected);
    }
}

TEST(ExportText, ClearsTheTailEvenWhenTheFileCannotBeWritten)
{
    QTemporaryDir dir;
    auto image = NewImageObject();
    image->ParamArea().fill(0x5C);
    const QString path = dir.filePath(QStringLiteral("missing/out.txt"));
    const FileResult r = ExportText(*image, path);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.messageText.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(image->ParamArea()[0xFCB0], 0);
    EXPECT_EQ(image->ParamArea()[0xFCFF], 0);
    EXPECT_EQ(image->ParamArea()[0xFD00], 0x5C);
}

} // namespace
} // namespace qmcal
