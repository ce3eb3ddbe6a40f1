#include "core/foundation/settings_file.h"
#include "support/file_size_limit.h"
#include "support/qt_printers.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace vellum {
namespace {

using test::TempHome;

const QByteArray NoFile; // a null array: the settings file is not created

// A settings file under a fresh home, holding `bytes` unless they are NoFile.
struct Fixture {
    explicit Fixture(const QByteArray& bytes) {
        if (!bytes.isNull())
            home.write(QStringLiteral("vellumh.ini"), bytes);
    }
    QByteArray bytes() const { return home.read(QStringLiteral("vellumh.ini")); }
    TempHome home;
    SettingsFile settings{home.settingsPath()};
};

TEST(SettingsFile, ReadsTextOrFallback) {
    const QString longValue(2000, QLatin1Char('x'));
    struct Row {
        const char* intent;
        QByteArray file;
        QString section, key, expected;
    };
    const Row rows[] = {
        {"missing file gives the fallback", NoFile, "Vellum", "state", "fallback"},
        {"missing section gives the fallback", "[Other]\r\nstate=max\r\n", "Vellum", "state",
         "fallback"},
        {"missing key gives the fallback", "[Vellum]\r\ncount=1\r\n", "Vellum", "state",
         "fallback"},
        {"section and key match whatever their case", "[vellum]\r\nSTATE=max\r\n", "Vellum",
         "State", "max"},
        {"first of two matching sections wins", "[A]\r\nk=first\r\n[a]\r\nk=second\r\n", "A", "k",
         "first"},
        {"first of two matching keys wins", "[A]\r\nk=first\r\nK=second\r\n", "A", "k", "first"},
        {"key written empty reads empty", "[A]\r\nk=\r\n", "A", "k", ""},
        {"commented-out key is not read", "[A]\r\n;k=old\r\n", "A", "k", "fallback"},
        {"long value is cut to 1023 characters", "[A]\r\nk=" + longValue.toLatin1() + "\r\n", "A",
         "k", longValue.left(1023)},
    };
    for (const Row& row : rows) {
        Fixture f(row.file);
        EXPECT_EQ(f.settings.readText(row.section, row.key, "fallback"), row.expected)
            << row.intent;
    }
}

TEST(SettingsFile, ReadsIntegers) {
    struct Row {
        const char* intent;
        const char* stored; // nullptr: the key is not written
        int expected;
    };
    const Row rows[] = {
        {"decimal", "42", 42},
        {"negative decimal", "-5", -5},
        {"hexadecimal after 0x", "0x1F", 31},
        {"hexadecimal after 0X", "0X1f", 31},
        {"bare 0x is not a number", "0x", 7},
        {"letters are not a number", "abc", 7},
        {"trailing letters spoil a number", "12abc", 7},
        {"empty value", "", 7},
        {"missing key", nullptr, 7},
    };
    for (const Row& row : rows) {
        Fixture f("[A]\r\nother=1\r\n");
        if (row.stored)
            f.settings.writeText("A", "k", row.stored);
        EXPECT_EQ(f.settings.readInt("A", "k", 7), row.expected) << row.intent;
    }
}

TEST(SettingsFile, WritesIntegersAsDecimal) {
    Fixture f(NoFile);
    f.settings.writeInt("N", "neg", -5);
    f.settings.writeInt("N", "zero", 0);
    f.settings.writeInt("N", "big", 2147483647);
    EXPECT_EQ(f.bytes(), "[N]\nneg=-5\nzero=0\nbig=2147483647\n");
}

TEST(SettingsFile, RewritesOnlyTheChangedLine) {
    const QByteArray handMade = "; kept by hand\r\n[Vellum]\r\nstate=norm\r\nextra = 1 \r\n\r\n"
                                "[Unknown]\r\nz=9\r\n";
    struct Row {
        const char* intent;
        QByteArray before;
        std::function<void(SettingsFile&)> change;
        QByteArray after;
    };
    const Row rows[] = {
        {"changed value, key spelled as in the file", handMade,
         [](SettingsFile& s) { s.writeText("VELLUM", "State", "max"); },
         "; kept by hand\r\n[Vellum]\r\nstate=max\r\nextra = 1 \r\n\r\n[Unknown]\r\nz=9\r\n"},
        {"new key ends its section, before the blank line", handMade,
         [](SettingsFile& s) { s.writeInt("vellum", "count", 0); },
         "; kept by hand\r\n[Vellum]\r\nstate=norm\r\nextra = 1 \r\ncount=0\r\n\r\n"
         "[Unknown]\r\nz=9\r\n"},
        {"new section goes last after a blank line", handMade,
         [](SettingsFile& s) { s.writeText("Windows", "up", ""); },
         "; kept by hand\r\n[Vellum]\r\nstate=norm\r\nextra = 1 \r\n\r\n[Unknown]\r\nz=9\r\n"
         "\r\n[Windows]\r\nup=\r\n"},
        {"erased section goes with its keys", "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n[C]\r\nc=3\r\n",
         [](SettingsFile& s) { s.eraseSection("b"); }, "[A]\r\na=1\r\n\r\n[C]\r\nc=3\r\n"},
        {"erasing a missing section changes nothing", handMade,
         [](SettingsFile& s) { s.eraseSection("Roster"); }, handMade},
        {"comment in an 8-bit code page survives", "; caf\xE9\n[A]\nk=1\n",
         [](SettingsFile& s) { s.writeText("A", "k", "2"); }, "; caf\xE9\n[A]\nk=2\n"},
        {"first write creates the file", NoFile,
         [](SettingsFile& s) { s.writeText("Vellum", "hello", ""); }, "[Vellum]\nhello=\n"},
        {"erasing creates no file", NoFile, [](SettingsFile& s) { s.eraseSection("Roster"); },
         NoFile},
    };
    for (const Row& row : rows) {
        Fixture f(row.before);
        row.change(f.settings);
        EXPECT_EQ(f.bytes(), row.after) << row.intent;
        EXPECT_EQ(QFile::exists(f.home.settingsPath()), !row.after.isNull()) << row.intent;
    }
}

TEST(SettingsFile, AwkwardKeysAndValuesRoundTrip) {
    struct Row {
        const char* intent;
        QString key, value;
    };
    const Row rows[] = {
        {"value with blanks round it", "k", "  padded  "},
        {"value in quotes", "k", "\"quoted\""},
        {"value holding =", "k", "a=b"},
        {"key holding =", "/docs/a=b.html", "1"},
        {"key holding % and an escape-like text", "100%3D%25", "1"},
        {"key that looks like a comment", ";k", "1"},
        {"key that looks like a section", "[k]", "1"},
    };
    for (const Row& row : rows) {
        Fixture f("[S]\r\nafter=kept\r\n");
        f.settings.writeText("S", row.key, row.value);
        EXPECT_EQ(f.settings.readText("S", row.key), row.value) << row.intent;
        EXPECT_EQ(f.settings.readText("S", "after"), "kept") << row.intent;
    }
}

TEST(SettingsFile, LineBreakInValueCannotForgeAKey) {
    Fixture f(NoFile);
    f.settings.writeText("S", "k", "a\r\n[Evil]\nforged=1");
    EXPECT_EQ(f.settings.readText("S", "k"), "a  [Evil] forged=1");
    EXPECT_EQ(f.settings.readText("Evil", "forged", "none"), "none");
    EXPECT_EQ(f.settings.readText("S", "forged", "none"), "none");
}

TEST(SettingsFile, ConcurrentWritersLoseNothing) {
    Fixture f(NoFile);
    const QStringList prefixes = {"a", "b", "c"};
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const QString& prefix : prefixes) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(VELLUM_SETTINGS_WRITER, {f.home.settingsPath(), prefix, "300"});
    }
    for (const auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(120000));
        EXPECT_EQ(writer->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
    }
    for (const QString& prefix : prefixes) {
        for (int i = 0; i < 300; ++i)
            ASSERT_EQ(f.settings.readText("Shared", prefix + QString::number(i)),
                      QStringLiteral("value %1").arg(i));
    }
}

