#include "core/app/command_registry.h"
#include "core/foundation/settings_file.h"
#include "core/helpers/helper_placement.h"
#include "support/buffer_workspace.h"
#include "support/qt_printers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <stdexcept>

namespace vellum {
namespace {

using test::Desk;
using Answer = Prompter::Answer;

// "YNC": the answers to the Yes / No / Cancel questions, in order.
std::deque<Answer> answers(const char* letters) {
    std::deque<Answer> out;
    for (const char* c = letters; *c; ++c)
        out.push_back(*c == 'Y' ? Answer::Yes : *c == 'N' ? Answer::No : Answer::Cancel);
    return out;
}

// "yn": the answers to the Yes / No questions, in order.
std::deque<bool> replies(const char* letters) {
    std::deque<bool> out;
    for (const char* c = letters; *c; ++c)
        out.push_back(*c == 'y');
    return out;
}

// The user types `text` at the start of the document.
void edit(Document& document, const QString& text) {
    document.text().setSelection(0, 0);
    document.text().replaceSelection(text);
}

// Another program writes the file in place.
void rewrite(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QString captions(const Desk& desk) {
    return desk.captions().join('|');
}

QString texts(const Desk& desk) {
    QStringList out;
    for (const Document* document : desk.workspace.documents())
        out << document->text().text();
    return out.join('|');
}

TEST(DocumentFlows, NewDocumentsAreNumberedAndFilled) {
    struct Row {
        const char* intent;
        const char* storedTemplate; // template/page.tpl, named by "tpl"
        const char* handed;         // a file under the home waiting in "hello"
        bool handedExists;
        const char* steps; // t: newDocument, c: newPlainDocument, x: close the active document
        const char* captions;
        const char* texts;
    };
    const Row rows[] = {
        {"numbers rise across newt and newclean", nullptr, nullptr, false, "tct",
         "Untitled 1|Untitled 2|Untitled 3", "||"},
        {"a closed document's number is not used again", nullptr, nullptr, false, "ccxt",
         "Untitled 1|Untitled 3", "|"},
        {"newt fills from the stored template with CR LF breaks", "<html>\n</html>\n", nullptr,
         false, "t", "Untitled 1", "<html>\r\n</html>\r\n"},
        {"newclean ignores the template", "<html>\n</html>\n", nullptr, false, "c", "Untitled 1",
         ""},
        {"a handed-over file opens once, its case kept, no number used", nullptr, "Site/Index.HTM",
         true, "tt", "Index.HTM|Untitled 1", "<p>hi</p>\r\n|"},
        {"a handed-over file that is gone gives an untitled document", nullptr, "Gone.htm", false,
         "t", "Untitled 1", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        if (row.storedTemplate) {
            desk.home.write("template/page.tpl", row.storedTemplate);
            desk.settings.writeText("Vellum", "tpl", "page.tpl");
        }
        const QString handed = row.handed ? desk.home.file(row.handed) : QString();
        if (row.handedExists)
            desk.home.write(row.handed, "<p>hi</p>\n");
        desk.settings.writeText("Vellum", "hello", handed);
        for (const char* step = row.steps; *step; ++step) {
            if (*step == 't')
                desk.flows.newDocument(QString());
            else if (*step == 'c')
                desk.flows.newPlainDocument();
            else
                desk.workspace.close(*desk.workspace.active());
        }
        EXPECT_EQ(captions(desk), QString(row.captions));
        EXPECT_EQ(texts(desk), QString(row.texts));
        for (const Document* document : desk.workspace.documents())
            EXPECT_FALSE(document->text().isModified()) << document->caption().toStdString();
        EXPECT_FALSE(desk.windows.saveEnabled);
        EXPECT_EQ(desk.settings.readText("Vellum", "hello", "unset"), "");
        const bool gone = row.handed && !row.handedExists;
        ASSERT_EQ(desk.prompter.errors.size(), gone ? 1 : 0);
        if (gone) {
            EXPECT_TRUE(desk.prompter.errors[0].contains(handed));
        }
    }
}

TEST(DocumentFlows, OpenReadsTheFile) {
    struct Row {
        const char* intent;
        QByteArray bytes;
        bool fromDialog;
        QString text;
    };
    const Row rows[] = {
        {"LF breaks, path given", "<p>\n</p>\n", false, "<p>\r\n</p>\r\n"},
        {"CR LF breaks, chosen in the dialog", "<p>\r\n</p>", true, "<p>\r\n</p>"},
        {"Windows-1252", "caf\xe9 \x80", false, QStringView(u"caf\u00E9 \u20AC").toString()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        const QString path = desk.home.write("page.htm", row.bytes);
        desk.prompter.openNames.push_back(path);
        Document* document = desk.flows.openFile(row.fromDialog ? QString() : path);
        ASSERT_NE(document, nullptr);
        ASSERT_EQ(desk.prompter.openRequests.size(), row.fromDialog ? 1u : 0u);
        if (row.fromDialog) {
            EXPECT_EQ(desk.prompter.openRequests[0].title, "VellumHTML Opens Files");
            EXPECT_EQ(desk.prompter.openRequests[0].filter,
                      "HTML files|*.htm*|Text files|*.txt|All files|*.*");
        }
        EXPECT_EQ(captions(desk), QString("page.htm"));
        EXPECT_EQ(document->text().text(), row.text);
        EXPECT_FALSE(document->text().isModified());
        EXPECT_EQ(desk.workspace.active(), document);
        EXPECT_TRUE(desk.prompter.errors.isEmpty());
    }
}

TEST(DocumentFlows, OpenRefusesAFileItCannotAdd) {
    struct Row {
        const char* intent;
        const char* name;
        bool alreadyOpen; // else one error naming the path
        const char* active;
    };
    const Row rows[] = {
        {"open already, through a symbolic link", "link.htm", true, "Page.htm"},
        {"open already, spelt with /./", "./Page.htm", true, "Page.htm"},
        {"a NUL byte", "nul.htm", false, "Untitled 1"},
        {"a missing file", "gone.htm", false, "Untitled 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        ASSERT_NE(desk.flows.openFile(desk.home.write("Page.htm", "<p>")), nullptr);
        QFile::link(desk.home.file("Page.htm"), desk.home.file("link.htm"));
        desk.home.write("nul.htm", QByteArray("a\0b", 3));
        desk.flows.newPlainDocument();
        const QString path = desk.home.path() + '/' + row.name;
        EXPECT_EQ(desk.flows.openFile(path), nullptr);
        EXPECT_EQ(captions(desk), QString("Page.htm|Untitled 1"));
        EXPECT_EQ(desk.workspace.active()->caption(), QString(row.active));
        EXPECT_EQ(desk.prompter.informed,
                  row.alreadyOpen ? QStringList{path + " is already open."} : QStringList{});
        ASSERT_EQ(desk.prompter.errors.size(), row.alreadyOpen ? 0 : 1);
        if (!row.alreadyOpen) {
            EXPECT_TRUE(desk.prompter.errors[0].contains(path));
        }
    }
}

TEST(DocumentFlows, SaveNamesTheFile) {
    struct Row {
        const char* intent;
        const char* defext;
        const char* own;    // the file the document was opened from, holding "old"; else untitled
        const char* beside; // another file holding "old"
        bool besideOpen;
        bool saveAs;
        const char* names;   // answered in the save dialog, under the home
        const char* replies; // to the replace question
        const char* asked;   // none: not checked
        const char* file;    // where the text lands; none: refused
    };
    const Row rows[] = {
        {"untitled Save asks; a bare dot is dropped", "", nullptr, nullptr, false, false, "page.",
         "", "", "page"},
        {"no extension gets .htm", "", nullptr, nullptr, false, true, "page", "", "", "page.htm"},
        {"no extension gets .html when html is the default", "html", nullptr, nullptr, false, true,
         "page", "", "", "page.html"},
        {"No to replacing asks for another name", "", nullptr, "old.htm", false, true, "old|new",
         "n", "Replace existing old.htm ?", "new.htm"},
        {"Yes to replacing writes over it", "", nullptr, "old.htm", false, true, "old.htm", "y",
         "Replace existing old.htm ?", "old.htm"},
        {"Save As onto its own file saves it", "", "own.htm", nullptr, false, true, "own.htm", "y",
         "Replace existing own.htm ?", "own.htm"},
        {"Save As onto a file open elsewhere is refused", "", nullptr, "other.htm", true, true,
         "other.htm", "y", nullptr, nullptr},
        {"a file called Untitled 7.htm is saved in place", "", "Untitled 7.htm", nullptr, false,
         false, "", "", "", "Untitled 7.htm"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        desk.settings.writeText("Vellum", "defext", row.defext);
        if (row.beside) {
            const QString path = desk.home.write(row.beside, "old");
            if (row.besideOpen)
                desk.flows.openFile(path);
        }
        Document* document = row.own ? desk.flows.openFile(desk.home.write(row.own, "old"))
                                     : desk.flows.newPlainDocument();
        ASSERT_NE(document, nullptr);
        const QString caption = document->caption();
        const QString oldKey = document->key();
        edit(*document, "<p>new</p>");
        const QStringList names = QString(row.names).split('|', Qt::SkipEmptyParts);
        for (const QString& name : names)
            desk.prompter.saveNames.push_back(desk.home.file(name));
        desk.prompter.yesNo = replies(row.replies);

        const bool saved = row.saveAs ? desk.flows.SavesAs(*document) : desk.flows.Saves(*document);
        EXPECT_EQ(saved, row.file != nullptr);
        EXPECT_EQ(desk.prompter.saveRequests.size(), static_cast<size_t>(names.size()));
        if (row.asked) {
            EXPECT_EQ(desk.prompter.asked.join('|'), QString(row.asked));
        }
        if (row.beside && QString(row.beside) != row.file) {
            EXPECT_EQ(desk.home.read(row.beside), QByteArray("old"));
        }
        EXPECT_EQ(document->text().isModified(), !saved);
        if (!row.file) {
            EXPECT_EQ(desk.prompter.errors,
                      QStringList{desk.home.file(names.last()) +
                                  " is currently open.\n\rClose the open file and try again."});
            EXPECT_EQ(document->caption(), caption);
            continue;
        }
        EXPECT_TRUE(desk.prompter.errors.isEmpty());
        EXPECT_EQ(desk.home.read(row.file), QByteArray(row.own ? "<p>new</p>old" : "<p>new</p>"));
        EXPECT_EQ(document->caption(), QString(row.file));
        EXPECT_EQ(document->key(), QDir::cleanPath(desk.home.file(row.file)));
        EXPECT_EQ(desk.windows.renames, oldKey == document->key()
                                            ? QStringList{}
                                            : QStringList{oldKey + " -> " + document->key()});
    }
}

TEST(DocumentFlows, UneditedFileIsWrittenBackByteForByte) {
    const QByteArray files[] = {"<p>caf\xc3\xa9</p>\r\n<br>\r\n",
                                "<p>caf\xe9 \x80 \x81</p>\r\n\r\n",
                                "\xef\xbb\xbf<p>\xe2\x82\xac</p>\n", "a\r\nb\nc\rd\n"};
    for (const QByteArray& bytes : files) {
        for (const bool saveAs : {false, true}) {
            SCOPED_TRACE(::testing::PrintToString(bytes) + (saveAs ? " Save As" : " Save"));
            Desk desk;
            Document* document = desk.flows.openFile(desk.home.write("page.htm", bytes));
            ASSERT_NE(document, nullptr);
            desk.prompter.saveNames.push_back(desk.home.file("copy.htm"));
            EXPECT_TRUE(saveAs ? desk.flows.SavesAs(*document) : desk.flows.Saves(*document));
            EXPECT_EQ(desk.home.read(saveAs ? "copy.htm" : "page.htm"), bytes);
            EXPECT_TRUE(desk.prompter.errors.isEmpty());
        }
    }
}

TEST(DocumentFlows, RefusedWriteKeepsTheOldFile) {
    struct Row {
        const char* intent;
        bool ownFile; // else an untitled document saved over it
    };
    const Row rows[] = {{"Save to its own read-only file", true},
                        {"Save As over a read-only file", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        const QString path = desk.home.write("locked.htm", "<p>old</p>\n");
        Document* document =
            row.ownFile ? desk.flows.openFile(path) : desk.flows.newPlainDocument();
        ASSERT_NE(document, nullptr);
        // No write bit for anyone: refused even when the tests run as root.
        ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                    QFileDevice::ReadOther));
        edit(*document, "<p>new</p>");
        const QString caption = document->caption();
        desk.prompter.saveNames.push_back(path);
        desk.prompter.yesNo = {true};
        EXPECT_FALSE(desk.flows.Saves(*document));
        EXPECT_EQ(desk.home.read("locked.htm"), QByteArray("<p>old</p>\n"));
        ASSERT_EQ(desk.prompter.errors.size(), 1);
        EXPECT_TRUE(desk.prompter.errors[0].contains(path));
        EXPECT_TRUE(document->text().isModified());
        EXPECT_EQ(document->caption(), caption);
    }
}

TEST(DocumentFlows, SaveAsksWhenAnotherProgramChangedTheFile) {
    const QByteArray mine = "<p>one</p>\n";
    struct Row {
        const char* intent;
        QByteArray theirs; // empty: the file is only touched
        const char* replies;
        bool asks, saved;
    };
    const Row rows[] = {
        {"same size, No keeps their file", "<p>two</p>\n", "n", true, false},
        {"same size, Yes writes", "<p>two</p>\n", "y", true, true},
        {"other size, No keeps their file", "<p>three</p>\n", "n", true, false},
        {"other size, Yes writes", "<p>three</p>\n", "y", true, true},
        {"rewritten with the same bytes", mine, "", false, true},
        {"touched", {}, "", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        const QString path = desk.home.write("page.htm", mine);
        Document* document = desk.flows.openFile(path);
        ASSERT_NE(document, nullptr);
        if (row.theirs.isEmpty()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(90),
                                         QFileDevice::FileModificationTime));
        } else {
            rewrite(path, row.theirs);
        }
        edit(*document, "<b>");
        desk.prompter.yesNo = replies(row.replies);
        const QByteArray before = desk.home.read("page.htm");
        EXPECT_EQ(desk.flows.Saves(*document), row.saved);
        ASSERT_EQ(desk.prompter.asked.size(), row.asks ? 1 : 0);
        if (row.asks) {
            EXPECT_TRUE(desk.prompter.asked[0].startsWith(path));
            EXPECT_TRUE(desk.prompter.asked[0].contains("changed by another program"));
        }
        EXPECT_EQ(desk.home.read("page.htm"), row.saved ? "<b>" + mine : before);
        EXPECT_EQ(document->text().isModified(), !row.saved);
    }
}

TEST(DocumentFlows, CheckDiskOffersToReadTheFileAgain) {
    struct Row {
        const char* intent;
        bool untitled;
        const char* changes; // each word w is written as "<p>w</p>\n" ("-": nothing), then checked
        const char* replies;
        int asked;
        const char* text;
        bool modified;
    };
    const Row rows[] = {
        {"Yes reads the file again", false, "two", "y", 1, "<p>two</p>\r\n", false},
        {"No keeps the text and is not asked again", false, "two|-|-", "n", 1, "<b><p>one</p>\r\n",
         true},
        {"a later different change is offered again", false, "two|six", "ny", 2, "<p>six</p>\r\n",
         false},
        {"a file rewritten unchanged is not offered", false, "one", "", 0, "<b><p>one</p>\r\n",
         true},
        {"an untitled document is never checked", true, "two", "y", 0, "<b>", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        const QString path = desk.home.write("page.htm", "<p>one</p>\n");
        Document* document =
            row.untitled ? desk.flows.newPlainDocument() : desk.flows.openFile(path);
        ASSERT_NE(document, nullptr);
        edit(*document, "<b>");
        desk.prompter.yesNo = replies(row.replies);
        for (const QString& change : QString(row.changes).split('|')) {
            if (change != "-")
                rewrite(path, ("<p>" + change + "</p>\n").toUtf8());
            desk.flows.checkDisk(*document);
        }
        ASSERT_EQ(desk.prompter.asked.size(), row.asked);
        if (row.asked > 0) {
            EXPECT_TRUE(desk.prompter.asked[0].startsWith(path));
        }
        EXPECT_EQ(document->text().text(), QString(row.text));
        EXPECT_EQ(document->text().isModified(), row.modified);
    }
}

TEST(DocumentFlows, MayCloseAsksAboutChanges) {
    struct Row {
        const char* intent;
        bool edited;
        const char* answers;
        const char* name; // answered in the save dialog
        bool mayClose;
        int asked;
    };
    const Row rows[] = {
        {"unmodified asks nothing", false, "", nullptr, true, 0},
        {"No closes unsaved", true, "N", nullptr, true, 1},
        {"Cancel keeps it open", true, "C", nullptr, false, 1},
        {"Yes with a cancelled dialog asks again", true, "Y", nullptr, false, 2},
        {"Yes with a name saves", true, "Y", "two", true, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        desk.flows.newPlainDocument();
        Document& document = *desk.flows.newPlainDocument();
        if (row.edited)
            edit(document, "<p>");
        desk.prompter.yesNoCancel = answers(row.answers);
        if (row.name)
            desk.prompter.saveNames.push_back(desk.home.file(row.name));
        EXPECT_EQ(desk.flows.mayClose(document), row.mayClose);
        EXPECT_EQ(desk.prompter.asked,
                  QStringList(row.asked, QStringLiteral("Save Changes to 'Untitled 2'?")));
        EXPECT_EQ(desk.home.read("two.htm"), QByteArray(row.name ? "<p>" : ""));
    }
}

TEST(DocumentFlows, CloseAllAsksEveryDocumentBeforeClosingAny) {
    struct Row {
        const char* intent;
        const char* answers;
        bool closed;
        const char* captions; // still open
    };
    const Row rows[] = {
        {"No then Cancel leaves both open", "NC", false, "Untitled 1|Untitled 2"},
        {"Cancel first asks nothing more", "C", false, "Untitled 1|Untitled 2"},
        {"No for both closes both", "NN", true, ""},
        {"Yes saves before any closes, then Cancel", "YC", false, "one.htm|Untitled 2"},
        {"Yes saves, then No closes both", "YN", true, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        edit(*desk.flows.newPlainDocument(), "<p>1</p>");
        edit(*desk.flows.newPlainDocument(), "<p>2</p>");
        desk.prompter.yesNoCancel = answers(row.answers);
        desk.prompter.saveNames.push_back(desk.home.file("one"));
        EXPECT_EQ(desk.flows.closeAll(), row.closed);
        EXPECT_EQ(desk.prompter.asked.size(), qstrlen(row.answers));
        EXPECT_EQ(captions(desk), QString(row.captions));
        const bool savedFirst = row.answers[0] == 'Y';
        EXPECT_EQ(desk.home.read("one.htm"), QByteArray(savedFirst ? "<p>1</p>" : ""));
        if (row.closed)
            continue;
        EXPECT_EQ(texts(desk), QString("<p>1</p>|<p>2</p>"));
        const QList<Document*> open = desk.workspace.documents();
        ASSERT_EQ(open.size(), 2);
        EXPECT_EQ(open[0]->text().isModified(), !savedFirst);
        EXPECT_TRUE(open[1]->text().isModified());
    }
}

TEST(CommandRegistry, RunsDocumentCommands) {
    struct Row {
        const char* intent;
        int documents;
        const char* id;
        bool onFirst;      // runOn the first document, else run
        const char* fails; // the command throws: "settings" or "runtime"
        bool known;
        const char* ranOn;
    };
    const Row rows[] = {
        {"run acts on the active document", 2, "Tag", false, nullptr, true, "Untitled 2"},
        {"runOn acts on the given document", 2, "Tag", true, nullptr, true, "Untitled 1"},
        {"run with no document open does nothing", 0, "Tag", false, nullptr, true, ""},
        {"an unknown id runs nothing", 2, "Nope", false, nullptr, false, ""},
        {"a settings refusal is reported", 1, "Tag", false, "settings", true, "Untitled 1"},
        {"a runtime error is reported", 1, "Tag", true, "runtime", true, "Untitled 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        CommandRegistry commands(desk.workspace, desk.prompter);
        QStringList ranOn;
        commands.addForDocument("Tag", [&](Document& d) {
            ranOn << d.caption();
            if (row.fails && row.fails[0] == 's')
                throw SettingsError(QStringLiteral("boom"));
            if (row.fails)
                throw std::runtime_error("boom");
        });
        for (int i = 0; i < row.documents; ++i)
            desk.flows.newPlainDocument();
        bool known = !row.known;
        EXPECT_NO_THROW(known = row.onFirst ? commands.runOn(row.id, *desk.workspace.documents()[0])
                                            : commands.run(row.id));
        EXPECT_EQ(known, row.known);
        EXPECT_EQ(ranOn.join('|'), QString(row.ranOn));
        EXPECT_EQ(desk.prompter.errors, row.fails ? QStringList{"boom"} : QStringList{});
    }
}

TEST(CommandRegistry, EnabledGivesTheRuleAnswer) {
    struct Row {
        const char* intent;
        bool hasRule;
        std::optional<bool> answer; // the rule's
        const char* id;
        std::optional<bool> expected;
    };
    const Row rows[] = {
        {"rule says yes", true, true, "Cmd", true},
        {"rule says no", true, false, "Cmd", false},
        {"rule leaves it as it is", true, std::nullopt, "Cmd", std::nullopt},
        {"no rule", false, true, "Cmd", std::nullopt},
        {"unknown id", true, true, "Other", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        CommandRegistry commands(desk.workspace, desk.prompter);
        CommandRegistry::Enabled rule;
        if (row.hasRule)
            rule = [&row] { return row.answer; };
        commands.add(
            "Cmd", [] {}, rule);
        EXPECT_EQ(commands.enabled(row.id), row.expected);
    }
}

TEST(HelperPlacement, HelperPosition) {
    constexpr HelperTraits plain = HelperTraits("Table Helper", "tabt", "tabl").below(98);
    constexpr HelperTraits asRead = plain.zeroCounts();
    const QRect main(100, 50, 800, 600);
    // Default: top 50 + 98, right edge 25 px inside 900 for a helper 200 wide.
    const QPoint byDefault(675, 148);
    struct Row {
        const char* intent;
        HelperTraits traits;
        const char* kept; // "Windows"/"help"
        const char* top;  // with left, stored when given; "w": `expected` written as it closed
        const char* left;
        QPoint expected;
    };
    const Row rows[] = {
        {"positions not kept", plain, "", "10", "20", byDefault},
        {"kept, keys stored", plain, "sure", "10", "-20", QPoint(-20, 10)},
        {"kept, keys missing", plain, "sure", nullptr, nullptr, byDefault},
        {"kept, stored 0 top means the default", plain, "sure", "0", "20", QPoint(20, 148)},
        {"kept, stored 0 counts for this helper", asRead, "sure", "0", "20", QPoint(20, 0)},
        {"written then read back", plain, "sure", "w", nullptr, QPoint(-300, 40)},
        {"written at 0 then read back", asRead, "sure", "w", nullptr, QPoint(0, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        desk.settings.writeText("Windows", "help", row.kept);
        if (row.top && QString(row.top) == "w")
            writeHelperPosition(desk.settings, row.traits, row.expected);
        else if (row.top)
            desk.settings.writeTexts({{"Windows", "tabt", row.top}, {"Windows", "tabl", row.left}});
        EXPECT_EQ(helperPosition(desk.settings, row.traits, main, 200), row.expected);
    }
}

} // namespace
} // namespace vellum
