#pragma once

#include <QString>

namespace qmcal {

// Program.ini, a plain INI text. Written by our own small writer because QSettings escapes
// backslashes and would spoil a device-path port name such as \\.\COM12.
class IniSettings {
public:
    IniSettings() = default;

    // The path becomes folder + fileName.
    void SetFileName(const QString& folder, const QString& fileName);
    const QString& FilePath() const { return m_path; }

    // Sets key=value in [section], creating the file and the section as needed and keeping
    // every other line. An empty key or value, or no file name yet, writes nothing and
    // returns 0; otherwise
    // returns 1 on success and 0 on failure. The file goes through the program's one file
    // writer: replaced whole when it is an ordinary file, written in place otherwise.
    int Write(const QString& section, const QString& key, const QString& value) const;

private:
    QString m_path;  // empty: nowhere to keep settings (no home folder)
};

} // namespace qmcal
