#include "shell/IniSettings.h"

#include "data/FileResult.h"

#include <QByteArray>
#include <QFile>
#include <QList>

namespace qmcal {

namespace {

bool HasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// A "[name]" line, blanks allowed around the name.
bool SectionName(const QByteArray& line, QByteArray& name)
{
    const QByteArray t = line.trimmed();
    const auto close = t.indexOf(']');
    if (!t.startsWith('[') || close < 0)
        return false;
    name = t.mid(1, close - 1).trimmed();
    return true;
}

bool IsKeyLine(const QByteArray& line, const QByteArray& key)
{
    const QByteArray t = line.trimmed();
    if (t.startsWith(';'))
        return false;
    const auto eq = t.indexOf('=');
    return eq >= 0 && t.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

} // namespace

void IniSettings::SetFileName(const QString& folder, const QString& fileName)
{
    m_path = folder + fileName;
}

int IniSettings::Write(const QString& section, const QString& key, const QString& value) const
{
    if (m_path.isEmpty() || key.isEmpty() || value.isEmpty())
        return 0;
    // A line break would split the entry and corrupt the file's structure.
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return 0;

    QByteArray old;
    QFile in(m_path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly))
            return 0;
        old = in.readAll();
        in.close();
    }
    const QByteArray eol = old.contains("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    QList<QByteArray> lines = old.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();  // the text after the final line break
    // Every carriage return before a break belongs to the break: one kept in the text would
    // turn into a CR LF of its own and switch the whole file to CR LF on the next write.
    for (QByteArray& line : lines) {
        while (line.endsWith('\r'))
            line.chop(1);
    }

    const QByteArray sectionBytes = section.toUtf8();
    const QByteArray keyBytes = key.toUtf8();
    const QByteArray entry = keyBytes + '=' + value.toUtf8();

    // Find the section, then the key inside it, or the line after its last entry.
    qsizetype sectionLine = -1;
    qsizetype insertAt = -1;
    bool replaced = false;
    for (qsizetype i = 0; i < lines.size() && !replaced; ++i) {
        QByteArray name;
        if (SectionName(lines[i], name)) {
            if (sectionLine >= 0)
                break;  // the next section begins
            if (name.compare(sectionBytes, Qt::CaseInsensitive) == 0) {
                sectionLine = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionLine < 0)
            continue;
        if (IsKeyLine(lines[i], keyBytes)) {
            lines[i] = entry;
            replaced = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!replaced) {
        if (sectionLine < 0) {
            lines.append('[' + sectionBytes + ']');
            lines.append(entry);
        } else {
            lines.insert(insertAt, entry);
        }
    }

    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + eol;

    return WriteFileAtomically(m_path, text).ok ? 1 : 0;
}

} // namespace qmcal
