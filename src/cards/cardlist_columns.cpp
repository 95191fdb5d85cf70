// The card list's fixed column sets (card view and punch view) and the window width they propose.
#include "cards/cardlist_columns.h"

#include "app/language.h"
#include "cards/cardlist_state.h"
#include "platform/controls/screen.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace qv {

namespace {

struct ColumnSpec
{
    const char* key;
    int textId;          // language text of the heading, 0 for a fixed heading
    const char* heading; // the fixed heading
    double width;        // twips
};

constexpr ColumnSpec kDefaultColumns[] = {
    {"N101000", 1601, nullptr, 540},  {"N102000", 1602, nullptr, 1710}, {"N103000", 1603, nullptr, 870},
    {"N104000", 1604, nullptr, 620},  {"N105000", 1605, nullptr, 700},  {"N106000", 1606, nullptr, 920},
    {"N107000", 1607, nullptr, 920},  {"N108000", 1608, nullptr, 920},  {"N109000", 1609, nullptr, 600},
    {"N110000", 1610, nullptr, 600},  {"N111000", 1611, nullptr, 840},  {"N112000", 1612, nullptr, 840},
    {"N113000", 1613, nullptr, 840},  {"N114000", 1614, nullptr, 920},  {"N115000", 1615, nullptr, 920},
    {"N116000", 1616, nullptr, 660},  {"N121000", 1621, nullptr, 580},  {"N122000", 1622, nullptr, 720},
    {"N123000", 1623, nullptr, 840},  {"N124000", 1624, nullptr, 580},  {"N125000", 1625, nullptr, 720},
    {"N126000", 1626, nullptr, 840},  {"N127000", 1627, nullptr, 580},  {"N128000", 1628, nullptr, 720},
    {"N129000", 1629, nullptr, 1150}, {"N130000", 1630, nullptr, 580},  {"N131000", 1631, nullptr, 720},
    {"N132000", 1632, nullptr, 1150}, {"N133000", 1633, nullptr, 585},
};

// The punch view shows a station's punch records: card, code number, weekday and time.
constexpr ColumnSpec kPunchViewColumns[] = {
    {"N101000", 1601, nullptr, 540}, {"N102000", 1602, nullptr, 1710}, {"N103000", 1603, nullptr, 1000},
    {"N131000", 1641, nullptr, 620}, {"N132000", 1642, nullptr, 585},  {"N133000", 1643, nullptr, 1150},
};

// Further values of the punch records, shown for GSM stations and where the mode combo box is hidden.
constexpr ColumnSpec kPunchViewStationColumns[] = {
    {"N134000", 0, "Mode", 580},  {"N135000", 0, "No.", 540},   {"N136000", 0, "To.", 540},
    {"N137000", 0, "Radio", 540}, {"N138000", 0, "Batt.", 580}, {"N139000", 0, "P / T", 580},
    {"N140000", 0, "Gate", 580},
};

void appendColumns(CardListAccess& list, std::span<const ColumnSpec> specs)
{
    for (const ColumnSpec& spec : specs) {
        const QString heading =
            spec.textId != 0 ? cardListText(spec.textId) : QString::fromLatin1(spec.heading);
        gCardsFormWidth += spec.width;
        list.addColumn(QString::fromLatin1(spec.key), heading, spec.width);
    }
}

} // namespace

QRect cardsWindowPlacement(double proposedWidth, int height, const QRect& mainWindow, const QRect& screenArea)
{
    int width = int(std::lround(std::max(proposedWidth, kCardsFormMinWidth)));
    if (!screenArea.isEmpty()) {
        width = std::min(width, screenArea.width());
        height = std::min(height, screenArea.height());
    }
    return placedOver(QSize(width, height), mainWindow.isEmpty() ? screenArea : mainWindow, screenArea);
}

QString cardListText(int id, const QString& def)
{
    return GetLangText(gLangIndex, id, def);
}

void appendDefaultColumns(CardListAccess& list)
{
    gCardsFormWidth = kCardsFormFrameWidth;
    appendColumns(list, kDefaultColumns);
    gPunchCountColumn = 2;
    gPunchColumnCount = 0;
}

void appendPunchViewColumns(CardListAccess& list, bool withStationColumns)
{
    gCardsFormWidth = kCardsFormFrameWidth;
    appendColumns(list, kPunchViewColumns);
    if (withStationColumns)
        appendColumns(list, kPunchViewStationColumns);
}

QStringList punchViewStationHeadings()
{
    QStringList headings;
    for (const ColumnSpec& spec : kPunchViewStationColumns)
        headings.append(QString::fromLatin1(spec.heading));
    return headings;
}

} // namespace qv
