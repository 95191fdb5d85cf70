// Helpers every test program shares: pinned locales and the test data folder.
#pragma once
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

// The folder tests/data of the source tree.
QString testDataDir();
// The folder resources/ of the source tree (the files shipped beside the program).
QString resourcesDir();

} // namespace qv::test
