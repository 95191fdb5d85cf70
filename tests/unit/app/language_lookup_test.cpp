// Language lookups: message texts by id, control texts, escapes, and the shipped files.
#include "app/language.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace qv;

namespace {

class LanguageLookup : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        const QString xml = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<Config>
  <Languages><DEU>Deutsch</DEU><ENU>English</ENU></Languages>
  <WithoutForm>
    <s1812>Read</s1812>
    <s1813></s1813>
    <s1814>a &amp;gt; b &amp;lt; c __Save</s1814>
    <s1815>one <b>two</b> three</s1815>
  </WithoutForm>
  <frmMain>
    <Caption>Main</Caption>
    <CheckBox>
      <chkCPC Index="0"><Caption>Autosend</Caption></chkCPC>
      <chkCPC Index="1"><Caption>Autosend W</Caption><ToolTipText>tip 1</ToolTipText></chkCPC>
    </CheckBox>
    <Label>
      <lblPort><Caption>Port</Caption></lblPort>
    </Label>
  </frmMain>
  <frmEmpty/>
</Config>)");
        ASSERT_TRUE(gXmlDoc.setContent(xml));
    }
    void TearDown() override { gXmlDoc.clear(); }
};

} // namespace

TEST_F(LanguageLookup, MessageTexts)
{
    EXPECT_EQ(GetLangText(gLangIndex, 1812, QStringLiteral("whatever")), QStringLiteral("Read"));
    EXPECT_EQ(GetLangText(gLangIndex, 1813, QStringLiteral("default")), QString()); // empty wins over default
    EXPECT_EQ(GetLangText(gLangIndex, 1999, QStringLiteral("default")), QStringLiteral("default"));
    EXPECT_EQ(GetLangText(gLangIndex, 1814, {}), QStringLiteral("a > b < c &Save"));
    EXPECT_EQ(GetLangText(gLangIndex, 1815, {}), QStringLiteral("one two three")); // whole text content
}

TEST_F(LanguageLookup, NothingLoadedGivesDefaults)
{
    gXmlDoc.clear();
    EXPECT_EQ(GetLangText(gLangIndex, 1812, QStringLiteral("dflt")), QStringLiteral("dflt"));
    EXPECT_EQ(GetControlText(gLangIndex, QStringLiteral("frmMain"), QStringLiteral("Label"),
                             QStringLiteral("lblPort"), {}, QStringLiteral("Caption"),
                             QStringLiteral("dflt")),
              QString());
}

TEST_F(LanguageLookup, ControlTexts)
{
    struct Case
    {
        const char* form;
        const char* type;
        const char* control;
        const char* index;
        const char* property;
        const char* expected;
    };
    const Case cases[] = {
        {"frmMain", "", "", "", "Caption", "Main"},                 // the window's own caption
        {"frmMain", "", "", "", "ToolTipText", ""},                 // a window property it lacks
        {"frmMain", "Label", "lblPort", "", "Caption", "Port"},     // a single control
        {"frmMain", "Label", "lblNone", "", "Caption", "dflt"},     // a missing control
        {"frmMain", "Label", "lblPort", "", "ToolTipText", "dflt"}, // a missing property
        {"frmMain", "CheckBox", "chkCPC", "1", "Caption", "Autosend W"},
        {"frmMain", "CheckBox", "chkCPC", "0", "Caption", "Autosend"},
        {"frmMain", "CheckBox", "chkCPC", "1", "ToolTipText", "tip 1"},
        {"frmMain", "CheckBox", "chkCPC", "2", "Caption", "dflt"}, // no such member
        {"frmMain", "CheckBox", "chkCPC", "0", "ToolTipText", "dflt"},
        {"frmOther", "Label", "lblPort", "", "Caption", ""}, // no element for the window
        {"frmEmpty", "Label", "lblPort", "", "Caption", ""}, // an empty window element
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetControlText(gLangIndex, QString::fromUtf8(c.form), QString::fromUtf8(c.type),
                                 QString::fromUtf8(c.control), QString::fromUtf8(c.index),
                                 QString::fromUtf8(c.property), QStringLiteral("dflt")),
                  QString::fromUtf8(c.expected))
            << c.form << " " << c.control << " " << c.index << " " << c.property;
}

TEST(UnescapeLangText, ReplacesInOrder)
{
    EXPECT_EQ(UnescapeLangText(QStringLiteral("&gt;&lt;__x")), QStringLiteral("><&x"));
    EXPECT_EQ(UnescapeLangText(QStringLiteral("a___b")), QStringLiteral("a&_b"));
    EXPECT_EQ(UnescapeLangText(QStringLiteral("&amp;gt;")), QStringLiteral("&amp;gt;"));
}

// Both shipped language files parse, declare the same languages and hold the
// same message ids, so switching the language never falls back to defaults.
TEST(ShippedLanguageFiles, AreCompleteAndAlike)
{
    QStringList idsByFile[2];
    const char* codes[] = {"ENU", "DEU"};
    for (int i = 0; i < 2; ++i) {
        QFile f(QDir(test::resourcesDir()).filePath(LanguageFileName(QString::fromUtf8(codes[i]))));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        QDomDocument doc;
        QString err;
        ASSERT_TRUE(doc.setContent(&f, &err)) << err.toStdString();
        const QDomElement root = doc.documentElement();
        ASSERT_EQ(root.tagName(), QStringLiteral("Config"));
        QStringList langs;
        for (QDomElement e = root.firstChildElement(QStringLiteral("Languages")).firstChildElement();
             !e.isNull(); e = e.nextSiblingElement())
            langs << e.tagName();
        EXPECT_EQ(langs, (QStringList{QStringLiteral("DEU"), QStringLiteral("ENU")}));
        for (QDomElement e = root.firstChildElement(QStringLiteral("WithoutForm")).firstChildElement();
             !e.isNull(); e = e.nextSiblingElement()) {
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^s1\\d{3}$")).match(e.tagName()).hasMatch())
                << e.tagName().toStdString();
            idsByFile[i] << e.tagName();
        }
        idsByFile[i].sort();
    }
    EXPECT_EQ(idsByFile[0], idsByFile[1]);
}
