// The text viewer, the help menu's file commands and the about box.
#include "app/language.h"
#include "app/path_helpers.h"
#include "app/settings.h"
#include "extras/update_check.h"
#include "platform/runtime/vberror.h"
#include "unit/extras/help_windows_fixture.h"

#include <QKeyEvent>
#include <QTextDocument>
#include <QTextEdit>

using namespace qv;

namespace {

// What the viewer showed while it was up.
struct Shown
{
    bool seen = false;
    QString caption;
    QString path;
    QString text;
    QString plain;
    QString font;
    bool boxAboveStatusBar = false;
};

class ViewerAboutTest : public test::HelpWindowsTest
{
  protected:
    // Answers the next modal viewer: records what it shows, then closes it with Escape in its text box.
    static void answerViewer(Shown& shown)
    {
        Form::queueModalAnswer([&shown](Form& form) {
            auto* log = dynamic_cast<FrmLog*>(&form);
            ASSERT_NE(log, nullptr);
            shown.seen = true;
            shown.caption = log->Caption();
            shown.path = log->StatusBar.Panels().Item(1).Text();
            shown.text = log->rtfBox.Text();
            shown.plain = log->rtfBox.document()->toPlainText();
            shown.font = log->rtfBox.FontName();
            shown.boxAboveStatusBar = log->rtfBox.Top() + log->rtfBox.Height() <= log->StatusBar.Top() &&
                                      log->rtfBox.Width() == log->ScaleWidth() && log->rtfBox.Height() > 0;
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
            QApplication::sendEvent(log->rtfBox.textEdit(), &escape);
        });
    }
};

} // namespace

