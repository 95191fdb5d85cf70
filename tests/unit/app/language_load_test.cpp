// Loading language files: the language list, missing and broken files, the empty-list message.
#include "app/app_state.h"
#include "app/language.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/paths.h"
#include "support/test_support.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qv;

namespace {

class LanguageLoad : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_paths = std::make_unique<ScopedPathOverride>(m_tmp.path(), m_tmp.path());
        gLangCodes = QStringList{QString(), QStringLiteral("XYZ")};
        gLangNames = QStringList{QString(), QString()};
        gLangIndex = 1;
    }
    void TearDown() override
    {
        gXmlDoc.clear();
        gLangCodes = QStringList{QString()};
        gLangNames = QStringList{QString()};
        gLangIndex = 0;
    }
    void writeFile(const QByteArray& content, const QString& code = QStringLiteral("XYZ"))
    {
        QFile f(m_tmp.filePath(LanguageFileName(code)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QTemporaryDir m_tmp;
    std::unique_ptr<ScopedPathOverride> m_paths;
};

} // namespace

TEST_F(LanguageLoad, LoadsTextsAndRebuildsTheLanguageList)
{
    writeFile("<Config><Languages><DEU>Deutsch</DEU><XYZ>Xy</XYZ><ENU>English</ENU></Languages>"
              "<WithoutForm><s1001>Hello</s1001></WithoutForm></Config>");
    EXPECT_TRUE(LoadLanguageFile(true));
    EXPECT_EQ(gLangCodes, (QStringList{QString(), "DEU", "XYZ", "ENU"}));
    EXPECT_EQ(gLangNames, (QStringList{QString(), "Deutsch", "Xy", "English"}));
    EXPECT_EQ(GetLangText(gLangIndex, 1001, QStringLiteral("d")), QStringLiteral("Hello"));
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(LanguageLoad, MissingFileIsReportedAndTheTextsStay)
{
    writeFile(
        "<Config><Languages><XYZ>Xy</XYZ></Languages><WithoutForm><s1001>Old</s1001></WithoutForm></Config>");
    ASSERT_TRUE(LoadLanguageFile(true));
    gLangCodes = QStringList{QString(), QStringLiteral("NOP")};
    DialogHooks::queue(DialogAnswer::press(vbOK));
    EXPECT_FALSE(LoadLanguageFile(true));
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked()[0].prompt,
              QStringLiteral("Missing ") + m_tmp.path() + QStringLiteral("/QV-ConfigNOP.xml"));
    EXPECT_EQ(DialogHooks::asked()[0].style & 0xF0, vbCritical);
    EXPECT_EQ(GetLangText(gLangIndex, 1001, QStringLiteral("d")), QStringLiteral("Old"));
}

TEST_F(LanguageLoad, BrokenFileIsReportedAndLookupsGiveDefaults)
{
    writeFile(
        "<Config><Languages><XYZ>Xy</XYZ></Languages><WithoutForm><s1001>Old</s1001></WithoutForm></Config>");
    ASSERT_TRUE(LoadLanguageFile(true));
    writeFile("<Config>\n<WithoutForm><s1001>New</s1001>\n</Config>\n");
    DialogHooks::queue(DialogAnswer::press(vbOK));
    EXPECT_FALSE(LoadLanguageFile(true));
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    const DialogRequest& r = DialogHooks::asked()[0];
    EXPECT_TRUE(r.prompt.startsWith(
        QStringLiteral("Your XML Document failed to loaddue the following error.\r\nError #: ")))
        << r.prompt.toStdString();
    EXPECT_TRUE(r.prompt.contains(QStringLiteral("Line #: 3\r\n"))) << r.prompt.toStdString();
    EXPECT_TRUE(r.prompt.contains(QStringLiteral("Source Text: </Config>\r\n"))) << r.prompt.toStdString();
    EXPECT_TRUE(r.prompt.endsWith(QStringLiteral("QV-ConfigXYZ.xml")));
    EXPECT_EQ(r.style & 0xF0, vbExclamation);
    EXPECT_EQ(GetLangText(gLangIndex, 1001, QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(gLangCodes, (QStringList{QString(), "XYZ"}));
}

// An empty language list is reported once per load, not on every lookup.
TEST_F(LanguageLoad, EmptyLanguageListIsReportedOncePerLoad)
{
    writeFile("<Config><Languages/><WithoutForm><s1001>Hi</s1001></WithoutForm></Config>");
    DialogHooks::queue(DialogAnswer::press(vbOK));
    EXPECT_TRUE(LoadLanguageFile(true));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(GetLangText(gLangIndex, 1001, QString()), QStringLiteral("Hi"));
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked()[0].prompt, QStringLiteral("No languages configures"));
    EXPECT_EQ(gLangCodes, (QStringList{QString(), "XYZ"})); // the lists stay as they were

    DialogHooks::queue(DialogAnswer::press(vbOK));
    EXPECT_TRUE(LoadLanguageFile(true));
    GetLangText(gLangIndex, 1001, QString());
    EXPECT_EQ(DialogHooks::asked().size(), 2);
}

TEST_F(LanguageLoad, ShippedFilesLoad)
{
    ScopedPathOverride paths(m_tmp.path(), test::resourcesDir());
    for (const char* code : {"ENU", "DEU"}) {
        gLangCodes = QStringList{QString(), QString::fromUtf8(code)};
        gLangIndex = 1;
        EXPECT_TRUE(LoadLanguageFile(true)) << code;
        EXPECT_EQ(gLangCodes, (QStringList{QString(), "DEU", "ENU"}));
        EXPECT_FALSE(GetLangText(gLangIndex, 1301, QString()).isEmpty());
    }
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

namespace qv {
namespace {

// Qt's own texts follow the language file: a German user gets "Ja" and "Nein" on the message boxes' buttons.
TEST_F(LanguageLoad, QtsOwnTextsFollowTheLanguage)
{
    ScopedPathOverride paths(m_tmp.path(), test::resourcesDir());
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    struct Case
    {
        const char* code;
        const char* yes;
    };
    for (const Case& c : {Case{"DEU", "&Ja"}, Case{"ENU", "&Yes"}, Case{"DEU", "&Ja"}}) {
        gLangCodes = QStringList{QString(), QString::fromUtf8(c.code)};
        gLangIndex = 1;
        ASSERT_TRUE(LoadLanguageFile(true)) << c.code;
        EXPECT_EQ(yes(), QString::fromUtf8(c.yes)) << c.code;
    }
    // The state reset (as at a new start) leaves Qt's own English.
    resetAppState();
    EXPECT_EQ(yes(), QStringLiteral("&Yes"));
}

TEST(QtLanguage, OfALanguageFilesCode)
{
    const std::pair<const char*, const char*> cases[] = {{"DEU", "de"},    {"enu", "en"}, {"FRA", "fr"},
                                                         {"PTB", "pt_BR"}, {"XYZ", ""},   {"", ""}};
    for (const auto& [code, language] : cases)
        EXPECT_EQ(QtLanguageOfCode(QString::fromUtf8(code)), QString::fromUtf8(language)) << code;
}

} // namespace
} // namespace qv
