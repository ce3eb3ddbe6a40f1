#include "core/app/document_file.h"
#include "core/foundation/text_codec.h"
#include "support/file_size_limit.h"
#include "support/qt_printers.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellum {
namespace {

using test::TempHome;
using Enc = FileFormat::Encoding;

QString text16(const char16_t* text) {
    return QStringView(text).toString(); // fromUtf16 would drop a leading U+FEFF
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

TEST(DocumentFile, UnchangedTextSavesTheSameBytes) {
    struct Row {
        const char* intent;
        QByteArray bytes;
        const char16_t* text;
        Enc encoding;
        bool bom;
        const char* lineBreak;
        bool keepsOriginal;
    };
    const Row rows[] = {
        {"UTF-8 with LF", "<p>caf\xC3\xA9</p>\n<br>\n", u"<p>caf\u00E9</p>\r\n<br>\r\n", Enc::Utf8,
         false, "\n", false},
        {"UTF-8 with a byte-order mark and CR LF", "\xEF\xBB\xBF<b>\r\n\xE2\x82\xAC",
         u"<b>\r\n\u20AC", Enc::Utf8, true, "\r\n", false},
        {"second byte-order mark is text", "\xEF\xBB\xBF\xEF\xBB\xBFx\n", u"\uFEFFx\r\n", Enc::Utf8,
         true, "\n", false},
        {"Windows-1252 with CR, undefined byte kept", "\x80 caf\xE9\r\x81\r",
         u"\u20AC caf\u00E9\r\n\u0081\r\n", Enc::Windows1252, false, "\r", false},
        {"truncated UTF-8 at the end is Windows-1252", "ab\xC3", u"ab\u00C3", Enc::Windows1252,
         false, "\n", false},
        {"mixed breaks keep the original bytes", "a\r\nb\nc\rd", u"a\r\nb\r\nc\r\nd", Enc::Utf8,
         false, "\r\n", true},
    };
    for (const Row& row : rows) {
        TempHome home;
        const QString path = home.write("page.htm", row.bytes);
        LoadedDocument doc;
        QString error;
        ASSERT_TRUE(loadDocumentFile(path, doc, error))
            << row.intent << ": " << error.toStdString();
        EXPECT_EQ(doc.text, text16(row.text)) << row.intent;
        EXPECT_EQ(doc.format.encoding, row.encoding) << row.intent;
        EXPECT_EQ(doc.format.bom, row.bom) << row.intent;
        EXPECT_EQ(doc.format.lineBreak, row.lineBreak) << row.intent;
        EXPECT_EQ(doc.original, row.keepsOriginal ? row.bytes : QByteArray()) << row.intent;

        FileFormat format = doc.format;
        const QByteArray encoded = encodeDocument(doc.text, format);
        if (!row.keepsOriginal) {
            EXPECT_EQ(encoded, row.bytes) << row.intent;
        }
        ASSERT_TRUE(saveDocumentFile(path, doc.original.isEmpty() ? encoded : doc.original, error))
            << row.intent << ": " << error.toStdString();
        EXPECT_EQ(home.read("page.htm"), row.bytes) << row.intent;
    }
}

TEST(DocumentFile, EncodesInTheFormatUnlessATextDoesNotFit) {
    struct Row {
        const char* intent;
        const char16_t* text;
        FileFormat format;
        QByteArray bytes;
        bool switched;
    };
    const FileFormat cp1252{Enc::Windows1252, false, "\r\n"};
    const Row rows[] = {
        {"new document is UTF-8 with LF", u"a\r\n\u03C9", FileFormat{}, "a\n\xCF\x89", false},
        {"Windows-1252 holds the euro sign", u"\u20AC\r\n", cp1252, "\x80\r\n", false},
        {"omega switches to UTF-8", u"\u20AC\u03C9\r\n", cp1252, "\xE2\x82\xAC\xCF\x89\r\n", true},
    };
    for (const Row& row : rows) {
        FileFormat format = row.format;
        bool switched = !row.switched;
        EXPECT_EQ(encodeDocument(text16(row.text), format, &switched), row.bytes) << row.intent;
        EXPECT_EQ(switched, row.switched) << row.intent;
        EXPECT_EQ(format.encoding, row.switched ? Enc::Utf8 : row.format.encoding) << row.intent;
    }
}

TEST(DocumentFile, RefusesFilesItCannotHold) {
    TempHome home;
    const QString withNul = home.write("nul.htm", QByteArray("<p>a\0b</p>", 10));
    const QString huge = home.write("huge.htm", "");
    // Sparse: no disk space used. Its hole reads as NUL bytes, so only a size check made before
    // reading gives the size message.
    ASSERT_TRUE(QFile::resize(huge, MaxDocumentBytes + 1));
    struct Row {
        const char* intent;
        QString path;
        const char* why;
    };
    const Row rows[] = {
        {"NUL byte", withNul, "NUL"},
        {"larger than 512 MiB, refused before reading", huge, "larger"},
        {"missing file", home.file("gone.htm"), ""},
        // The editor would turn these into line breaks, changing the file on its next save.
        {"paragraph separator",
         home.write("ps.htm", "a\xE2\x80\xA9"
                              "b\n"),
         "U+2029"},
        {"frame mark",
         home.write("fm.htm", "a\xEF\xB7\x90"
                              "b\n"),
         "U+FDD0"},
    };
    for (const Row& row : rows) {
        LoadedDocument doc;
        QString error;
        EXPECT_FALSE(loadDocumentFile(row.path, doc, error)) << row.intent;
        EXPECT_TRUE(error.contains(row.path)) << row.intent << ": " << error.toStdString();
        EXPECT_TRUE(error.contains(row.why)) << row.intent << ": " << error.toStdString();
    }
}

TEST(SaveDocumentFile, ReplacesTheFileByRenaming) {
    TempHome home;
    const QString path = home.write("page.htm", "old text that is longer");
    struct stat before {};
    ::stat(QFile::encodeName(path).constData(), &before);
    QString error;
    ASSERT_TRUE(saveDocumentFile(path, "new", error)) << error.toStdString();
    struct stat after {};
    ::stat(QFile::encodeName(path).constData(), &after);
    EXPECT_EQ(home.read("page.htm"), "new");
    // A new inode: the old file was never opened for writing, so no reader saw half of it.
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"page.htm"});
}

