// Helpers every test program shares: pinned locales, the test data folder, readable texts in failures, the
// runtime error a call raises, bytes written as hex.
#pragma once
#include <QDomDocument>
#include <QLocale>
#include <QString>

#include "platform/controls/timercontrol.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <ostream>

// Texts in failure messages as text, not as bytes (found by argument-dependent lookup, so it stands beside
// QString in the global namespace).
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace qv::test {

// The number of the runtime error (VbError) the call raises; 0 when it raises none.
int errorOf(const std::function<void()>& call);

// Bytes from hex digits; blanks between them are allowed ("FF 02 F0").
QByteArray hex(const char* text);
// Bytes from their values ({0xF0, 'S'}).
QByteArray bytes(std::initializer_list<int> values);
// A write-back image of a 16-byte station block: command 0x82, the address, then bytes counting up from
// `first`.
QByteArray blockImage(uint8_t address, uint8_t first);

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

// For its lifetime the program's timers fire only when a test ticks them: a test that drives a timeout by
// hand stays exact when a busy machine lets the real interval run out meanwhile.
class ScopedHandTicks
{
  public:
    ScopedHandTicks() { TimerControl::setHandTicksOnly(true); }
    ~ScopedHandTicks() { TimerControl::setHandTicksOnly(false); }
    ScopedHandTicks(const ScopedHandTicks&) = delete;
    ScopedHandTicks& operator=(const ScopedHandTicks&) = delete;
};

// The folder resources/ of the source tree (the files shipped beside the program).
QString resourcesDir();

} // namespace qv::test
