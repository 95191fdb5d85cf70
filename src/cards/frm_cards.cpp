// The card list window frmCards: its controls, and its list view as the card-list code sees it.
#include "cards/frm_cards.h"

#include "app/language.h"
#include "cards/card_interpreter.h"
#include "platform/runtime/vberror.h"

#include <cmath>

namespace qv {

namespace {

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
    void setSubItem(int j, int i, const QString& text) override
    {
        // The list view holds one sub-item per column after the first.
        if (i >= 1 && i < columnCount())
            m_view.ListItems().Item(j).setSubItems(i, text);
    }
    void clearRows() override { m_view.ListItems().Clear(); }

    void selectRow(int j) override
    {
        ListItem& item = m_view.ListItems().Item(j);
        item.setSelected(true);
        item.EnsureVisible();
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

    // The toolbar's commands, in their order, with their designer tool-tips.
    const std::pair<const char*, const char*> buttons[] = {
        {"Öffnen", "öffnen qv-card datei"},
        {"Speichern", "speichern"},
        {"Drucken", "drucken"},
        {"Neu", "neue auswertung"},
        {"Alt", "zeig vorhandene auswertung"},
        {"Suchen", "suchen"},
        {"Löschen", "löschen"},
        {"Ende", "beenden"},
    };
    int textId = 1731;
    for (const auto& [key, tip] : buttons) {
        ToolbarButton& b = Toolbar1.Buttons().Add({}, QString::fromUtf8(key));
        b.setToolTipText(QString::fromUtf8(tip));
        b.setTag(QString::number(textId++));
    }

    // Panel 1 marks unsaved changes; panel 2 tells which files are in use.
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
    mnuSettings.setCaption(QStringLiteral("einstellungen"));
    mnuSettings.setHelpContextID(1721);
    mnuQVEL_Nodrel.setCaption(QStringLiteral("nodrel"));

    InstallCardListRowHook();
}

FrmCards::~FrmCards() = default;

void FrmCards::Form_Load()
{
    ApplyLanguage(*this);
}

void FrmCards::Form_Resize()
{
    const int toolbar = Toolbar1.Height();
    lvCards.setTop(toolbar + 60);
    if (toolbar + 300 < ScaleHeight())
        lvCards.setHeight(ScaleHeight() - toolbar - 300);
    if (Width() > 130)
        lvCards.setWidth(Width() - 130);
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

void ShowCardListModal()
{
    frmCards().Show(vbModal);
}

void InstallCardListRowHook()
{
    AddCardListRowHook = [] { AddCardListRow(); };
}

} // namespace qv
