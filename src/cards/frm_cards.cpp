// The card list window frmCards: its controls, and its list view as the card-list code sees it.
#include "cards/frm_cards.h"

#include "app/language.h"
#include "cards/card_interpreter.h"
#include "platform/runtime/vberror.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeySequence>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <span>

#include <cmath>

namespace qv {

namespace {

// The toolbar's and the status bar's heights in twips, as the main window's.
constexpr int kToolbarHeight = 540;
constexpr int kStatusBarHeight = 330;

// The list view of the window under the card-list code's view of a list.
class LvCardsList : public CardListAccess
{
  public:
    explicit LvCardsList(ListView& view) : m_view(view) {}

    int columnCount() const override { return m_view.ColumnHeaders().Count(); }
    CardListColumn column(int i) const override
    {
        const ColumnHeader& c = m_view.ColumnHeaders().Item(i);
        return {c.Key(), c.Text(), double(c.Width()), c.Tag()};
    }
    bool addColumn(const QString& key, const QString& text, double width, const QString& tag) override
    {
        if (m_view.ColumnHeaders().find(key))
            return false;
        ColumnHeader& c = m_view.ColumnHeaders().Add({}, key, text, twips(width));
        c.setTag(tag);
        return true;
    }
    void setColumnWidth(int i, double width) override
    {
        m_view.ColumnHeaders().Item(i).setWidth(twips(width));
    }
    void clearColumns() override { m_view.ColumnHeaders().Clear(); }

    int rowCount() const override { return m_view.ListItems().Count(); }
    QString rowText(int j) const override { return m_view.ListItems().Item(j).Text(); }
    QString subItem(int j, int i) const override
    {
        return i >= 1 && i < columnCount() ? m_view.ListItems().Item(j).SubItems(i) : QString();
    }
    bool addRow(const QString& key, const QString& text) override
    {
        if (m_view.ListItems().find(key))
            return false;
        m_view.ListItems().Add({}, key, text);
        return true;
    }
    bool addRowCells(const QString& key, const QList<QStringView>& cells) override
    {
        if (m_view.ListItems().find(key))
            return false;
        ListItem& item =
            m_view.ListItems().Add({}, key, cells.isEmpty() ? QString() : cells.front().toString());
        // The cells go to the row's storage as they stand: no list of them is copied.
        if (cells.size() > 1)
            item.setSubItemTexts(std::span(cells.constData() + 1, size_t(cells.size() - 1)));
        return true;
    }
    void setSubItem(int j, int i, const QString& text) override
    {
        // The list view holds one sub-item per column after the first.
        if (i >= 1 && i < columnCount())
            m_view.ListItems().Item(j).setSubItems(i, text);
    }
    void rowCells(int j, QList<QStringView>& cells) const override
    {
        const ListItem& item = m_view.ListItems().Item(j);
        cells.resize(std::max(1, columnCount()));
        cells[0] = item.Text();
        for (qsizetype i = 1; i < cells.size(); ++i)
            cells[i] = item.subItemView(int(i));
    }
    void clearRows() override { m_view.ListItems().Clear(); }

    void selectRow(int j) override
    {
        // With the rows added before it: a dump file re-evaluated selects and scrolls once, at its end.
        m_view.selectAndShowLater(m_view.ListItems().Item(j));
    }
    void setListVisible(bool visible) override { m_view.setVisible(visible); }

  private:
    // Widths in whole twips; a width too large for the view is cut to what it can show.
    static int twips(double width)
    {
        if (!std::isfinite(width) || width < 0)
            return 0;
        return width > 1e7 ? int(1e7) : int(std::lround(width));
    }

