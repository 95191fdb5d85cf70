// Helpers every test program shares: pinned locales and the test data folder.
#pragma once
#include <QDomDocument>
#include <QLocale>
#include <QString>

namespace qv::test {

// Sets the program's locale for the lifetime of the object and restores the
// previous one afterwards. Tests pin "de_DE" and "en_US" to cover both decimal
// separators.
class ScopedLocale
{
public:
    explicit ScopedLocale(const QString& name);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    QLocale m_previous;
};

// Loads a language file the program ships (resources/QV-Config<code>.xml) as the language in use for the
// lifetime of the object, and restores the previous one afterwards.
class ScopedShippedLanguage
{
public:
    explicit ScopedShippedLanguage(const QString& code = QStringLiteral("ENU"));
    ~ScopedShippedLanguage();
    ScopedShippedLanguage(const ScopedShippedLanguage&) = delete;
    ScopedShippedLanguage& operator=(const ScopedShippedLanguage&) = delete;
    bool loaded() const { return m_loaded; }

private:
    QDomDocument m_previous;
    bool m_loaded = false;
};

// The folder tests/data of the source tree.
QString testDataDir();
// The folder resources/ of the source tree (the files shipped beside the program).
QString resourcesDir();

} // namespace qv::test