TEST(SaveDocumentFile, KeepsLinksAndModes) {
    TempHome home;
    const QString target = home.write("site/page.htm", "old");
    const QString link = home.file("links/page.htm");
    QDir().mkpath(home.file("links"));
    ASSERT_TRUE(QFile::link(target, link));
    const QString restricted = home.write("site/private.htm", "old");
    ::chmod(QFile::encodeName(restricted).constData(), 0640);
    const mode_t mask = ::umask(022);

    QString error;
    EXPECT_TRUE(saveDocumentFile(link, "via link", error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link stays a link";
    EXPECT_EQ(home.read("site/page.htm"), "via link");
    EXPECT_TRUE(saveDocumentFile(restricted, "kept", error)) << error.toStdString();
    EXPECT_EQ(modeOf(restricted), 0640u);
    EXPECT_TRUE(saveDocumentFile(home.file("site/new.htm"), "new", error)) << error.toStdString();
    EXPECT_EQ(modeOf(home.file("site/new.htm")), 0644u) << "a new file gets the usual mode";
    ::umask(mask);
    EXPECT_EQ(QDir(home.file("links")).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{"page.htm"});
    EXPECT_EQ(QDir(home.file("site")).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"new.htm", "page.htm", "private.htm"}));
}

// A refused save names the file, leaves its bytes as they were and no temporary file behind.
void expectSaveRefused(const QString& path, const QByteArray& before) {
    QString error;
    EXPECT_FALSE(saveDocumentFile(path, QByteArray(128 * 1024, 'x'), error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    QFile file(path);
    EXPECT_EQ(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), before);
    const QFileInfo info(path);
    const QStringList left = info.dir().entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, info.exists() ? QStringList{info.fileName()} : QStringList{});
}

const QByteArray Old = "<p>old</p>\r\n";

TEST(SaveDocumentFile, RefusesFileWithoutWriteBitsEvenForRoot) {
    TempHome home;
    const QString path = home.write("page.htm", Old);
    ::chmod(QFile::encodeName(path).constData(), 0444);
    expectSaveRefused(path, Old);
    EXPECT_EQ(modeOf(path), 0444u);
}

TEST(SaveDocumentFile, FileSizeLimitLeavesTheOldFile) {
    TempHome home;
    const QString path = home.write("page.htm", Old);
    const test::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active()) << "could not lower the file-size limit";
    expectSaveRefused(path, Old);
}

TEST(SaveDocumentFile, FullDiskLeavesTheOldFile) {
    TempHome home;
    const QString disk = home.file("disk");
    QDir().mkpath(disk);
    const QByteArray diskName = QFile::encodeName(disk);
    if (geteuid() != 0 || ::mount("tmpfs", diskName.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "needs root and permission to mount a small tmpfs";
    const QString path = home.write("disk/page.htm", Old);
    expectSaveRefused(path, Old);
    ::umount(diskName.constData());
}

TEST(SaveDocumentFile, MissingFolderFails) {
    TempHome home;
    expectSaveRefused(home.file("nowhere/page.htm"), QByteArray());
}

// A large text is decoded as two halves at once. Whatever falls where they meet, the text must be
// the whole one's: a character of two, three or four bytes across the middle, a byte-order mark
// there (text, not a mark), and bytes that are not UTF-8 there (the whole file is then read as
// Windows-1252, as a small one would be).
TEST(DocumentFile, LargeTextsDecodeAsAWhole) {
    const QByteArray ascii(5 << 20, 'a');
    const qsizetype middle = ascii.size() / 2;
    struct Row {
        const char* intent;
        QByteArray piece;
        bool utf8;
    };
    const Row rows[] = {
        {"two bytes", "\xC3\xA9", true},
        {"three bytes", "\xE2\x82\xAC", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},
        {"byte-order mark", "\xEF\xBB\xBF", true},
        {"stray continuation bytes", "\x80\x80\x80\x80\x80", false},
        {"sequence cut short", "\xE2\x82", false},
    };
    for (const Row& row : rows) {
        for (qsizetype shift = -4; shift <= 1; ++shift) {
            SCOPED_TRACE(testing::Message() << row.intent << ", shifted " << shift);
            QByteArray bytes = ascii;
            bytes.replace(middle + shift, row.piece.size(), row.piece);
            FileFormat format;
            const QString text = decodeDocument(bytes, format);
            if (row.utf8) {
                EXPECT_EQ(format.encoding, Enc::Utf8);
                EXPECT_TRUE(text == QString::fromUtf8(bytes));
            } else {
                EXPECT_EQ(format.encoding, Enc::Windows1252);
                EXPECT_EQ(text.size(), bytes.size());
            }
        }
    }
    // Lines ending in LF alone come back with CR LF, the file's break kept as LF.
    const QByteArray lines = QByteArray("<p>line</p>\n").repeated(500000);
    const QString crLf = QString::fromUtf8(QByteArray(lines).replace("\n", "\r\n"));
    FileFormat format;
    EXPECT_TRUE(decodeDocument(lines, format) == crLf);
    EXPECT_EQ(format.lineBreak, QStringLiteral("\n"));
}

} // namespace
} // namespace vellum
