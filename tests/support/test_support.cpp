// Helpers every test program shares.
#include "test_support.h"

#include "app/language.h"
#include "platform/runtime/vberror.h"

#include <QFile>
#include <QtGlobal>

namespace qv::test {

ScopedLocale::ScopedLocale(const QString& name) : m_previous(QLocale())
{
    QLocale::setDefault(QLocale(name));
}

ScopedLocale::~ScopedLocale()
{
    QLocale::setDefault(m_previous);
}

ScopedShippedLanguage::ScopedShippedLanguage(const QString& code) : m_previous(gXmlDoc)
{
    QFile file(resourcesDir() + QStringLiteral("/QV-Config") + code + QStringLiteral(".xml"));
    QDomDocument doc;
    m_loaded = file.open(QIODevice::ReadOnly) && bool(doc.setContent(&file));
    if (m_loaded)
        gXmlDoc = doc;
}

ScopedShippedLanguage::~ScopedShippedLanguage()
{
    gXmlDoc = m_previous;
}

QString resourcesDir()
{
    return qEnvironmentVariable("QV_RESOURCES", QStringLiteral(QV_SOURCE_DIR "/resources"));
}

int errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const VbError& e) {
        return e.Number();
    }
    return 0;
}

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray blockImage(uint8_t address, uint8_t first)
{
    QByteArray b = bytes({0x82, address});
    for (int k = 0; k < 16; ++k)
        b.append(char(first + k));
    return b;
}

} // namespace qv::test
