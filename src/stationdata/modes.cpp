// The mode table's look-ups and the loading of the mode names from the language file.
#include "stationdata/modes.h"

#include "app/language.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

const ModeEntry* findMode(int mode)
{
    for (const ModeEntry& e : kModeTable) {
        if (e.mode == mode)
            return &e;
    }
    return nullptr;
}

QString modeName(int mode)
{
    return GetLangText(gLangIndex, kModeTextBase + mode, ModeDefaultName(mode));
}

} // namespace

int16_t CodeNoMaximum(int mode)
{
    const ModeEntry* e = findMode(mode);
    return e ? e->codeNoMax : kCodeNoMaxDefault;
}

QString ModeDefaultName(int mode)
{
    const ModeEntry* e = findMode(mode);
    return e ? QString::fromLatin1(e->defaultName) : QString();
}

void LoadModeNames()
{
    gModeTextInstruction = modeName(0);
    gModeTextSpecial = modeName(1);
    gModeTextSpecial2 = gModeTextSpecial;
    gModeTextControl = modeName(2);
    gModeTextStart = modeName(3);
    gModeTextFinish = modeName(4);
    gModeTextReadout = modeName(5);
    gModeTextClear = modeName(7);
    gModeTextCheck = modeName(10);
    gModeTextPrintout = modeName(11);
    gModeTextStartTrig = modeName(12);
    gModeTextFinishTrig = modeName(13);
    gModeTextBcControl = modeName(18);
    gModeTextBcStart = modeName(19);
    gModeTextBcFinish = modeName(20);
    gModeTextBcFinish2 = modeName(31);
    gWeekdayNames = GetLangText(gLangIndex, 1839, QString());
    gTextInvalid = GetLangText(gLangIndex, 1805, QStringLiteral("invalid"));
}

int ModeNumberOfText(const QString& text)
{
    for (int i = 0; i < kModeCount; ++i) {
        if (text == GetLangText(gLangIndex, kModeTextBase + i, QString()))
            return i;
    }
    return -1;
}

QString GetFuncCodeCaption(int code)
{
    int index = -1;
    switch (code) {
    case 123:
        index = 3;
        break;
    case 124:
        index = 0;
        break;
    case 125:
        index = 1;
        break;
    case 127:
        index = 2;
        break;
    default:
        return {};
    }
    return GetControlText(gLangIndex, QStringLiteral("frmMain"), QStringLiteral("OptionButton"),
                          QStringLiteral("opQVEL_Func"), QString::number(index), QStringLiteral("Caption"),
                          QString());
}

} // namespace qv
