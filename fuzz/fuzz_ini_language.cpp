// Fuzz target: arbitrary bytes as the settings file (read through IniAccess) and as a language file.
#include "app/app_state.h"
#include "app/ini_access.h"
#include "app/language.h"
#include "app/settings.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/system/paths.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace qv;

namespace {

QTemporaryDir* gWork = nullptr;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    check(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    // Messages about bad files are answered at once instead of waiting for a user.
    DialogHooks::setNoModal(true);
    gWork = new QTemporaryDir;
    check(gWork->isValid());
    setLocalAppDataOverride(gWork->path());
    setProgramFolderOverride(gWork->path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    resetAppState();
    gCommandLine = QString();

    // As the settings file: every key loads into a value within its range.
    const QString ini = gWork->filePath(QStringLiteral("QV-Config.INI"));
    writeFile(ini, bytes);
    gIniAccess.setIniFile(ini);
    LoadSettings();
    check(gModeCode >= 1 && gModeCode <= 30);
    check(gCodeNo >= 1 && gCodeNo <= 511);
    check(gBaud >= 4800 && gComPort >= 0);
    check(gLastFWVersionA >= 559 && gLastFWVersionB >= 300);
    check(gLangCodes.size() == gLangCount + 1);
    check(gWorkTime.size() == 8);
    check(gAirSelData.size() == 4 && gAirBrdData.size() == 4 && gCard11SelData.size() == 4);
    QStringList names;
    gIniAccess.GetSections(QStringLiteral("*"), names);
    for (const QString& section : QStringList(names)) {
        QStringList keys;
        gIniAccess.GetKeys(section, keys);
        for (const QString& key : keys)
            check(gIniAccess.ReadEntry(section, key, QString()).size() < kIniBufferSize);
    }

    // As a language file: it loads or is reported, and every lookup answers.
    gLangCodes = QStringList{QString(), QStringLiteral("FUZ")};
    gLangIndex = 1;
    writeFile(gWork->filePath(LanguageFileName(QStringLiteral("FUZ"))), bytes);
    LoadLanguageFile(true);
    for (int id : {1001, 1301, 1812, 1843})
        GetLangText(gLangIndex, id, QStringLiteral("d"));
    const QDomElement root = gXmlDoc.documentElement();
    for (QDomElement form = root.firstChildElement(); !form.isNull(); form = form.nextSiblingElement()) {
        GetControlText(gLangIndex, form.tagName(), QString(), QString(), QString(), QStringLiteral("Caption"),
                       {});
        for (QDomElement type = form.firstChildElement(); !type.isNull(); type = type.nextSiblingElement()) {
            for (QDomElement ctl = type.firstChildElement(); !ctl.isNull(); ctl = ctl.nextSiblingElement())
                GetControlText(gLangIndex, form.tagName(), type.tagName(), ctl.tagName(),
                               ctl.attribute(QStringLiteral("Index")), QStringLiteral("ToolTipText"), {});
        }
    }
    DialogHooks::reset();
    DialogHooks::setNoModal(true);
    return 0;
}