TEST_F(ViewerAboutTest, ProtocolFileShowsInTheViewerWithItsPathAndCloseOnEscape)
{
    FrmMain& f = startWindow();
    // Windows-1252 bytes and CR LF line ends, as the program writes its files.
    gProtocolPath = programFolderPath() + QStringLiteral("/Lauf.2026.CSV");
    QFile file(gProtocolPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Zeit;Stra\xDF"
               "e\r\nL\xE4ufer;\x80\r\n");
    file.close();

    Shown shown;
    answerViewer(shown);
    f.mnuLogDat.Click();
    ASSERT_TRUE(shown.seen);
    EXPECT_EQ(gViewFile, gProtocolPath);
    EXPECT_EQ(shown.caption, QStringLiteral("Lauf.2026"));
    EXPECT_EQ(shown.path, gProtocolPath);
    EXPECT_EQ(shown.text, QStringLiteral("Zeit;Straße\r\nLäufer;€\r\n"));
    EXPECT_EQ(shown.plain, QStringLiteral("Zeit;Straße\nLäufer;€\n"));
    EXPECT_EQ(shown.font, QStringLiteral("Courier"));
    EXPECT_TRUE(shown.boxAboveStatusBar);
    EXPECT_FALSE(FormInstance<FrmLog>::loaded());
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(ViewerAboutTest, AFileGoneSinceTheOpenerLookedIsReportedNotThrown)
{
    startWindow();
    gViewFile = programFolderPath() + QStringLiteral("/vanished.txt");
    DialogHooks::queue(DialogAnswer::press(vbOK));
    FrmLog& log = frmLog();
    EXPECT_EQ(lastMessage().prompt, gViewFile + QStringLiteral("\r\n53 ") + VbErrorText(53));
    EXPECT_EQ(lastMessage().style, vbCritical);
    EXPECT_EQ(log.rtfBox.Text(), QString());
    EXPECT_EQ(log.StatusBar.Panels().Item(1).Text(), gViewFile);
}

TEST_F(ViewerAboutTest, MissingFilesAreNamedWithTheirPath)
{
    for (const char* lang : {"en", "de"}) {
        gCommandLine = QString::fromLatin1(lang);
        FrmMain& f = startWindow();
        const bool german = gLangCodes.at(gLangIndex) == u"DEU";
        const QString notFound = german ? QStringLiteral("nicht gefunden!") : QStringLiteral("not found!");

        const QString protocol = gProtocolPath;
        gProtocolPath = programFolderPath() + QStringLiteral("/gone/Protocol.CSV");
        DialogHooks::queue(DialogAnswer::press(vbOK));
        f.mnuLogDat.Click();
        EXPECT_EQ(lastMessage().prompt, gProtocolPath + u' ' + notFound);
        EXPECT_EQ(lastMessage().style, vbCritical);
        gProtocolPath = protocol;

        const QString readMe =
            programFolderPath() + (german ? QStringLiteral("/liesmich.txt") : QStringLiteral("/readme.txt"));
        DialogHooks::queue(DialogAnswer::press(vbOK));
        f.mnuReadMe.Click();
        EXPECT_EQ(lastMessage().prompt, readMe + u' ' + notFound);
        EXPECT_EQ(lastMessage().style, vbCritical);
        EXPECT_FALSE(FormInstance<FrmLog>::loaded());

        // Once the file is there, the same command shows it.
        writeProgramFile(GetFileName(readMe), "read me\r\n");
        Shown shown;
        answerViewer(shown);
        f.mnuReadMe.Click();
        EXPECT_TRUE(shown.seen);
        EXPECT_EQ(shown.path, readMe);
        closeWindow();
        DialogHooks::reset();
        resetWindowState();
    }
}

TEST_F(ViewerAboutTest, AboutBoxTextsAndItsReleaseNotes)
{
    for (const char* lang : {"en", "de"}) {
        gCommandLine = QString::fromLatin1(lang);
        FrmMain& f = startWindow();
        const bool german = gLangCodes.at(gLangIndex) == u"DEU";
        Shown notes;
        Form::queueModalAnswer([&notes](Form& form) {
            auto* about = dynamic_cast<FrmAbout*>(&form);
            ASSERT_NE(about, nullptr);
            EXPECT_EQ(about->lblTitle.Caption(), QStringLiteral("QV-Config"));
            EXPECT_EQ(about->lblVersion.Caption(), QStringLiteral("Version 0.1.0"));
            EXPECT_EQ(about->cmdVersion.Caption(), about->lblVersion.Caption());
            EXPECT_FALSE(about->lblWarning.Caption().startsWith(QStringLiteral("Warnung: ...")));
            answerViewer(notes);
            about->cmdVersion.setValue(true);
            about->cmdOK.setValue(true);
        });
        f.mnuAbout.Click();
        EXPECT_FALSE(FormInstance<FrmAbout>::loaded());
        ASSERT_TRUE(notes.seen);
        // The notes in the language in use.
        const QString notesFile =
            german ? QStringLiteral("/release_notes_DEU.txt") : QStringLiteral("/release_notes.txt");
        EXPECT_EQ(notes.path, programFolderPath() + notesFile);
        EXPECT_TRUE(notes.text.startsWith(german ? QStringLiteral("QV-Config Versionshinweise\r\n")
                                                 : QStringLiteral("QV-Config release notes\r\n")));

        // Without release notes of its own a language shows the English ones; without any, an information
        // message, the path and the not-found text on two lines.
        if (german) {
            ASSERT_TRUE(QFile::remove(programFolderPath() + notesFile));
            Shown english;
            answerViewer(english);
            frmAbout().cmdVersion.setValue(true);
            EXPECT_EQ(english.path, programFolderPath() + QStringLiteral("/release_notes.txt"));
        }
        ASSERT_TRUE(QFile::remove(programFolderPath() + QStringLiteral("/release_notes.txt")));
        DialogHooks::queue(DialogAnswer::press(vbOK));
        frmAbout().cmdVersion.setValue(true);
        EXPECT_EQ(lastMessage().prompt,
                  programFolderPath() + QStringLiteral("/release_notes.txt\r\n") +
                      (german ? QStringLiteral("nicht gefunden!") : QStringLiteral("not found!")));
        EXPECT_EQ(lastMessage().style, vbInformation);
        EXPECT_EQ(frmAbout().Caption(),
                  german ? QStringLiteral("QV-Config Info") : QStringLiteral("QV-Config about"));
        Unload(frmAbout());
        closeWindow();
        test::copyShippedFiles(programFolderPath());
        DialogHooks::reset();
        resetWindowState();
    }
}

TEST_F(ViewerAboutTest, SystemInformationWithoutAProgramOrOneThatCannotStart)
{
    startWindow();
    const QString unavailable = GetLangText(gLangIndex, 1858, QString());
    ASSERT_FALSE(unavailable.isEmpty());
    for (const QString& program : {QString(), programFolderPath() + QStringLiteral("/no-such-program")}) {
        gSysInfoProgram = program;
        DialogHooks::queue(DialogAnswer::press(vbOK));
        frmAbout().cmdSysInfo.setValue(true);
        EXPECT_EQ(lastMessage().prompt, unavailable) << program.toStdString();
        EXPECT_EQ(lastMessage().style, vbOKOnly);
    }
    DialogHooks::reset();
    gSysInfoProgram = QStringLiteral("/bin/true");
    frmAbout().StartSysInfo();
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(ViewerAboutTest, WebLinksAndHelpFileGoToTheShell)
{
    FrmMain& f = startWindow();
    QList<QUrl> opened;
    shellOpenHook = [&opened](const QUrl& url) {
        opened << url;
        return true;
    };
    frmAbout().lblURL_Click();
    frmAbout().lblDownLoad_Click();
    f.mnuHelpHelp.Click();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://") + QString::fromLatin1(kDefaultUpdateHost)));
    EXPECT_EQ(opened[1], QUrl(DownloadPageUrl()));
    EXPECT_EQ(opened[2], QUrl::fromLocalFile(programFolderPath() + QStringLiteral("/QV-Config_ENU.html")));
}

TEST_F(ViewerAboutTest, WithoutAProgramForLinksAndHelpTheUserIsToldWhatDidNotOpen)
{
    FrmMain& f = startWindow();
    shellOpenHook = [](const QUrl&) { return false; };
    DialogHooks::reset();
    for (int i = 0; i < 3; ++i)
        DialogHooks::queue(DialogAnswer::press(vbOK));
    frmAbout().lblURL_Click();
    frmAbout().lblDownLoad_Click();
    f.mnuHelpHelp.Click();
    const QList<DialogRequest> asked = DialogHooks::asked();
    ASSERT_EQ(asked.size(), 3);
    const QStringList named{QStringLiteral("http://") + QString::fromLatin1(kDefaultUpdateHost),
                            DownloadPageUrl(), programFolderPath() + QStringLiteral("/QV-Config_ENU.html")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(asked[i].prompt, QStringLiteral("No program on this computer opens:\r\n") + named[i]);
        EXPECT_EQ(asked[i].style & 0x70, vbExclamation);
    }
}