// A refused write throws an error naming the file and leaves its bytes and folder as they were.
void expectRefused(Fixture& f, const QByteArray& before) {
    try {
        f.settings.writeText("Vellum", "state", QString(8000, QLatin1Char('v')));
        ADD_FAILURE() << "the write was not refused";
    } catch (const SettingsError& error) {
        EXPECT_TRUE(error.message().contains(f.home.settingsPath())) << error.what();
    }
    EXPECT_EQ(f.bytes(), before);
    EXPECT_EQ(QDir(f.home.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"vellumh.ini"});
}

const QByteArray Stored = "[Vellum]\r\nstate=norm\r\n";

TEST(SettingsFileRefusal, FileWithoutWritePermission) {
    Fixture f(Stored);
    QFile::setPermissions(f.home.settingsPath(), QFile::ReadOwner | QFile::ReadGroup);
    expectRefused(f, Stored);
}

TEST(SettingsFileRefusal, ReadOnlyFolder) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    Fixture f(Stored);
    QFile::setPermissions(f.home.path(), QFile::ReadOwner | QFile::ExeOwner);
    expectRefused(f, Stored);
    QFile::setPermissions(f.home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(SettingsFileRefusal, FileSizeLimit) {
    Fixture f(Stored);
    // Below the new file, above the old file and the lock file.
    const test::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active()) << "could not lower the file-size limit";
    expectRefused(f, Stored);
}

} // namespace
} // namespace vellum
