// The column chooser frmSelCol: the catalogue columns not in use and those in use, the moves between them,
// the numbered per-punch entries, and the rebuild of the card list's columns on OK.
#include "cards/frm_sel_col.h"

#include "app/language.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_keys.h"
#include "cards/cardlist_main_window.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "platform/runtime/numbers.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>

namespace qv {

namespace {

// The catalogue: captions 1601 to 1660 of the language file.
constexpr int kCatalogueSize = 60;
constexpr int kCaptionBase = 1600;
constexpr int kFirstGroup = 41; // the per-punch groups 41, 42 and 43
constexpr int kLastGroup = 43;
constexpr int kPunchList = 33; // the punch list, with or without weekday
// A new column's width, in twips.
constexpr int kNewColumnWidth = 810;
// The dialog stands this far below the card list window's top edge, in twips.
constexpr int kBelowCardList = 300;
// The punch-number box takes up to three digits.
constexpr int kPunchDigits = 3;

constexpr int kAvailable = 0;
constexpr int kChosen = 1;

// Focus goes only where it can go (not into a hidden box, nor into a window not on screen).
void focus(Control& control)
{
    if (control.canFocus())
        control.SetFocus();
}

bool isGroupCode(int c)
{
    return c >= kFirstGroup && c <= kLastGroup;
}

// Catalogue entry c as the lists show it: a per-punch group as its group entry ("..." and its caption).
QString catalogueName(int c)
{
    const QString caption = cardListText(kCaptionBase + c);
    if (caption.isEmpty())
        return {};
    return isGroupCode(c) ? QStringLiteral("...") + caption : caption;
}

bool isGroupEntry(const QString& entry)
{
    return entry.startsWith(QStringLiteral("..."));
}

// The part of a numbered entry that names its group (".CN" of "5.CN"), and the same part of a group entry.
QString numberedTail(const QString& entry)
{
    return entry.mid(entry.indexOf(QLatin1Char('.')));
}
QString groupTail(const QString& group)
{
    return group.mid(2);
}

} // namespace

bool isNumberedColumnEntry(const QString& entry)
{
    const qsizetype dot = entry.indexOf(QLatin1Char('.'));
    return Val(entry) > 0 && dot >= 1 && dot <= 3;
}

FrmSelCol::FrmSelCol() : Form(QStringLiteral("frmSelCol"))
{
    setCaption(QStringLiteral("auswahl spalten"));
    setTag(QStringLiteral("1940"));
    Move(0, 0, 7200, 5160);
    setFixedSize(size());

    constexpr int kListTop = 360;
    constexpr int kListWidth = 2700;
    constexpr int kListHeight = 3240;
    constexpr int kButtonsLeft = 120 + kListWidth + 120;
    constexpr int kButtonWidth = 720;
    constexpr int kChosenLeft = kButtonsLeft + kButtonWidth + 120;
    lblCol(kAvailable).setCaption(QStringLiteral("&vorhandene"));
    lblCol(kAvailable).setTag(QStringLiteral("1941"));
    lblCol(kAvailable).Move(120, 90, kListWidth, 255);
    liCol(kAvailable).Move(120, kListTop, kListWidth, kListHeight);
    lblCol(kChosen).setCaption(QStringLiteral("ausge&wählte"));
    lblCol(kChosen).setTag(QStringLiteral("1942"));
    lblCol(kChosen).Move(kChosenLeft, 90, kListWidth, 255);
    liCol(kChosen).Move(kChosenLeft, kListTop, kListWidth, kListHeight);

    // Top to bottom: one over, all over, one back, all back.
    const struct
    {
        int index;
        const char* caption;
    } moves[] = {{0, "&>"}, {2, ">>"}, {1, "&<"}, {3, "<<"}};
    int top = kListTop + 480;
    for (const auto& m : moves) {
        Command1(m.index).setCaption(QString::fromLatin1(m.caption));
        Command1(m.index).Move(kButtonsLeft, top, kButtonWidth, 420);
        top += 540;
    }
    const auto arrow = [](QStyle::StandardPixmap which) {
        return QApplication::style()->standardIcon(which).pixmap(16, 16);
    };
    constexpr int kMoveLeft = kChosenLeft + kListWidth + 90;
    cmdMove(0).setPicture(arrow(QStyle::SP_ArrowUp));
    cmdMove(0).Move(kMoveLeft, kListTop + 960, 420, 420);
    cmdMove(1).setPicture(arrow(QStyle::SP_ArrowDown));
    cmdMove(1).Move(kMoveLeft, kListTop + 1500, 420, 420);

    constexpr int kBelowLists = kListTop + kListHeight + 150;
    lblPP.setCaption(QStringLiteral("C&N"));
    lblPP.Move(120, kBelowLists + 45, 480, 255);
    txtPP.Move(660, kBelowLists, 600, 315);
    chkMitWt.setCaption(QStringLiteral("posten mit wochentag"));
    chkMitWt.Move(1440, kBelowLists, 3480, 315);
    cmdOK.setCaption(QStringLiteral("&ok"));
    cmdOK.setTag(QStringLiteral("1405"));
    cmdOK.setDefault(true);
    cmdOK.Move(kChosenLeft + kListWidth - 2 * 1200 - 120, kBelowLists + 480, 1200, 375);
    cmdCancel.setCaption(QStringLiteral("&abbrechen"));
    cmdCancel.setTag(QStringLiteral("1403"));
    cmdCancel.setCancel(true);
    cmdCancel.Move(kChosenLeft + kListWidth - 1200, kBelowLists + 480, 1200, 375);

    Command1.onClick = [this](int Index) { Command1_Click(Index); };
    cmdMove.onClick = [this](int Index) { cmdMove_Click(Index); };
    liCol.onClick = [this](int Index) { liCol_Click(Index); };
    liCol.onDblClick = [this](int Index) { liCol_DblClick(Index); };
    liCol.onKeyDown = [this](int Index, int& KeyCode, int Shift) { liCol_KeyDown(Index, KeyCode, Shift); };
    txtPP.onChange = [this] { txtPP_Change(); };
    txtPP.onGotFocus = [this] { txtPP_GotFocus(); };
    txtPP.onKeyPress = [this](int& KeyAscii) { txtPP_KeyPress(KeyAscii); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void FrmSelCol::Form_Activate()
{
    // The lists and the port's state are taken once per showing: a later activation (after another window
    // was in front) would find the port closed by this dialog and would throw the user's moves away.
    if (m_activated)
        return;
    m_activated = true;
    portWasOpen = cardListMainWindow().portOpen();
    if (portWasOpen)
        cardListMainWindow().setPortOpen(false);
    ApplyLanguage(*this);
    FrmCards& cards = frmCards();
    Move(cards.Left(), cards.Top() + kBelowCardList);
    machList(-1);
    lblPP.setVisible(gNodrelMode);
    txtPP.setVisible(gNodrelMode);
    chkMitWt.setVisible(gPunchColumnMode > 0);
    chkMitWt.setValue(gPunchColumnMode == 2 ? vbChecked : vbUnchecked);
}

void FrmSelCol::Form_Unload(int& /*Cancel*/)
{
    m_activated = false;
    if (portWasOpen)
        cardListMainWindow().setPortOpen(true);
    portWasOpen = false;
}

void FrmSelCol::machList(int Index)
{
    ListBox& available = liCol(kAvailable);
    ListBox& chosen = liCol(kChosen);
    if (Index == -1 || Index == 0) {
        available.Clear();
        chosen.Clear();
        int start = 1;
        if (Index == 0) {
            chosen.AddItem(cardListText(kCaptionBase + 1));
            start = 2;
        }
        gPunchGroupNames.clear();
        gPunchListChosen = false;
        ColumnHeaderList& columns = frmCards().lvCards.ColumnHeaders();
        const auto hasColumn = [&](const QString& caption) {
            for (int i = 1; i <= columns.Count(); ++i)
                if (columns.Item(i).Text() == caption)
                    return true;
            return false;
        };
        for (int c = start; c <= kCatalogueSize; ++c) {
            const QString name = catalogueName(c);
            if (name.isEmpty())
                continue;
            if (Index == 0 || !hasColumn(name))
                available.AddItem(name);
            if (isGroupEntry(name))
                gPunchGroupNames.append(name);
        }
        gPunchGroupMax = QList<int>(gPunchGroupNames.size(), 0);
        if (Index == -1) {
            // The list's columns in their order; a per-punch column only raises its group's number.
            for (int i = 1; i <= columns.Count(); ++i) {
                const QString caption = columns.Item(i).Text();
                if (!isNumberedColumnEntry(caption)) {
                    chosen.AddItem(caption);
                    if (caption == cardListText(kCaptionBase + kPunchList))
                        gPunchListChosen = true;
                    continue;
                }
                const int n = std::min(int(Val(caption)), kMaxPunches);
                for (int g = 0; g < gPunchGroupNames.size(); ++g)
                    if (groupTail(gPunchGroupNames[g]) == numberedTail(caption))
                        gPunchGroupMax[g] = std::max(gPunchGroupMax[g], n);
            }
        }
    } else if (Index == 1) {
        for (int i = 0; i < available.ListCount(); ++i) {
            QString entry = available.List(i);
            if (gPunchGroupNames.contains(entry))
                entry = mitNr(entry);
            entry = entry.trimmed();
            if (!entry.isEmpty() && entry != u"-")
                chosen.AddItem(entry);
        }
        available.Clear();
        for (int g = 0; g < gPunchGroupNames.size(); ++g)
            if (gPunchGroupMax[g] < kMaxPunches)
                available.AddItem(gPunchGroupNames[g]);
    }
    showMoveButtons();
}

QString FrmSelCol::mitNr(const QString& sZK)
{
    const qsizetype g = gPunchGroupNames.indexOf(sZK);
    if (g < 0)
        return {};
    const int n = txtPP.Text().isEmpty() ? gPunchGroupMax[g] + 1 : int(Val(txtPP.Text()));
    // A punch number below 1 names no punch: nothing is added and the group stays offered.
    if (n < 1)
        return QStringLiteral("-");
    gPunchGroupMax[g] = n;
    if (n > kMaxPunches)
        return {};
    const QString entry =
        (n == kMaxPunches ? QStringLiteral(" ") : QString()) + QString::number(n) + groupTail(sZK);
    return pruefDoppelt(entry);
}

QString FrmSelCol::pruefDoppelt(const QString& sEntry) const
{
    const QString wanted = sEntry.trimmed();
    const ListBox& chosen = liCol(kChosen);
    for (int i = 0; i < chosen.ListCount(); ++i)
        if (chosen.List(i) == wanted)
            return QStringLiteral("-");
    return sEntry;
}

void FrmSelCol::MoveCol(int Index)
{
    ListBox& available = liCol(kAvailable);
    ListBox& chosen = liCol(kChosen);
    int iL = available.ListIndex();
    const int iR = chosen.ListIndex();
    bool toLastStep = false;
    switch (Index) {
    case 0:
        if (iL < 0)
            break;
        if (chosen.ListCount() == 0) {
            // The first chosen entry is the list's first column: it comes over before anything else.
            chosen.AddItem(available.List(0));
            available.RemoveItem(0);
            --iL;
            if (iL < 0) {
                zeigAuf(kAvailable, 0);
                break;
            }
        }
        {
            const QString s = available.List(iL);
            if (s == cardListText(kCaptionBase + kPunchList))
                gPunchListChosen = true;
            if (gPunchGroupNames.contains(s)) {
                const QString r = mitNr(s);
                if (r.startsWith(QLatin1Char(' '))) {
                    chosen.AddItem(r.trimmed());
                    available.RemoveItem(iL);
                } else if (r == u"-") {
                    available.setListIndex(iL);
                    focus(txtPP);
                    toLastStep = true;
                    break;
                } else if (!r.isEmpty()) {
                    chosen.AddItem(r);
                } else {
                    available.RemoveItem(iL);
                }
            } else {
                available.RemoveItem(iL);
                chosen.AddItem(s);
            }
        }
        zeigAuf(kAvailable, iL);
        break;
    case 1:
        if (iR <= 0) {
            toLastStep = true;
            break;
        }
        {
            const QString s = chosen.List(iR);
            if (s == cardListText(kCaptionBase + kPunchList))
                gPunchListChosen = false;
            if (!isGroupEntry(s))
                available.AddItem(s);
            chosen.RemoveItem(iR);
        }
        zeigAuf(kChosen, iR);
        break;
    case 2:
        machList(1);
        if (chosen.ListCount() > 0)
            chosen.setListIndex(chosen.ListCount() - 1);
        break;
    case 3:
        if (iR == 0) {
            toLastStep = true;
            break;
        }
        machList(0);
        break;
    default:
        return;
    }
    if (!toLastStep) {
        showMoveButtons();
        focus(Command1(Index));
    }
    chkMitWt.setVisible(gPunchListChosen);
    chkMitWt.setValue(vbUnchecked);
}

void FrmSelCol::zeigAuf(int iCtr, int iList)
{
    ListBox& other = liCol(1 - iCtr);
    if (other.ListCount() > 0)
        other.setListIndex(other.ListCount() - 1);
    ListBox& target = liCol(iCtr).ListCount() > 0 ? liCol(iCtr) : other;
    if (target.ListCount() == 0)
        return;
    focus(target);
    if (iList >= 0 && iList < target.ListCount())
        target.setListIndex(iList);
    else if (iList - 1 >= 0 && iList - 1 < target.ListCount())
        target.setListIndex(iList - 1);
    else
        target.setListIndex(target.ListCount() - 1);
}

void FrmSelCol::showMoveButtons()
{
    const bool two = liCol(kChosen).ListCount() >= 2;
    cmdMove(0).setVisible(two);
    cmdMove(1).setVisible(two);
}

void FrmSelCol::Command1_Click(int Index)
{
    MoveCol(Index);
}

void FrmSelCol::liCol_DblClick(int Index)
{
    MoveCol(Index);
}

void FrmSelCol::liCol_KeyDown(int Index, int& KeyCode, int Shift)
{
    if (Shift != 0)
        return;
    if (Index == kAvailable && KeyCode == vbKeyRight) {
        KeyCode = 0;
        MoveCol(0);
    } else if (Index == kChosen && KeyCode == vbKeyLeft) {
        KeyCode = 0;
        MoveCol(1);
    }
}

void FrmSelCol::liCol_Click(int Index)
{
    // The first chosen entry stays where it is: the highlight goes on to the next one.
    ListBox& chosen = liCol(kChosen);
    if (Index == kChosen && chosen.ListIndex() == 0 && chosen.ListCount() > 1)
        chosen.setListIndex(1);
}

void FrmSelCol::cmdMove_Click(int Index)
{
    ListBox& chosen = liCol(kChosen);
    const int i = chosen.ListIndex();
    const int to = Index == 0 ? i - 1 : i + 1;
    const bool allowed = Index == 0 ? i >= 2 : i >= 1 && i < chosen.ListCount() - 1;
    if (!allowed)
        return;
    const QString s = chosen.List(i);
    chosen.RemoveItem(i);
    chosen.AddItem(s, to);
    chosen.setListIndex(to);
}

void FrmSelCol::txtPP_KeyPress(int& KeyAscii)
{
    if (KeyAscii == vbKeyBack)
        return;
    const QString text = txtPP.Text();
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    const bool full = text.size() >= kPunchDigits && txtPP.SelLength() == 0;
    const bool leadingZero = KeyAscii == '0' && (text.isEmpty() || txtPP.SelLength() == text.size());
    if (!digit || full || leadingZero) {
        KeyAscii = 0;
        Beep();
    }
}

void FrmSelCol::txtPP_Change()
{
    // Cards carry up to 192 punches: a higher number goes back to the last one accepted.
    if (Val(txtPP.Text()) > kMaxPunches) {
        txtPP.setText(oldPP);
        txtPP.setSelStart(0);
        txtPP.setSelLength(int(txtPP.Text().size()));
        Beep();
    }
    oldPP = txtPP.Text();
}

void FrmSelCol::txtPP_GotFocus()
{
    txtPP.setSelStart(0);
    txtPP.setSelLength(int(txtPP.Text().size()));
}

void FrmSelCol::cmdOK_Click()
{
    Screen.setMousePointer(vbHourglass);
    FrmCards& cards = frmCards();
    cards.lvCards.setVisible(false);
    ColumnHeaderList& columns = cards.lvCards.ColumnHeaders();
    QList<QPair<QString, int>> old;
    for (int i = 1; i <= columns.Count(); ++i)
        old.append({columns.Item(i).Text(), columns.Item(i).Width()});
    columns.Clear();

    gPunchColumnMode = 0;
    // The row builder adds per-punch columns above this number: the highest punch chosen here.
    int highestPunch = 0;
    const ListBox& chosen = liCol(kChosen);
    for (int e = 0; e < chosen.ListCount(); ++e) {
        const QString entry = chosen.List(e);
        const bool numbered = isNumberedColumnEntry(entry);
        const QString compared = numbered ? numberedTail(entry) : entry;
        const int number = numbered ? std::min(int(Val(entry)), kMaxPunches) : 0;
        for (int c = 1; c <= kCatalogueSize; ++c) {
            const QString name = catalogueName(c);
            if (name.isEmpty() || (numbered ? groupTail(name) : name) != compared)
                continue;
            int width = kNewColumnWidth;
            for (const auto& [caption, w] : old) {
                if (caption == entry) {
                    width = w;
                    break;
                }
            }
            int sub = number;
            if (c == kPunchList) {
                const bool weekday = chkMitWt.Value() == vbChecked;
                gPunchColumnMode = weekday ? 2 : 1;
                sub = weekday ? 2 : 0;
            }
            if (numbered && isGroupCode(c))
                highestPunch = std::max(highestPunch, number);
            const QString key = QStringLiteral("N%1%2").arg(100 + c).arg(sub, 3, 10, QLatin1Char('0'));
            cards.cardList().addColumn(key, entry, width);
        }
    }
    gPunchColumnCount = int16_t(highestPunch);

    cards.lvCards.setVisible(true);
    gColumnsChanged = true;
    cards.changedPanel().setVisible(true);
    Screen.setMousePointer(vbDefault);
    Unload(*this);
}

void FrmSelCol::cmdCancel_Click()
{
    Unload(*this);
    // The columns stay as they were; the rows were emptied when the dialog opened.
    UpdateCardListStatus(QString());
}

} // namespace qv

namespace qv {

// The card list's command that opens the chooser: unsaved rows and columns are offered for saving first,
// because the rows go when the columns change.
void FrmCards::mnuSelCol_Click()
{
    evtlSave();
    mnuNew_Click();
    statusPanel().setText(QString());
    frmSelCol().Show(vbModal);
}

} // namespace qv
