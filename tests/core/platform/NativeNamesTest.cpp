// File names as bytes through QString and back, and the program's private temporary folder.

#include "platform/NativeNames.h"
#include "platform/PrivateTempFolder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <string>

using namespace quorvex;

namespace
{

TEST(NativeNames, EveryByteStringComesBackAsItWasAndStaysApart)
{
    const std::string cases[] = {
        "plain.txt",
        "caf\xc3\xa9.txt",  // UTF-8
        "caf\xe9.txt",      // Latin-1
        "caf\xe8.txt",      // Latin-1, another letter
        "caf\x82.txt",      // code page 437
        "\xe2\x82",         // a sequence cut short
        "\xc0\xaf",         // an overlong "/"
        "\xed\xa0\x80",     // an encoded surrogate
        "\xf4\x90\x80\x80", // beyond U+10FFFF
        "\xff\xfe mixed \xc3\xa9 \xe9",
        "\xf0\x9f\x98\x80 emoji",
    };
    std::set<QString> names;
    for (const std::string& bytes : cases) {
        const QString name = NameFromNative(bytes);
        EXPECT_EQ(NativeString(name), bytes) << bytes;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), std::size(cases)) << "two byte strings became one name";
    EXPECT_EQ(NameFromNative("caf\xc3\xa9"), QString::fromUtf8("caf\xc3\xa9"));
}

TEST(NativeNames, FilesWithNonUtf8NamesAreReachedByTheirBytes)
{
    QTemporaryDir dir;
    const QString e = NameFromNative(dir.path().toStdString() + "/sub\xe9/caf\xe9.txt");
    const QString g = NameFromNative(dir.path().toStdString() + "/sub\xe9/caf\xe8.txt");
    ASSERT_TRUE(MakeNativeFolders(NameFromNative(dir.path().toStdString() + "/sub\xe9")));
    QFile out;
    ASSERT_TRUE(OpenNative(out, e, QIODevice::WriteOnly));
    out.write("acute");
    out.close();
    EXPECT_TRUE(NativeIsFile(e));
    EXPECT_FALSE(NativeExists(g));
    struct stat st {
    };
    EXPECT_EQ(::stat((dir.path().toStdString() + "/sub\xe9/caf\xe9.txt").c_str(), &st), 0);
    EXPECT_TRUE(RemoveNativeFile(e));
    EXPECT_FALSE(NativeExists(e));
}

TEST(PrivateTempFolder, OneUnpredictableFolderOfMode0700PerProcess)
{
    QTemporaryDir base;
    const QString first = PrivateTempFolder(base.path());
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(PrivateTempFolder(base.path() + "/"), first) << "the same folder for the process";
    EXPECT_TRUE(first.startsWith(base.path() + "/"));
    struct stat st {
    };
    ASSERT_EQ(::stat(NativeFromName(first).constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // Another running program (a child here) gets a folder of its own.
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const QByteArray folder = NativeFromName(PrivateTempFolder(base.path()));
        const ssize_t written = ::write(pipeEnds[1], folder.constData(), size_t(folder.size()));
        ::_exit(written == folder.size() ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    char buffer[4096];
    const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_GT(got, 0);
    const QString other = NameFromNative(std::string(buffer, size_t(got)));
    EXPECT_NE(other, first);
    EXPECT_TRUE(other.startsWith(base.path() + "/"));

    // Removing with contents takes everything of ours and nothing else.
    QFile leftover;
    ASSERT_TRUE(OpenNative(leftover, first + "/left.txt", QIODevice::WriteOnly));
    leftover.close();
    RemovePrivateTempFolders(true);
    EXPECT_FALSE(NativeExists(first));
    EXPECT_TRUE(NativeExists(other)) << "another program's folder is not ours to remove";
    const QString again = PrivateTempFolder(base.path());
    EXPECT_FALSE(again.isEmpty());
    EXPECT_NE(again, first);
}

} // namespace
