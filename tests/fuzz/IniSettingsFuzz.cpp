// Program.ini rewritten over an arbitrary old file with an arbitrary port name: the entry lands
// in [Setup], every other line stays, and writing the same name again changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include <QFile>
#include <QList>

#include "FuzzSupport.h"
#include "shell/IniSettings.h"

namespace qmcal::fuzz {
namespace {

// The file's lines without their line breaks, as the writer reads them.
QList<QByteArray> Lines(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines) {
        while (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

bool IsSetupEntry(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    const auto eq = t.indexOf('=');
    return !t.startsWith(';') && eq >= 0 && t.left(eq).trimmed().compare("COM", Qt::CaseInsensitive) == 0;
}

// after is before with one line replaced by entry, one line inserted, or the section and the
// entry appended.
void CheckKept(const QList<QByteArray>& before, const QList<QByteArray>& after, const QByteArray& entry)
{
    if (after.size() == before.size()) {
        qsizetype changed = 0;
        for (qsizetype i = 0; i < before.size(); ++i) {
            if (before[i] == after[i])
                continue;
            ++changed;
            FUZZ_CHECK(after[i] == entry && IsSetupEntry(before[i]));
        }
        FUZZ_CHECK(changed <= 1);
    } else if (after.size() == before.size() + 1) {
        qsizetype i = 0;
        while (i < before.size() && before[i] == after[i])
            ++i;
        FUZZ_CHECK(after[i] == entry);
        FUZZ_CHECK(before.mid(i) == after.mid(i + 1));
    } else {
        FUZZ_CHECK(after.size() == before.size() + 2);
        FUZZ_CHECK(after.mid(0, before.size()) == before);
        FUZZ_CHECK(after[before.size()] == "[Setup]" && after[before.size() + 1] == entry);
    }
}

} // namespace
} // namespace qmcal::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qmcal;
    using namespace qmcal::fuzz;
    FuzzedDataProvider input(data, size);
    const bool existing = input.ConsumeBool();
    const std::string name = input.ConsumeRandomLengthString(40);
    const std::string old = input.ConsumeRemainingBytesAsString();
    const QString value = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));

    IniSettings settings;
    settings.SetFileName(ScratchDir().path() + QLatin1Char('/'), QStringLiteral("Program.ini"));
    QFile::remove(settings.FilePath());
    const QByteArray before(old.data(), static_cast<qsizetype>(old.size()));
    if (existing)
        WriteFile(settings.FilePath(), before);

    const int result = settings.Write(QStringLiteral("Setup"), QStringLiteral("COM"), value);
    const bool refused = value.isEmpty() || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
    if (refused) {
        FUZZ_CHECK(result == 0);
        FUZZ_CHECK(QFile::exists(settings.FilePath()) == existing);
        if (existing)
            FUZZ_CHECK(ReadFile(settings.FilePath()) == before);
        return 0;
    }
    FUZZ_CHECK(result == 1);
    const QByteArray written = ReadFile(settings.FilePath());
    const QByteArray entry = "COM=" + value.toUtf8();
    CheckKept(Lines(existing ? before : QByteArray()), Lines(written), entry);

    FUZZ_CHECK(settings.Write(QStringLiteral("Setup"), QStringLiteral("COM"), value) == 1);
    FUZZ_CHECK(ReadFile(settings.FilePath()) == written);
    return 0;
}
