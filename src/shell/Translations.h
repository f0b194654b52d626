#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

#include <memory>
#include <vector>

namespace qmcal {

// "--lang CODE" on the window and on every command of qmcal-cli.
inline constexpr QLatin1String kLangOption{"lang"};
inline constexpr QLatin1String kLangValueName{"CODE"};
// Translated where shown, in qmcal-cli's context for both programs.
inline constexpr const char* kLangDescription = QT_TRANSLATE_NOOP(
    "qmcal-cli", "the language of the texts: zh_CN, en, ... or source for the texts as written (default: the system's)");

// The program's catalogue and Qt's own for one language, installed on the application while
// this object lives. Where no catalogue applies (a C locale, a language without one, "source"),
// nothing is installed and every text shows as written.
class Translations {
public:
    Translations() = default;
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // code: a locale name such as zh_CN, "source", or empty for the system's locale. Replaces
    // what an earlier call installed. True when the program's catalogue was installed.
    bool Use(const QString& code, const QLocale& system = QLocale::system());

private:
    void Remove();

    std::vector<std::unique_ptr<QTranslator>> m_installed;
};

} // namespace qmcal
