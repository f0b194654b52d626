// Dialog templates as data: loading, and dialog units to pixels the way the platform maps them.

#include <QFontInfo>
#include <QFontMetrics>
#include <QRawFont>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "widgets/DialogTemplate.h"

namespace qmcal::test {
namespace {

TEST(DialogTemplate, DialogUnitsFollowTheFontsAverageLetterWidthAndHeight)
{
    const QFont font(QStringLiteral("Times New Roman"), 9);
    const QFontMetrics metrics(font);
    const int letterWidth = static_cast<int>(
        std::lround(metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0));

    // Four horizontal units are one average letter, eight vertical units one line.
    EXPECT_EQ(DialogUnitsToPixels(QRect(0, 0, 4, 8), font), QRect(0, 0, letterWidth, metrics.height()));
    EXPECT_EQ(DialogUnitsToPixels(QSize(400, 800), font), QSize(100 * letterWidth, 100 * metrics.height()));

    // Edges are mapped one by one, so controls that touch in units touch in pixels.
    for (int x = 0; x < 40; ++x) {
        const QRect left = DialogUnitsToPixels(QRect(x, 3, 7, 5), font);
        const QRect right = DialogUnitsToPixels(QRect(x + 7, 8, 5, 9), font);
        EXPECT_EQ(left.right() + 1, right.left()) << x;
        EXPECT_EQ(left.bottom() + 1, right.top()) << x;
    }
}

// The templates' Windows fonts come out as installed families whose base units stay near the
// originals', and the font of the Chinese pages draws Chinese itself.
TEST(DialogTemplate, TemplateFontsStandInWithSimilarBaseUnits)
{
    InstallDialogFontSubstitutes();
    const struct {
        const char* family;
        int pointSize;
        QSize baseUnits;  // the original's, at 96 dpi
        const char* text;
    } cases[] = {
        {"宋体", 10, {7, 14}, "文件不匹配 请先结束PTT或开始命令: Power"},
        {"MS Sans Serif", 8, {6, 13}, "Debug Parameter"},
        {"Times New Roman", 9, {7, 14}, "Port Setting"},
    };
    for (const auto& c : cases) {
        const QString family = QString::fromUtf8(c.family);
        SCOPED_TRACE(c.family);
        const QFont font(family, c.pointSize);
        const QString used = QFontInfo(font).family();
        EXPECT_TRUE(used == family || QFont::substitutes(family).contains(used, Qt::CaseInsensitive))
            << used.toStdString() << ": are the fonts of scripts/deps.sh installed?";
        const QSize base = DialogUnitsToPixels(QSize(4, 8), font);
        EXPECT_NEAR(base.width(), c.baseUnits.width(), 0);
        EXPECT_NEAR(base.height(), c.baseUnits.height(), 1);
        const QRawFont raw = QRawFont::fromFont(font);
        for (const QChar ch : QString::fromUtf8(c.text)) {
            EXPECT_TRUE(raw.supportsCharacter(ch)) << QString(ch).toStdString();
        }
    }
}

TEST(DialogTemplate, ExtremeRectanglesMapWithinAWidgetsRange)
{
    // Edges two thousand million units apart: neither the width in units nor the one in pixels
    // fits an int.
    const QRect pixels = DialogUnitsToPixels(QRect(QPoint(-2000000000, 0), QPoint(2000000000, 7)),
                                             QFont(QStringLiteral("Times New Roman"), 9));
    EXPECT_LT(pixels.left(), 0);
    EXPECT_GT(pixels.right(), 0);
    EXPECT_LE(pixels.width(), 2 * QWIDGETSIZE_MAX);
}

TEST(DialogTemplate, BuildsControlsAtTheirPixelRectangles)
{
    const DialogTemplate dialog = LoadDialogTemplate(QStringLiteral(":/res/MainDialog.json"));
    QWidget parent;
    const DialogControls controls = BuildDialogControls(parent, dialog);
    auto* port = controls.Get<QLineEdit>(1030);
    ASSERT_NE(port, nullptr);
    EXPECT_TRUE(port->isReadOnly());
    EXPECT_EQ(port->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(port->geometry(), DialogUnitsToPixels(QRect(91, 7, 38, 12), DialogFont(dialog)));
    EXPECT_FALSE(controls.Widget(1098)->isVisibleTo(&parent));
    EXPECT_EQ(controls.Widget(4242), nullptr);
}

TEST(DialogTemplate, AMalformedTemplateIsRefused)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        const char* json;
        const char* says = nullptr;  // part of the error text
    } cases[] = {
        {"not JSON", "{"},
        {"unknown kind", R"({"size":[10,10],"font":{"family":"X","pointSize":8},"controls":[{"kind":"Slider","rect":[0,0,1,1]}]})"},
        {"short rect", R"({"size":[10,10],"font":{"family":"X","pointSize":8},"controls":[{"kind":"Edit","rect":[0,0,1]}]})"},
        {"no font", R"({"size":[10,10],"controls":[]})"},
        // Values whose edges or pixels would not fit an int, and values no template holds.
        {"right edge beyond int", R"({"size":[10,10],"font":{"family":"X","pointSize":8},"controls":[{"kind":"Edit","rect":[2147483647,0,2,1]}]})",
         "control 0: 2147483647 is not a whole number of dialog units from -32768 to 32767"},
        {"pixel width beyond int", R"({"size":[10,10],"font":{"family":"X","pointSize":8},"controls":[{"kind":"Edit","rect":[-1000000000,0,2100000000,1]}]})"},
        {"x beyond 16 bits", R"({"size":[10,10],"font":{"family":"X","pointSize":8},"controls":[{"kind":"Edit","rect":[32768,0,1,1]}]})"},
        {"negative width", R"({"size":[10,10],"font":{"family":"X","pointSize":8},"controls":[{"kind":"Edit","rect":[0,0,-1,1]}]})"},
        {"fraction", R"({"size":[10,10],"font":{"family":"X","pointSize":8},"controls":[{"kind":"Edit","rect":[0,0.5,1,1]}]})"},
        {"size beyond 16 bits", R"({"size":[5000000000,10],"font":{"family":"X","pointSize":8},"controls":[]})"},
        {"huge font", R"({"size":[10,10],"font":{"family":"X","pointSize":100000},"controls":[]})",
         "point size from 1 to 72"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QLatin1String(c.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.json);
        file.close();
        EXPECT_THROW(LoadDialogTemplate(path), std::runtime_error) << c.name;
        if (c.says != nullptr) {
            try {
                LoadDialogTemplate(path);
            } catch (const std::runtime_error& error) {
                EXPECT_THAT(error.what(), ::testing::HasSubstr(c.says)) << c.name;
            }
        }
    }
    EXPECT_THROW(LoadDialogTemplate(dir.filePath(QStringLiteral("missing.json"))), std::runtime_error);
}

} // namespace
} // namespace qmcal::test
