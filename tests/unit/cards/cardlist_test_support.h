// Helpers of the card-list tests: language texts, a clean program state, temporary folders, list contents.
#pragma once
#include "app/file_helpers.h"
#include "app/language.h"
#include "app/settings.h"
#include "cards/cardlist_model.h"
#include "cards/cardlist_state.h"
#include "platform/controls/screen.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "support/card_list_close.h"
#include "support/test_support.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/program_state.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QEvent>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

namespace qv::test {

// Column headings and messages as a language file gives them (short English texts).
inline QMap<int, QString> cardListLanguageTexts()
{
    QMap<int, QString> t;
    const char* headings[] = {"No.", "Read at", "Card",  "Extra", "Name", "First",  "Club", "Country",
                              "Sex", "Born",    "Email", "Phone", "City", "Street", "Zip",  "Class"};
    for (int i = 0; i < 16; ++i)
        t.insert(1601 + i, QString::fromLatin1(headings[i]));
    const char* slotHeadings[] = {"Clear CN",   "Clear day",   "Clear time", "Check CN",   "Check day",
                                  "Check time", "Start CN",    "Start day",  "Start time", "Finish CN",
                                  "Finish day", "Finish time", "Punches"};
    for (int i = 0; i < 13; ++i)
        t.insert(1621 + i, QString::fromLatin1(slotHeadings[i]));
    t.insert(1641, QStringLiteral("CN"));
    t.insert(1642, QStringLiteral("Day"));
    t.insert(1643, QStringLiteral("Time"));
    const char* later[] = {"Aux1 CN",   "Aux1 day", "Aux1 time", "Aux2 CN",  "Aux2 day", "Aux2 time",
                           "Aux3 CN",   "Aux3 day", "Aux3 time", "Hardware", "Software", "Card date",
                           "Batt date", "Volt",     "Info",      "Deleted",  "Hex 1",    "Hex 2"};
    for (int i = 0; i < 18; ++i)
        t.insert(1644 + i, QString::fromLatin1(later[i]));
    t.insert(1600, QStringLiteral("Cards"));
    t.insert(1011, QStringLiteral("heading not recognised"));
    t.insert(1012, QStringLiteral("headings not recognised"));
    t.insert(1935, QStringLiteral("Only 64 punches"));
    t.insert(1841, QStringLiteral("kept"));
    t.insert(1842, QStringLiteral("Cannot save"));
    t.insert(1844, QStringLiteral("Reason:"));
    t.insert(1755, QStringLiteral("List file"));
    t.insert(1756, QStringLiteral("Column file"));
    t.insert(1849, QStringLiteral("Row"));
    t.insert(1975, QStringLiteral("Needs the extended protocol"));
    return t;
}

// Loads the given texts as the language file for the lifetime of the object.
class ScopedLanguageTexts
{
  public:
    explicit ScopedLanguageTexts(const QMap<int, QString>& texts = cardListLanguageTexts())
        : m_previous(gXmlDoc)
    {
        QDomDocument doc;
        QDomElement root = doc.createElement(QStringLiteral("Config"));
        doc.appendChild(root);
        QDomElement without = doc.createElement(QStringLiteral("WithoutForm"));
        root.appendChild(without);
        for (auto it = texts.begin(); it != texts.end(); ++it) {
            QDomElement e = doc.createElement(QStringLiteral("s%1").arg(it.key()));
            e.appendChild(doc.createTextNode(it.value()));
            without.appendChild(e);
        }
        gXmlDoc = doc;
    }
    ~ScopedLanguageTexts() { gXmlDoc = m_previous; }
    ScopedLanguageTexts(const ScopedLanguageTexts&) = delete;
    ScopedLanguageTexts& operator=(const ScopedLanguageTexts&) = delete;

  private:
    QDomDocument m_previous;
};

// The texts and choices the card-list tests expect, on top of the start values (the test main resets every
// program-wide value before a test's fixture, with its language texts, is made).
inline void setCardListChoices()
{
    gAutoClipBoard = false;
    gColHeadTitle = QStringLiteral("Quarvelink;QV-Config");
    gWeekdayNames = QStringLiteral("Sunday    Monday    Tuesday   Wednesday Thursday  Friday    Saturday  ");
    gFileMsgText = QStringLiteral("Error");
}

// A test with language texts, a clean state and a temporary folder.
class CardListTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        setCardListChoices();
        DialogHooks::reset();
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override { resetProgramState(); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    static QByteArray bytesOf(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeBytes(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // The message boxes shown so far, their prompts.
    static QStringList prompts()
    {
        QStringList p;
        for (const DialogRequest& r : DialogHooks::asked())
            p.append(r.prompt);
        return p;
    }

    ScopedLanguageTexts m_texts;
    QTemporaryDir m_dir;
};

// The card list window on a pinned screen, with no operation running. Each test leaves no window, modal
// answer or pending deletion behind for the next (a fixture unloads its own dialogs first, then calls this
// TearDown).
class CardListWindowTest : public CardListTest
{
  protected:
    void SetUp() override
    {
        CardListTest::SetUp();
        Screen.pinSize(15360, 11520);
        gActionCode = ActNone;
    }
    void TearDown() override
    {
        Form::clearModalAnswers();
        unloadCardListWithoutSaving();
        if (FormInstance<FrmMain>::loaded())
            Unload(frmMain());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Screen.unpinSize();
        CardListTest::TearDown();
    }
};

// A list with the given headings and rows (first cell, then the sub-items).
inline void fillList(CardListAccess& list, const QStringList& headings, const QList<QStringList>& rows)
{
    for (int i = 0; i < headings.size(); ++i)
        list.addColumn(QStringLiteral("K%1").arg(i + 1), headings[i], 1000);
    for (const QStringList& row : rows) {
        list.addRow(QString(), row.value(0));
        for (int i = 1; i < row.size(); ++i)
            list.setSubItem(list.rowCount(), i, row[i]);
    }
}

// The cells of a list, row by row (first cell and every column's sub-item).
inline QList<QStringList> cellsOf(const CardListAccess& list)
{
    QList<QStringList> rows;
    for (int j = 1; j <= list.rowCount(); ++j) {
        QStringList r{list.rowText(j)};
        for (int i = 2; i <= list.columnCount(); ++i)
            r.append(list.subItem(j, i - 1));
        rows.append(r);
    }
    return rows;
}

inline QStringList headingsOf(const CardListAccess& list)
{
    QStringList h;
    for (int i = 1; i <= list.columnCount(); ++i)
        h.append(list.column(i).text);
    return h;
}

inline QStringList keysOf(const CardListAccess& list)
{
    QStringList k;
    for (int i = 1; i <= list.columnCount(); ++i)
        k.append(list.column(i).key);
    return k;
}

} // namespace qv::test
