#include "DataTestSupport.h"

#include "data/CalReport.h"
#include "data/FactoryImage.h"
#include "data/LittleEndian.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace qmcal {
namespace {

using namespace test;

// The factory image with three values changed: a Power level, an RSSI word and a Sql Fine
// offset below zero; the factory values are the reference.
std::unique_ptr<ParamImage> UnitImage()
{
    auto image = NewImageObject();
    FillFactoryImage(*image);
    image->ReferenceArea() = image->ParamArea();
    image->ParamArea()[kPowerLayout.FieldAddress(0, 1, kPowerLayout.Field(1))] = 0x82;
    putU16le(image->ParamArea(), kRssiLayout.FieldAddress(10, 1, kRssiLayout.Field(0)), 0x2002);
    image->ParamArea()[SqlFineAddress(1, 1)] = 0xFD;
    return image;
}

TEST(CalReport, CsvMatchesTheGoldenText)
{
    const auto image = UnitImage();
    // Against another unit, as --against gives it: only its values count, not Default.dat's.
    const auto other = UnitImage();
    putU16le(other->ParamArea(), kRssiLayout.FieldAddress(0, 1, kRssiLayout.Field(0)), 0x1FF0);
    const std::array<const PageTable*, 2> pages{&kRssiTable, &kSqlFineTable};
    const QByteArray csv = ReportCsv(ReportValues(*image, other->ParamArea(), pages));
    const QByteArray expected = Golden("report_rssi_sqlfine.csv");
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(csv.toStdString(), expected.toStdString());
}

// The whole report parsed back: a section per page, the changed values marked with the
// reference's value, and nothing fetched from elsewhere when it is opened or printed.
TEST(CalReport, HtmlHasASectionPerPageMarksWhatDiffersAndNeedsNothingElse)
{
    const auto image = UnitImage();
    const ReportHeader header{QStringLiteral("/tmp/unit <7>.dat"), ImageModel(*image), QStringLiteral("2026-12-07"),
                              QStringLiteral("2.0.6.2")};
    const QByteArray html = ReportHtml(header, ReportValues(*image, image->ReferenceArea()));

    QStringList sections;
    std::map<QString, QString> marked;  // page/band: cell text
    QString page;
    QString band;
    QStringList headerTexts;
    QXmlStreamReader xml(html);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        for (const QXmlStreamAttribute& attribute : xml.attributes()) {
            const QString key = attribute.name().toString();
            EXPECT_TRUE(key != QLatin1String("src") && key != QLatin1String("href")) << key.toStdString();
        }
        if (name == QLatin1String("h2")) {
            page = xml.readElementText();
            sections << page;
            band.clear();
        } else if (name == QLatin1String("h3")) {
            band = xml.readElementText();
        } else if (name == QLatin1String("dd")) {
            headerTexts << xml.readElementText();
        } else if (name == QLatin1String("td")
                   && xml.attributes().value(QLatin1String("class")) == QLatin1String("differs")) {
            marked[page + QLatin1Char('/') + band] = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(sections, QStringList({"Power", "Rx Tuning", "Tx Mod", "Signal Mod", "Tone Mod", "Rx Test", "SQL",
                                     "RSSI", "Sql Fine"}));
    EXPECT_EQ(headerTexts, QStringList({"/tmp/unit <7>.dat", "QM6200P", "2026-12-07", "2.0.6.2"}));
    const std::map<QString, QString> expected{
        {"Power/30M", "82 (130)reference 80 (128)"},
        {"RSSI/850M", "2002 (8194)reference 2000 (8192)"},
        {"Sql Fine/", "FD (-3)reference 0 (0)"},
    };
    EXPECT_EQ(marked, expected);
    for (const char* external : {"url(", "@import", "http:", "https:"})
        EXPECT_FALSE(html.contains(external)) << external;
    EXPECT_TRUE(html.contains("@page { size: A4"));
}

} // namespace
} // namespace qmcal
