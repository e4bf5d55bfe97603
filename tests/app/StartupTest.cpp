// The program started as a whole process, as the user starts it: its start-up threads must leave
// Qt's main thread where the application runs, or the window never paints.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

TEST(Startup, EveryStartPaintsTheMainWindowFromTheMainThread) {
    // The threads race with the application's creation, so one start proves little.
    for (int run = 0; run < 12; ++run) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("VELMORA_PROBE_IDLE_MS"), QStringLiteral("0"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VELMORA_STARTUP_PROBE), {});
        ASSERT_TRUE(program.waitForFinished(30000)) << "run " << run;
        const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(program.readAllStandardOutput(), QByteArray("painted\nframed\n")) << errors.toStdString();
        EXPECT_FALSE(errors.contains(QStringLiteral("main() thread"))) << errors.toStdString();
    }
}
