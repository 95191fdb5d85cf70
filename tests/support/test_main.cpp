// Runs every test program's tests inside a QApplication on the offscreen platform.
#include "platform/dialogs/dialog_hooks.h"
#include "ui/main/program_state.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Each test starts from the program's start values and leaves them behind, whatever order the tests run in
// (each program also runs shuffled in one process): every program-wide variable is reset before the test's
// fixture is made and after it is gone.
// A dialog that a test forgot to answer must fail that test, never block it:
// unanswered dialogs return at once (QV_NO_MODAL) and leave an error that this
// listener turns into a failure before the next test starts clean.
class ProgramStateListener : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override { qv::resetProgramState(); }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        const QStringList errors = qv::DialogHooks::errors();
        if (!errors.isEmpty())
            ADD_FAILURE() << "dialog trouble: " << errors.join(QStringLiteral("; ")).toStdString();
        qv::DialogHooks::reset();
        qv::resetProgramState();
    }
};

} // namespace

int main(int argc, char** argv)
{
    // A plain run of a test program (without ctest) still needs a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QV_NO_MODAL"))
        qputenv("QV_NO_MODAL", "1");
    // Test programs run side by side: each keeps Qt's own remembered state (file
    // dialog history and the like) in a folder of its own, so none sees another's.
    QTemporaryDir qtState;
    qputenv("XDG_CONFIG_HOME", qtState.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", qtState.filePath(QStringLiteral("cache")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", qtState.path().toLocal8Bit());
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProgramStateListener);
    return RUN_ALL_TESTS();
}
