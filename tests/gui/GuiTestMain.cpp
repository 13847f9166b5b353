// The GUI tests run with a real application object on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing of the user's own settings or desktop files is touched.
    const QString home = QDir::tempPath() + "/quorvex-gui-tests-" + QString::number(QCoreApplication::applicationPid());
    qputenv("XDG_CONFIG_HOME", (home + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home + "/data").toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QDir(home).removeRecursively();
    return result;
}