    ListView& m_view;
};

} // namespace

FrmCards::FrmCards() : Form(QStringLiteral("frmCards")), m_list(std::make_unique<LvCardsList>(lvCards))
{
    setCaption(QStringLiteral("cards lesen"));
    setTag(QStringLiteral("1950"));
    Move(0, 3200, 9000, 6000);

    // The toolbar's commands, in their order, with their designer tool-tips and pictures; the ninth picture
    // is the "Alt" button's when the window opens without an operation (refresh).
    struct ButtonDesign
    {
        const char* key;
        const char* toolTip;
        QStyle::StandardPixmap picture;
    };
    const ButtonDesign buttons[] = {
        {"Öffnen", "öffnen qv-card datei", QStyle::SP_DialogOpenButton},
        {"Speichern", "speichern", QStyle::SP_DialogSaveButton},
        {"Drucken", "drucken", QStyle::SP_FileDialogDetailedView},
        {"Neu", "neue auswertung", QStyle::SP_FileIcon},
        {"Alt", "zeig vorhandene auswertung", QStyle::SP_FileDialogContentsView},
        {"Suchen", "suchen", QStyle::SP_FileDialogInfoView},
        {"Löschen", "löschen", QStyle::SP_TrashIcon},
        {"Ende", "beenden", QStyle::SP_DialogCloseButton},
    };
    const auto picture = [](QStyle::StandardPixmap which) {
        return QApplication::style()->standardIcon(which).pixmap(24, 24);
    };
    for (const ButtonDesign& b : buttons)
        imlToolbarIcons.ListImages().Add({}, QString::fromUtf8(b.key), picture(b.picture));
    imlToolbarIcons.ListImages().Add({}, QStringLiteral("Refresh"), picture(QStyle::SP_BrowserReload));
    Toolbar1.setImageList(&imlToolbarIcons);
    Toolbar1.setHeight(kToolbarHeight);
    int textId = 1731;
    for (const ButtonDesign& b : buttons) {
        const QString key = QString::fromUtf8(b.key);
        ToolbarButton& button = Toolbar1.Buttons().Add({}, key);
        button.setToolTipText(QString::fromUtf8(b.toolTip));
        button.setTag(QString::number(textId++));
        button.setImage(key);
    }

    // Panel 1 marks unsaved changes; panel 2 tells which files are in use.
    StatusBar1.setHeight(kStatusBarHeight);
    Panel& mark = StatusBar1.Panels().Add();
    mark.setWidth(300);
    mark.setVisible(false);
    StatusBar1.Panels().Add().setAutoSize(sbrSpring);

    chkMulti.setCaption(QStringLiteral("&doppelte cards zulassen"));
    chkMulti.setTag(QStringLiteral("1751"));
    chkSprintUsed.setCaption(QStringLiteral("&sprintstempel in station (4ms)"));
    chkSprintUsed.setTag(QStringLiteral("1753"));
    chkSprintUsed.setToolTipText(QStringLiteral("card5=Check, card6=St_CN und Zi_CN enthalten ms"));
    lblWait.setCaption(QStringLiteral("Wait!"));
    lblWait.setContainer(&piWait);
    piWait.setVisible(false);
    // The menus with their designer captions, text ids and shortcuts.
    struct MenuDesign
    {
        MenuItem& item;
        const char* caption;
        int textId;
        QKeySequence shortcut;
    };
    const MenuDesign menus[] = {
        {mnuFile, "datei", 1701, {}},
        {mnuOpenFile, "öffne  qv-card datei", 1702, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {mnuSaveFile, "sichern  qv-card datei", 1703, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {mnuPrint, "drucken  qv-cards", 1704, {}},
        {mnuTZ1, "-", 0, {}},
        {mnuOpen, "öffne SpaltenKopfDatei", 1705, {}},
        {mnuSave, "speichern SpaltenKopfDatei", 1706, {}},
        {mnuTZ2, "-", 0, {}},
        {mnuExit, "beenden", 1729, {}},
        {mnuEdit, "bearbeiten", 1711, {}},
        {mnuNew, "neue auswertung", 1712, {}},
        {mnuPrevEval, "vorhandene auswertung zeigen", 1713, {}},
        {mnuDetails, "zeile zeigen", 1714, QKeySequence(Qt::CTRL | Qt::Key_D)},
        {mnuFind, "suchen", 1715, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {mnuFindContinue, "weitersuchen", 0, QKeySequence(Qt::Key_F3)},
        {mnuDelete, "zeile löschen", 1716, QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {mnuSettings, "einstellungen", 1721, {}},
        {mnuSelCol, "spalten", 1722, {}},
        {mnuMulti, "doppelte cards zulassen", 1723, {}},
        {mnuSprintUsed, "sprintstempel in station", 1725, {}},
        {mnuSetClipBoard, "automatisch in zwischenablage", 0, {}},
        {mnuQVEL_Nodrel, "nodrel", 0, {}},
    };
    for (const MenuDesign& m : menus) {
        m.item.setCaption(QString::fromUtf8(m.caption));
        m.item.setHelpContextID(m.textId);
        if (!m.shortcut.isEmpty())
            m.item.setShortcut(m.shortcut);
    }

    wireHandlers();
    InstallCardListRowHook();
}

FrmCards::~FrmCards() = default;

namespace {

// The width a check box needs for its caption and its box, in twips.
int checkBoxWidth(const CheckBox& box)
{
    const QWidget* w = box.widget();
    if (!w)
        return box.Width();
    const QString caption = QString(box.Caption()).remove(QLatin1Char('&'));
    const int indicator = w->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                          w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 12;
    return pixelsToTwips(QFontMetrics(w->font()).horizontalAdvance(caption) + indicator);
}

} // namespace

// The list fills the window between the toolbar and a strip above the status bar; the strip holds the two
// toggles on the left, the waiting indicator after them and the read-out progress on the right.
void FrmCards::Form_Resize()
{
    constexpr int kMargin = 60;
    constexpr int kStripHeight = 330;
    constexpr int kProgressWidth = 2400;
    constexpr int kWaitWidth = 1200;
    const int toolbar = Toolbar1.Visible() ? Toolbar1.Height() : 0;
    const int status = StatusBar1.Visible() ? StatusBar1.Height() : 0;
    const int stripTop = std::max(toolbar + kMargin, ScaleHeight() - status - kStripHeight - kMargin / 2);
    const int width = std::max(0, ScaleWidth() - 2 * kMargin);
    lvCards.Move(kMargin, toolbar + kMargin, width, std::max(0, stripTop - toolbar - 2 * kMargin));

    int left = kMargin;
    for (CheckBox* box : {&chkMulti, &chkSprintUsed}) {
        box->Move(left, stripTop, checkBoxWidth(*box), kStripHeight);
        if (box->Visible())
            left += box->Width() + 2 * kMargin;
    }
    const int progressLeft = std::max(left, ScaleWidth() - kMargin - kProgressWidth);
    pbProgressReadCard.Move(progressLeft, stripTop + 45, std::max(0, ScaleWidth() - kMargin - progressLeft),
                            kStripHeight - 90);
    piWait.Move(left, stripTop, std::max(0, std::min(kWaitWidth, progressLeft - kMargin - left)),
                kStripHeight);
    lblWait.Move(0, 45, piWait.Width(), kStripHeight - 90);
}

CardListAccess& FrmCards::cardList()
{
    return *m_list;
}

ToolbarButton& FrmCards::saveButton()
{
    return Toolbar1.Buttons().Item(QStringLiteral("Speichern"));
}

Panel& FrmCards::changedPanel()
{
    return StatusBar1.Panels().Item(1);
}

Panel& FrmCards::statusPanel()
{
    return StatusBar1.Panels().Item(2);
}

void InstallCardListRowHook()
{
    AddCardListRowHook = [] { AddCardListRow(); };
}

} // namespace qv
