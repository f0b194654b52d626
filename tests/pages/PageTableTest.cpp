// qmcal-cli show prints what the grids show: the same captions and cell texts, band by band.

#include <QProcess>
#include <QTemporaryDir>

#include "PageFixture.h"
#include "data/PageTable.h"
#include "data/ParamFile.h"
#include "pages/PageFactory.h"
#include "pages/SqlFineDialog.h"

namespace qmcal::test {
namespace {

// The show output of a page split at its blank lines: the title, then one block per band.
QList<QStringList> ShowBlocks(const QString& image, const char* page)
{
    QProcess cli;
    cli.start(QStringLiteral(QMCAL_BIN_DIR "/qmcal-cli"),
              {QStringLiteral("show"), image, QLatin1String(page), QStringLiteral("--default"), image});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
        return {};
    QList<QStringList> blocks{{}};
    for (const QString& line : QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.isEmpty())
            blocks.append(QStringList());
        else
            blocks.last().append(line.simplified());
    }
    while (!blocks.isEmpty() && blocks.last().isEmpty())
        blocks.removeLast();
    return blocks;
}

// The grid's rows as show prints them, blanks folded: captions first.
QStringList GridLines(const CMSFlexGrid& grid)
{
    QStringList lines;
    for (int r = 0; r < grid.GridRowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.GridColCount(); ++c)
            cells << grid.CellText(r, c);
        lines << cells.join(QLatin1Char(' ')).simplified();
    }
    return lines;
}

class PageTableTest : public PageFixture {};

// Values the grids mark or replace (list indexes past their lists, 2-byte values above every
// range, signed bytes outside -64..63), frequency words with hex letters, and gain indexes
// inside their lists on both gain pages.
TEST_F(PageTableTest, ShowPrintsWhatEveryGridShows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.dat"));
    for (std::size_t a = 0; a < image.ParamArea().size(); ++a)
        image.ParamArea()[a] = static_cast<std::uint8_t>((a * 37 + (a >> 8) * 11) & 0xFF);
    for (std::size_t a = 0; a < image.IdBlock().size(); ++a)
        image.IdBlock()[a] = static_cast<std::uint8_t>((a * 13 + 7) & 0xFF);
    for (const BandLayout* layout : {&kTxModLayout, &kRxTestLayout}) {
        putU8(image.ParamArea(), layout->FieldAddress(4, 1, layout->Field(0)), 4);
        putU8(image.ParamArea(), layout->FieldAddress(4, 1, layout->Field(1)), 1);
    }
    ASSERT_TRUE(SaveImageFileAs(image, path).ok);

    for (std::size_t p = 0; p < kPageTables.size(); ++p) {
        const PageTable& table = *kPageTables[p];
        SCOPED_TRACE(table.name);
        ASSERT_TRUE(OpenImageFile(image, path).ok);
        const QList<QStringList> blocks = ShowBlocks(path, table.name);
        ASSERT_FALSE(blocks.isEmpty());
        EXPECT_EQ(blocks.first(), QStringList(PageTitle(table)));

        std::unique_ptr<GridDialog> dialog;
        QTabWidget* tabs = nullptr;
        if (table.layout != nullptr) {
            auto calPage = CreateCalPage(static_cast<int>(p), image, link, &window);
            tabs = calPage->BandTabs();
            dialog = std::move(calPage);
        } else {
            dialog = std::make_unique<SqlFineDialog>(image, link, &window);
        }
        const int bands = tabs != nullptr ? tabs->count() : 1;
        ASSERT_EQ(blocks.size(), bands + 1);
        for (int t = 0; t < bands; ++t) {
            QStringList shown = blocks.at(t + 1);
            if (tabs != nullptr) {
                tabs->setCurrentIndex(t);
                EXPECT_EQ(shown.takeFirst(), QLatin1Char('[') + tabs->tabText(t) + QLatin1Char(']'));
            }
            EXPECT_EQ(shown, GridLines(*dialog->Grid())) << t;
        }
    }
}

} // namespace
} // namespace qmcal::test
