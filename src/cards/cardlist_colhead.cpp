// Column-header files read into the card list's columns, and the card list's unsaved-changes status.
#include "cards/cardlist_colhead.h"

#include "app/file_helpers.h"
#include "app/number_text.h"
#include "app/settings.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_keys.h"
#include "cards/cardlist_main_window.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"
#include "platform/runtime/vberror.h"
#include "platform/system/textfile.h"
#include "stationdata/station_data.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

struct LoadState
{
    int lineCount = 0;      // lines taken so far
    double previousEnd = 0; // the number in the last three characters of the key before
};

QString field(const QString& line, int n)
{
    return line.section(QLatin1Char(';'), n - 1, n - 1);
}

void processLine(CardListAccess& list, const QString& line, LoadState& state)
{
    if (Trim(line).isEmpty())
        return; // nothing to build a column from
    if (isPerPunchColumnKey(line))
        return; // per-punch columns come with the cards, never from the file
    if (Val(Mid(line, 3, 2)) > 43)
        gHighColumnKeys = true;
    const double width = columnHeaderWidth(field(line, 3));
    gCardsFormWidth += width;
    ++state.lineCount;
    const QString key = field(line, 1);
    const QString heading = field(line, 2);
    if (!gColumnN157000)
        gColumnN157000 = key == QLatin1String("N157000");
    if (!gColumnAbove143000)
        gColumnAbove143000 = Val(Mid(line, 2)) > 143000;
    const double end = Val(Right(key, 3));
    if (!gNodrelMode) {
        gNodrelMode = state.previousEnd + 1 < end;
        state.previousEnd = end;
    }
    if (key == QLatin1String("N133000")) {
        gPunchCountN133002 = false;
        gPunchCountColumn = 1;
    } else if (key == QLatin1String("N133002")) {
        gPunchCountN133002 = true;
        gPunchCountColumn = 2;
    }
    if (list.addColumn(key, heading, width))
        return;
    if (state.lineCount == 1) {
        list.addColumn(QStringLiteral("N101000"), cardListText(1849), width);
    } else {
        const QString substitute = QStringLiteral("Col_") + QString::number(state.lineCount);
        list.addColumn(substitute, substitute, kColHeadDefaultWidth);
    }
}

void processLines(CardListAccess& list, const QStringList& lines, qsizetype first, bool skipTitle)
{
    LoadState state;
    for (qsizetype i = first; i < lines.size(); ++i) {
        if (skipTitle && lines[i] == gColHeadTitle)
            continue;
        try {
            processLine(list, lines[i], state);
        } catch (const VbError&) {
            // A line whose numbers cannot be read (far too large) gives no column.
        }
    }
}

} // namespace

QString airCardColumnSet()
{
    QStringList lines = kAirCardColumnSet.split(QStringLiteral("\r\n"));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QStringList fields = lines[i].split(QLatin1Char(';'));
        if (fields.size() < 3)
            continue;
        const int code = int(Val(fields[0].mid(1, 3)));
        fields[1] = cardListText(1600 + code - 100, fields[1]);
        lines[i] = fields.join(QLatin1Char(';'));
    }
    return lines.join(QStringLiteral("\r\n"));
}

double columnHeaderWidth(const QString& field)
{
    const QString text = Trim(field);
    if (!std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return kColHeadDefaultWidth;
    const double width = NormalizeNumberText(text);
    if (!std::isfinite(width) || width < 0)
        return 0;
    return std::min(width, kColHeadMaxWidth);
}

void loadColumnHeaders(CardListAccess& list, const QString& text)
{
    gColumnN157000 = false;
    gColumnAbove143000 = false;
    if (!text.isEmpty()) {
        processLines(list, splitLines(text), 1, false);
    } else if (!fileExists(gColHeadFile)) {
        gColHeadFile.clear();
        gColHeadFolder.clear();
    } else {
        QStringList lines;
        try {
            lines = readTextLines(gColHeadFile);
        } catch (const VbError& error) {
            MsgBox(gColHeadFile + QStringLiteral("\r\r") + gFileMsgText + QLatin1Char(' ') +
                       QString::number(error.Number()) + QLatin1Char('\r') + cardListText(1844) +
                       QLatin1Char(' ') + VbErrorText(error.Number()),
                   vbExclamation);
            return;
        }
        list.clearColumns();
        gHighColumnKeys = false;
        gCardsFormWidth = kCardsFormFrameWidth;
        gPunchCountColumn = 0;
        processLines(list, lines, 0, true);
        setMainActionText(cardListText(1600) + QStringLiteral(": ") + gColHeadFile + QLatin1Char(' ') +
                          cardListText(1014, QStringLiteral("read in")));
    }
    if (gColumnAbove143000 && gExtProtRead == 0 && !gZokDevice)
        MsgBox(cardListText(1975) + QStringLiteral(" (QVEL)"), vbInformation);
}

void applyCardListChanges(const QString& letters)
{
    if (letters.contains(QLatin1Char('F')))
        gCardListChanged = !(mainPortOpen() && !gDirectCardsFile.isEmpty());
    if (letters.contains(QLatin1Char('C')))
        gColumnsChanged = true;
    if (!fileExists(gColHeadFile)) {
        gColHeadFile.clear();
        gColHeadFolder.clear();
    }
}

QString cardListStatusText()
{
    QString status;
    if (!gDirectCardsFile.isEmpty() && gDirectCardsMode)
        status = QStringLiteral("DirectCards: ") + gDirectCardsFile + QStringLiteral("; ");
    if (!gColHeadFile.isEmpty() && gOpenColHeadAnswer == vbYes)
        status += cardListText(1756) + QLatin1Char(' ') + gColHeadFile;
    if (!gCardListFile.isEmpty())
        status += QLatin1Char(' ') + cardListText(1755) + QLatin1Char(' ') + gCardListFile;
    return status;
}

} // namespace qv
