// Language lookups: message texts by id, control texts, escapes, and the shipped files.
#include "app/language.h"
#include "support/test_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
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
// same message ids, each once, so switching the language never falls back to defaults.
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
        // Only the first of two entries under one id is ever shown: the second's wording is lost.
        QStringList once = idsByFile[i];
        once.removeDuplicates();
        EXPECT_EQ(once, idsByFile[i]) << codes[i] << " holds an id twice";
    }
    EXPECT_EQ(idsByFile[0], idsByFile[1]);
}

namespace {

// A shipped language file as a document.
QDomDocument shippedLanguageFile(const char* code)
{
    QDomDocument doc;
    QFile f(QDir(test::resourcesDir()).filePath(LanguageFileName(QString::fromUtf8(code))));
    if (f.open(QIODevice::ReadOnly))
        doc.setContent(&f);
    return doc;
}

// Every source file of the program with its text.
QList<std::pair<QString, QString>> programSources()
{
    QList<std::pair<QString, QString>> sources;
    const QDir src(QDir(test::resourcesDir()).filePath(QStringLiteral("../src")));
    QDirIterator it(src.absolutePath(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            sources.append({src.relativeFilePath(f.fileName()), QString::fromUtf8(f.readAll())});
    }
    return sources;
}

int lineOf(const QString& text, qsizetype at)
{
    return int(text.left(at).count(u'\n')) + 1;
}

} // namespace

// Every text id the program looks up with a literal id (directly, through the small lookup helpers that
// take an id, or as a named text-id constant), and every state text looked up by base and number, is in
// both shipped files: a missing one shows its built-in default or nothing at all in one language.
TEST(ShippedLanguageFiles, HoldEveryTextTheProgramLooksUp)
{
    const QDomDocument files[] = {shippedLanguageFile("ENU"), shippedLanguageFile("DEU")};
    const char* codes[] = {"ENU", "DEU"};
    for (const QDomDocument& doc : files)
        ASSERT_FALSE(doc.isNull());

    // The calls that take a text id; the first capture is the id.
    const QRegularExpression lookups[] = {
        QRegularExpression(QStringLiteral(R"(GetLangText\(\s*[\w.]+\s*,\s*(\d+)\s*[,)])")),
        QRegularExpression(QStringLiteral(R"(\b(?:lang|cardListText|t)\(\s*(\d{4})\s*[,)])")),
        QRegularExpression(QStringLiteral(R"(setActionText\(\s*\w+\s*,\s*(\d+)\s*[,)])")),
        QRegularExpression(QStringLiteral(R"(\bReplyText\s+\w+\s*\{\s*(\d+)\s*,)")),
        QRegularExpression(QStringLiteral(R"(constexpr\s+int32_t\s+kText\w*\s*=\s*(\d+)\s*;)")),
    };
    // A text id plus a number: the base constant, the constant of the highest number.
    const std::pair<const char*, const char*> ranges[] = {
        {"kStationStatusTextBase", "kStationStatusMax"},
    };
    // Control texts looked up by window, control type and control name.
    const QRegularExpression controlLookup(QStringLiteral(
        R"re(GetControlText\(\s*\w+\s*,\s*QStringLiteral\("(\w+)"\)\s*,\s*QStringLiteral\("(\w+)"\)\s*,\s*QStringLiteral\("(\w+)"\))re"));

    struct Use
    {
        int id;
        QString where;
    };
    QList<Use> uses;
    QStringList missing;
    const auto sources = programSources();
    ASSERT_FALSE(sources.isEmpty());
    for (const auto& [name, text] : sources) {
        for (const QRegularExpression& re : lookups) {
            for (auto m = re.globalMatch(text); m.hasNext();) {
                const auto match = m.next();
                uses.append({match.captured(1).toInt(),
                             name + u':' + QString::number(lineOf(text, match.capturedStart()))});
            }
        }
        for (const auto& [base, max] : ranges) {
            const auto b = QRegularExpression(QStringLiteral(R"(\b%1\s*=\s*(\d+))").arg(QLatin1String(base)))
                               .match(text);
            const auto n =
                QRegularExpression(QStringLiteral(R"(\b%1\s*=\s*(\d+))").arg(QLatin1String(max))).match(text);
            if (b.hasMatch() && n.hasMatch()) {
                for (int i = 0; i <= n.captured(1).toInt(); ++i)
                    uses.append({b.captured(1).toInt() + i,
                                 name + QStringLiteral(" (%1 + %2)").arg(QLatin1String(base)).arg(i)});
            }
        }
        for (auto m = controlLookup.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            for (int f = 0; f < 2; ++f) {
                const QDomElement control = files[f]
                                                .documentElement()
                                                .firstChildElement(match.captured(1))
                                                .firstChildElement(match.captured(2))
                                                .firstChildElement(match.captured(3));
                if (control.isNull())
                    missing << QStringLiteral("%1 %2/%3/%4 (%5:%6)")
                                   .arg(QLatin1String(codes[f]), match.captured(1), match.captured(2),
                                        match.captured(3), name)
                                   .arg(lineOf(text, match.capturedStart()));
            }
        }
    }
    // The scan finds the lookups it is meant to find.
    const auto found = [&uses](int id) {
        return std::any_of(uses.begin(), uses.end(), [id](const Use& u) { return u.id == id; });
    };
    for (int id : {1250, 1253, 1033, 1200, 1206, 1962, 1809, 1076})
        EXPECT_TRUE(found(id)) << id;

    for (const Use& use : uses) {
        for (int f = 0; f < 2; ++f) {
            const QDomElement text = files[f]
                                         .documentElement()
                                         .firstChildElement(QStringLiteral("WithoutForm"))
                                         .firstChildElement(QStringLiteral("s%1").arg(use.id));
            if (text.isNull())
                missing
                    << QStringLiteral("%1 s%2 (%3)").arg(QLatin1String(codes[f])).arg(use.id).arg(use.where);
        }
    }
    missing.removeDuplicates();
    EXPECT_TRUE(missing.isEmpty()) << missing.join(u'\n').toStdString();
}

// A text the user reads says what it means: no "???" stands in for words in either shipped file.
TEST(ShippedLanguageFiles, HoldNoQuestionMarksForWords)
{
    for (const char* code : {"ENU", "DEU"}) {
        const QDomDocument doc = shippedLanguageFile(code);
        ASSERT_FALSE(doc.isNull()) << code;
        const QDomNodeList all = doc.elementsByTagName(QStringLiteral("*"));
        for (int i = 0; i < all.size(); ++i) {
            const QDomElement e = all.at(i).toElement();
            if (!e.firstChildElement().isNull())
                continue;
            EXPECT_FALSE(e.text().contains(QStringLiteral("???")))
                << code << " " << e.tagName().toStdString() << ": " << e.text().toStdString();
        }
    }
}
