// The dialog answer hooks: answers taken in order across kinds, wrong and missing answers, no-block mode.
#include "dialogs_test_util.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/dialogs/inputbox.h"
#include "platform/dialogs/msgbox.h"

using namespace qv;
using namespace qv::test;

using DialogHooksTest = DialogHookTest;

TEST_F(DialogHooksTest, AnswersAreTakenInOrderAcrossKinds)
{
    DialogHooks::queue(DialogAnswer::press(vbYes));
    DialogHooks::queue(DialogAnswer::type(QStringLiteral("0.5")));
    DialogHooks::queue(DialogAnswer::chooseFile(QStringLiteral("/d/a.CNo")));
    DialogHooks::queue(DialogAnswer::pressButton(2));
    EXPECT_EQ(DialogHooks::pending(), 4);

    EXPECT_EQ(MsgBox(QStringLiteral("Continue?"), vbYesNo), vbYes);
    EXPECT_EQ(InputBox(QStringLiteral("Tolerance")), QStringLiteral("0.5"));
    CommonDialog dlg;
    EXPECT_TRUE(dlg.ShowOpen());
    EXPECT_EQ(CaptionMsgBox(QStringLiteral("Time"), QString(), {QStringLiteral("A"), QStringLiteral("B")}),
              2);

    EXPECT_EQ(DialogHooks::pending(), 0);
    EXPECT_TRUE(DialogHooks::errors().isEmpty());
    QList<DialogKind> kinds;
    for (const DialogRequest& r : DialogHooks::asked()) {
        kinds.append(r.kind);
        EXPECT_TRUE(r.answered);
    }
    EXPECT_EQ(kinds, (QList<DialogKind>{DialogKind::MsgBox, DialogKind::InputBox, DialogKind::OpenFile,
                                        DialogKind::CaptionMsgBox}));
}

TEST_F(DialogHooksTest, UnansweredDialogsReturnTheirCautiousAnswerAndAreReported)
{
    EXPECT_EQ(MsgBox(QStringLiteral("q"), vbOKOnly), vbOK);
    EXPECT_EQ(MsgBox(QStringLiteral("q"), vbOKCancel), vbCancel);
    EXPECT_EQ(MsgBox(QStringLiteral("q"), vbYesNo | vbDefaultButton1), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("q"), vbAbortRetryIgnore), vbAbort);
    EXPECT_EQ(CaptionMsgBox(QStringLiteral("q"), QString(), {QStringLiteral("A")}), 0);
    EXPECT_EQ(InputBox(QStringLiteral("q"), QString(), QStringLiteral("default")), QString());
    CommonDialog dlg;
    dlg.FileName = QStringLiteral("keep");
    EXPECT_FALSE(dlg.ShowSave());
    EXPECT_EQ(dlg.FileName, QStringLiteral("keep"));

    EXPECT_EQ(DialogHooks::errors().size(), 7);
    EXPECT_TRUE(DialogHooks::errors().first().contains(QStringLiteral("MsgBox")));
    for (const DialogRequest& r : DialogHooks::asked())
        EXPECT_FALSE(r.answered);
}

TEST_F(DialogHooksTest, AnswerOfTheWrongKindStaysQueuedForItsDialog)
{
    DialogHooks::queue(DialogAnswer::type(QStringLiteral("text")));
    EXPECT_EQ(MsgBox(QStringLiteral("q"), vbYesNoCancel), vbCancel);
    EXPECT_EQ(DialogHooks::errors().size(), 1);
    EXPECT_EQ(DialogHooks::pending(), 1);
    EXPECT_EQ(InputBox(QStringLiteral("p")), QStringLiteral("text"));
    EXPECT_EQ(DialogHooks::pending(), 0);
}

TEST_F(DialogHooksTest, NoBlockModeFollowsTheEnvironmentUnlessOverridden)
{
    const QByteArray saved = qgetenv("QV_NO_MODAL");
    const bool had = qEnvironmentVariableIsSet("QV_NO_MODAL");
    DialogHooks::setNoModal(std::nullopt);
    qputenv("QV_NO_MODAL", "1");
    EXPECT_TRUE(DialogHooks::noModal());
    qputenv("QV_NO_MODAL", "0");
    EXPECT_FALSE(DialogHooks::noModal());
    DialogHooks::setNoModal(true);
    EXPECT_TRUE(DialogHooks::noModal());
    if (had)
        qputenv("QV_NO_MODAL", saved);
    else
        qunsetenv("QV_NO_MODAL");
    DialogHooks::reset();
    EXPECT_EQ(DialogHooks::noModal(), saved == "1");
}
