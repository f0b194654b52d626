#include "shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace qmcal {

Translations::~Translations()
{
    Remove();
}

void Translations::Remove()
{
    for (const auto& translator : m_installed)
        QCoreApplication::removeTranslator(translator.get());
    m_installed.clear();
}

bool Translations::Use(const QString& code, const QLocale& system)
{
    Remove();
    if (code == QLatin1String("source"))
        return false;
    // An unknown name gives the C locale, as LC_ALL=C does.
    const QLocale locale = code.isEmpty() ? system : QLocale(code);
    if (locale.language() == QLocale::C)
        return false;
    auto own = std::make_unique<QTranslator>();
    if (!own->load(locale, QStringLiteral("qmcal"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        return false;
    // Qt's own dialogs and buttons only in a language the program speaks too.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        m_installed.push_back(std::move(qt));
    }
    QCoreApplication::installTranslator(own.get());
    m_installed.push_back(std::move(own));
    return true;
}

} // namespace qmcal
