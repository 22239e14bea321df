// Recovery copies inside one process: what the next start finds after each way a program can
// stop or save, one row per case.
#include "app/recovery_start.h"
#include "document/qt/recovery_dlg.h"
#include "document/qt/recovery_keeper.h"
#include "document_fixture.h"
#include "support/file_faults.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLockFile>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What a start after the case finds and what the case showed.
struct Outcome {
    int orphans = 0;      // copies offered
    int damaged = 0;      // copies reported and put aside
    bool ownCopy = false; // the running keeper's copy is on disk
    int warnings = 0;     // message boxes about recovery copies
    bool operator==(const Outcome& o) const {
        return orphans == o.orphans && damaged == o.damaged && ownCopy == o.ownCopy &&
               warnings == o.warnings;
    }
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    return out << "{orphans " << o.orphans << ", damaged " << o.damaged << ", own copy "
               << o.ownCopy << ", warnings " << o.warnings << "}";
}

class RecoveryTest;

struct Case {
    const char* name;
    std::function<void(RecoveryTest&)> act;
    Outcome expected;
    // Looks further at what the next start reported as damaged.
    std::function<void(RecoveryTest&, const QStringList& damaged)> check = {};
};

void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

class RecoveryTest : public DocumentTest {
public:
    RecoveryTest() : m_folder(m_tmp.filePath(QStringLiteral("data/Recovery"))) {}

    using DocumentTest::Doc;
    using DocumentTest::Format;
    using DocumentTest::m_app;
    using DocumentTest::m_script;
    using DocumentTest::m_tmp;
    using DocumentTest::PathOf;
    using DocumentTest::Text;
    using DocumentTest::Type;
    using DocumentTest::View;

    void Start(const QString& folder = QString()) {
        if (!folder.isEmpty())
            m_folder = folder;
        m_store = std::make_shared<CRecoveryStore>(m_folder);
        m_keeper = std::make_unique<CRecoveryKeeper>(Doc(), View(), m_store);
    }
    // Types and waits until the copy is on disk.
    void Edit(const std::string& text) {
        Type(text);
        m_keeper->WriteNow();
    }
    QByteArray OwnCopy() {
        QFile file(m_store->CopyPath(m_keeper->Id()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The program stops without exiting: nothing is removed, the locks go with the process.
    void Die() {
        m_keeper.reset();
        m_store.reset();
    }
    // Starts again in the same folder and restores the one copy offered: the empty string, or
    // what went wrong.
    std::string StartAndRestore() {
        Start();
        QStringList damaged;
        const std::vector<CRecoveryCopy> copies = m_store->TakeOrphans(m_keeper->Id(), damaged);
        if (copies.size() != 1)
            return std::to_string(copies.size()) + " copies offered";
        QString reason;
        return m_keeper->Restore(copies[0], reason) ? std::string() : reason.toStdString();
    }
    // What the offer of the next start holds.
    std::vector<CRecoveryCopy> NextStart(QStringList& damaged) {
        CRecoveryStore next(m_folder);
        return next.TakeOrphans(QString(), damaged);
    }
    // A copy of the text `words` left by a program that died, under `id`.
    void LeaveCopy(const QString& id, const QByteArray& rtf, const QByteArray& record) {
        QDir().mkpath(m_folder);
        QFile copy(m_folder + "/" + id + ".plp");
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(rtf);
        QFile info(m_folder + "/" + id + ".info");
        ASSERT_TRUE(info.open(QIODevice::WriteOnly));
        info.write(record);
    }
    static QByteArray Record(const QString& file = QString(), int ageSeconds = 0) {
        return CRecoveryRecord{file, QDateTime::currentDateTimeUtc().addSecs(-ageSeconds),
                               "2.0.0.2", "hello"}
            .ToBytes();
    }

    void TestBody() override {}

    QString m_folder;
    std::shared_ptr<CRecoveryStore> m_store;
    std::unique_ptr<CRecoveryKeeper> m_keeper;
    QByteArray m_expectedCopy; // the bytes the offered copy must hold, when a case says
};

const Case kCases[] = {
    {"KillDuringWriteKeepsThePreviousCopy",
     [](RecoveryTest& t) {
         t.Start();
         t.Edit("the words before the kill");
         t.m_expectedCopy = t.OwnCopy();
         ASSERT_TRUE(t.m_expectedCopy.startsWith("{\\rtf"));
         // A child process writes a far longer copy under the same name and is killed when
         // half of it has reached the disk.
         const QByteArray longer = "{\\rtf1 " + QByteArray(4 << 20, 'x') + "}";
         const pid_t child = fork();
         if (child == 0) {
             CRecoveryStore::SetWriteHook([](qint64 written) {
                 if (written >= (2 << 20))
                     raise(SIGKILL);
             });
             QString reason;
             t.m_store->Write(t.m_keeper->Id(), longer, {}, reason);
             _exit(0);
         }
         int status = 0;
         waitpid(child, &status, 0);
         ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
         EXPECT_EQ(t.OwnCopy(), t.m_expectedCopy);
         t.Die();
     },
     {1, 0, false, 0}},
    {"TwoProgramsEachKeepTheirOwn",
     [](RecoveryTest& t) {
         t.Start();
         t.Edit("first program");
         CParlDoc doc;
         CRichEditView view;
         doc.SetView(&view);
         CRecoveryKeeper second(doc, view, std::make_shared<CRecoveryStore>(t.m_folder));
         QTest::keyClicks(&view, QStringLiteral("second program"));
         second.WriteNow();
         QFile copy(second.Store().CopyPath(second.Id()));
         ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
         EXPECT_TRUE(copy.readAll().contains("second program"));
         EXPECT_TRUE(t.OwnCopy().contains("first program"));
         EXPECT_NE(second.Id(), t.m_keeper->Id());
         // While both run, a third start offers neither.
         QStringList damaged;
         EXPECT_TRUE(t.NextStart(damaged).empty());
         second.OnExit();
     },
     {0, 0, true, 0}},
    {"ALockOfAProgramThatDiedIsTakenOver",
     [](RecoveryTest& t) {
         t.m_expectedCopy = "{\\rtf1 left behind\\par }";
         t.LeaveCopy("4242-1", t.m_expectedCopy, RecoveryTest::Record());
         // The locks are taken by a process that then ends without giving them up; the second
         // has no copy beside it.
         const pid_t child = fork();
         if (child == 0) {
             QLockFile lock(t.m_folder + "/4242-1.lock");
             QLockFile alone(t.m_folder + "/4242-2.lock");
             _exit(lock.tryLock(0) && alone.tryLock(0) ? 0 : 1);
         }
         int status = 0;
         waitpid(child, &status, 0);
         ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
         ASSERT_TRUE(QFile::exists(t.m_folder + "/4242-1.lock"));
     },
     {1, 0, false, 0},
     [](RecoveryTest& t, const QStringList&) {
         EXPECT_FALSE(QFile::exists(t.m_folder + "/4242-2.lock"));
     }},
    {"CopiesThatCannotBeReadArePutAsideAndNamed",
     [](RecoveryTest& t) {
         t.LeaveCopy("1-1", "no rich text at all", RecoveryTest::Record());
         t.LeaveCopy("1-3", "", RecoveryTest::Record());
         // Planted at a copy's name: a FIFO, a link to an endless device, a dangling link.
         ASSERT_EQ(::mkfifo(QFile::encodeName(t.m_folder + "/2-1.plp").constData(), 0600), 0);
         ASSERT_TRUE(QFile::link("/dev/zero", t.m_folder + "/2-2.plp"));
         ASSERT_TRUE(QFile::link(t.m_folder + "/nowhere", t.m_folder + "/2-3.plp"));
         for (const char* id : {"2-1", "2-2", "2-3"}) {
             QFile record(t.m_folder + "/" + id + ".info");
             ASSERT_TRUE(record.open(QIODevice::WriteOnly));
             record.write(RecoveryTest::Record());
         }
         // A lock that is a FIFO would hang the check whether it is stale.
         ASSERT_EQ(::mkfifo(QFile::encodeName(t.m_folder + "/2-1.lock").constData(), 0600), 0);
     },
     {0, 5, false, 0},
     [](RecoveryTest& t, const QStringList& damaged) {
         for (const QString& path : damaged) {
             EXPECT_TRUE(path.contains("/Recovery/Damaged/")) << path.toStdString();
             EXPECT_TRUE(QFileInfo(path).exists() || QFileInfo(path).isSymLink())
                 << path.toStdString();
         }
         EXPECT_TRUE(
             QDir(t.m_folder).entryList({"*.plp", "*.info"}, QDir::Files | QDir::System).isEmpty());
         // Nothing is offered or reported twice.
         QStringList again;
         EXPECT_TRUE(t.NextStart(again).empty());
         EXPECT_TRUE(again.isEmpty());
     }},
    {"ACopyWithADamagedRecordIsOfferedWithWhatTheCopyTells",
     [](RecoveryTest& t) {
         // The record cut short, no record, a record far over the size (its words alone 2 MB),
         // and a record whose words are long but within it.
         t.LeaveCopy("1-1", "{\\rtf1 fine words\\par }", "{ \"time\": ");
         t.LeaveCopy("1-2", "{\\rtf1 {\\b bold} start\\par second\\par }", "");
         QFile::remove(t.m_folder + "/1-2.info");
         t.LeaveCopy("1-3", "{\\rtf1 huge record\\par }",
                     CRecoveryRecord{"/x/a.plp", QDateTime::currentDateTimeUtc(), "2.0.0.2",
                                     QString(2 << 20, QChar('w'))}
                         .ToBytes());
         t.LeaveCopy("1-4", "{\\rtf1 long words\\par }",
                     CRecoveryRecord{"/x/b.plp", QDateTime::currentDateTimeUtc(), "2.0.0.2",
                                     QString(20000, QChar('v'))}
                         .ToBytes());
     },
     {4, 0, false, 0},
     [](RecoveryTest& t, const QStringList&) {
         QStringList damaged;
         std::vector<CRecoveryCopy> copies = t.NextStart(damaged);
         std::sort(copies.begin(), copies.end(),
                   [](const CRecoveryCopy& a, const CRecoveryCopy& b) { return a.id < b.id; });
         ASSERT_EQ(copies.size(), 4u);
         const struct {
             QString fileName, firstWords;
         } expected[] = {{"", "fine words"},
                         {"", "bold start second"},
                         {"", "huge record"},
                         {"/x/b.plp", QString(CRecoveryRecord::kMaxFirstWords, QChar('v'))}};
         for (std::size_t i = 0; i < 4; ++i) {
             EXPECT_EQ(copies[i].record.fileName, expected[i].fileName) << i;
             EXPECT_EQ(copies[i].record.firstWords, expected[i].firstWords) << i;
             EXPECT_TRUE(copies[i].record.time.isValid()) << i;
             EXPECT_EQ(CRecoveryDlg::RowTexts(copies[i])[2], expected[i].firstWords) << i;
         }
     }},
    {"EditsAfterTheCopyComeBackFromItsJournal",
     [](RecoveryTest& t) {
         t.Start();
         t.Edit("the copy holds this.");
         // Edits that only the journal holds: typing, paragraphs, formats, a centred
         // paragraph, lines pasted, a deletion across paragraphs and an undo.
         t.Type(" Then more");
         QTest::keyClick(&t.View(), Qt::Key_Return);
         t.Type("second line");
         t.Format(4, 8, RGB(200, 0, 0), true);
         PARAFORMAT centred{};
         centred.cbSize = sizeof centred;
         centred.dwMask = PFM_ALIGNMENT;
         centred.wAlignment = PFA_CENTER;
         t.View().SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&centred));
         t.View().SendMessage(EM_REPLACESEL, TRUE,
                              reinterpret_cast<LPARAM>("pasted one\r\npasted two\r\nthree"));
         CHARRANGE across{12, 40};
         t.View().SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&across));
         QTest::keyClick(&t.View(), Qt::Key_Delete);
         t.Type("xyz");
         QTest::keyClick(&t.View(), Qt::Key_Z, Qt::ControlModifier);
         t.Type("!");
         const std::string expected = t.View().StreamOutRtf();
         t.m_keeper->Flush();
         ASSERT_TRUE(t.OwnCopy().contains("the copy holds this."));
         ASSERT_FALSE(t.OwnCopy().contains("second line"));
         EXPECT_GT(t.m_keeper->EditsJournaled(), 20);
         const QString journal = t.m_store->JournalPath(t.m_keeper->Id());
         t.Die();
         // A kill in the middle of an edit leaves it cut off in the journal.
         QFile cut(journal);
         ASSERT_TRUE(cut.open(QIODevice::Append));
         cut.write(QByteArray("\0\0\1\0half", 8));
         cut.close();

         t.m_script.Push(CModalScript::Button(QMessageBox::No)); // "Save changes?" at New
         t.m_app->OnFileNew();
         ASSERT_EQ(t.StartAndRestore(), "");
         EXPECT_EQ(t.View().StreamOutRtf(), expected);
         EXPECT_FALSE(t.View().document()->isUndoAvailable());
         // The restored message's own copy holds it whole.
         EXPECT_TRUE(t.OwnCopy().contains("second"));
         t.m_keeper->OnExit();
     },
     {0, 0, false, 0}},
    {"TypingAfterAPictureJournalsTheTextAlone",
     [](RecoveryTest& t) {
         // A picture of noise, close to a megabyte of PNG, in the copy.
         QImage noise(512, 512, QImage::Format_RGB32);
         std::uint32_t seed = 1;
         for (int y = 0; y < noise.height(); ++y) {
             for (int x = 0; x < noise.width(); ++x) {
                 seed = seed * 1664525u + 1013904223u;
                 noise.setPixel(x, y, seed >> 8);
             }
         }
         QByteArray png;
         QBuffer buffer(&png);
         ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && noise.save(&buffer, "PNG"));
         ASSERT_GT(png.size(), 500'000);
         t.Start();
         t.Edit("before ");
         ASSERT_TRUE(t.View().InsertPicture(png, RtfPictureKind::Png));
         t.m_keeper->WriteNow();
         // Twenty keys after the picture: their journal holds text and formats, not the
         // picture twenty times over.
         t.Type("typed after it, 20 ");
         const std::string expected = t.View().StreamOutRtf();
         t.m_keeper->Flush();
         EXPECT_LT(QFileInfo(t.m_store->JournalPath(t.m_keeper->Id())).size(), 64 * 1024);
         t.Die();
         t.m_script.Push(CModalScript::Button(QMessageBox::No)); // "Save changes?" at New
         t.m_app->OnFileNew();
         ASSERT_EQ(t.StartAndRestore(), "");
         EXPECT_EQ(t.View().StreamOutRtf(), expected);
         t.m_keeper->OnExit();
     },
     {0, 0, false, 0}},
    {"AFolderThatCannotBeWrittenWarnsOnce",
     [](RecoveryTest& t) {
         const QString data = t.m_tmp.filePath("readonly");
         QDir().mkpath(data);
         ReadOnlyFolder readOnly(data);
         // Where even the superuser may write, a file stands where the folder would be.
         QString folder = data + "/Recovery";
         if (!readOnly.IsReadOnly()) {
             QFile blocker(t.m_tmp.filePath("blocker"));
             ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
             folder = blocker.fileName() + "/Recovery";
         }
         t.Start(folder);
         for (const char* words : {"one ", "two ", "three "})
             t.Edit(words);
         EXPECT_EQ(t.Text(), "one two three ");
         EXPECT_TRUE(t.m_keeper->Warned());
     },
     {0, 0, false, 1}},
    {"AProjectSaveDropsTheCopy",
     [](RecoveryTest& t) {
         t.Start();
         t.Edit("saved as a project");
         ASSERT_FALSE(t.OwnCopy().isEmpty());
         ASSERT_TRUE(t.Doc().OnSaveDocument(t.PathOf("message.plp")));
         t.m_keeper->Flush();
     },
     {0, 0, false, 0}},
    {"AnEmailSaveKeepsTheCopyUntilAProjectHoldsTheMessage",
     [](RecoveryTest& t) {
         t.Start();
         t.Edit("saved as an e-mail");
         ASSERT_FALSE(t.OwnCopy().isEmpty());
         // The page is an export: the message itself is still in no file.
         ASSERT_TRUE(t.Doc().OnSaveDocument(t.PathOf("message.htm")));
         t.m_keeper->Flush();
         EXPECT_TRUE(t.OwnCopy().contains("saved as an e-mail"));
         ASSERT_TRUE(t.Doc().OnSaveDocument(t.PathOf("message.plp")));
         t.m_keeper->Flush();
     },
     {0, 0, false, 0}},
    {"AFailedSaveKeepsTheCopy",
     [](RecoveryTest& t) {
         t.Start();
         t.Edit("not saved");
         const QByteArray before = t.OwnCopy();
         t.m_script.Push(CModalScript::Button(QMessageBox::Ok)); // "Could not save ..."
         EXPECT_FALSE(t.Doc().OnSaveDocument(t.PathOf("no-such-folder/message.plp")));
         t.m_keeper->Flush();
         EXPECT_EQ(t.OwnCopy(), before);
         t.Die(); // and the next start offers it
     },
     {1, 0, false, 0}},
    {"NewAfterDecliningToSaveDropsTheCopy",
     [](RecoveryTest& t) {
         t.Start();
         t.Edit("thrown away");
         t.m_script.Push(CModalScript::Button(QMessageBox::No)); // "Save changes to ...?"
         t.m_app->OnFileNew();
         t.m_keeper->Flush();
         EXPECT_EQ(t.Text(), "");
     },
     {0, 0, false, 0}},
    {"RestoreGivesAModifiedMessageTitledAsTheOriginal",
     [](RecoveryTest& t) {
         t.LeaveCopy("7-7",
                     "{\\rtf1{\\*\\parlinosettings{\\defaultcharacter merlin}"
                     "{\\screenwidth 1024}}restored words\\par }",
                     RecoveryTest::Record("/x/hello.plp"));
         t.Start();
         QStringList damaged;
         const std::vector<CRecoveryCopy> copies =
             t.m_store->TakeOrphans(t.m_keeper->Id(), damaged);
         ASSERT_EQ(copies.size(), 1u);
         QString reason;
         ASSERT_TRUE(t.m_keeper->Restore(copies[0], reason)) << reason.toStdString();
         EXPECT_EQ(t.Text(), "restored words");
         EXPECT_EQ(t.Doc().GetTitle(), "hello.plp");
         EXPECT_TRUE(t.Doc().IsModified());
         // The message is this program's own copy now; the old one is gone.
         EXPECT_TRUE(t.OwnCopy().contains("restored words"));
         EXPECT_FALSE(QFile::exists(t.m_store->CopyPath("7-7")));
         // The message's settings come back with it, and the new copy keeps them.
         EXPECT_EQ(t.Doc().m_strDefaultCharacter, "merlin");
         EXPECT_EQ(t.Doc().m_nScreenWidth, 1024);
         EXPECT_TRUE(t.OwnCopy().contains("{\\defaultcharacter merlin}"));
     },
     {0, 0, true, 0}},
    {"TheOfferAtStartDiscardsOneAndRestoresTheOther",
     [](RecoveryTest& t) {
         t.LeaveCopy("1-1", "{\\rtf1 older\\par }", RecoveryTest::Record("", 60));
         t.LeaveCopy("1-2", "{\\rtf1 newer\\par }", RecoveryTest::Record("/x/newer.plp"));
         t.m_script.Push(CRecoveryDlg::Answer(CRecoveryDlg::kDiscard, 0));
         t.m_script.Push(CRecoveryDlg::Answer(CRecoveryDlg::kRestore, 0));
         CCommandLineInfo cmdInfo;
         ASSERT_TRUE(ProcessShellCommandWithRecovery(*t.m_app, cmdInfo, t.m_folder));
         ASSERT_GE(t.m_script.Shown().size(), 2u);
         EXPECT_EQ(t.m_script.Shown()[0].kind, "CRecoveryDlg");
         EXPECT_EQ(t.Text(), "newer");
         EXPECT_EQ(t.Doc().GetTitle(), "newer.plp");
         EXPECT_FALSE(QFile::exists(t.m_folder + "/1-1.plp")); // discarded
         CRecoveryKeeper* keeper = FindRecoveryKeeper(*t.m_app);
         ASSERT_NE(keeper, nullptr);
         EXPECT_EQ(keeper->CopiesWritten(), 1);
         EXPECT_EQ(CRecoveryDlg::RowTexts({"", {"", {}, "2.0.0.2", "Dear friend"}})[0], "Untitled");
         keeper->OnExit();
     },
     {0, 0, false, 0}},
    {"AFileOnTheCommandLineOpensAfterTheOffer",
     [](RecoveryTest& t) {
         t.LeaveCopy("1-1", "{\\rtf1 unsaved\\par }", RecoveryTest::Record());
         QFile file(QString::fromStdString(t.PathOf("named.plp")));
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         file.write("{\\rtf1 from the file\\par }");
         file.close();
         t.m_script.Push(CRecoveryDlg::Answer(CRecoveryDlg::kRestore, 0));
         t.m_script.Push(CModalScript::Button(QMessageBox::No)); // "Save changes to Untitled?"
         CCommandLineInfo cmdInfo;
         cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
         cmdInfo.m_strFileName = t.PathOf("named.plp");
         ASSERT_TRUE(ProcessShellCommandWithRecovery(*t.m_app, cmdInfo, t.m_folder));
         ASSERT_EQ(t.m_script.Shown().size(), 2u);
         EXPECT_EQ(t.m_script.Shown()[0].kind, "CRecoveryDlg");
         EXPECT_EQ(t.m_script.Shown()[1].text, "Save changes to Untitled?");
         EXPECT_EQ(t.Text(), "from the file");
         EXPECT_EQ(t.Doc().GetTitle(), "named.plp");
         FindRecoveryKeeper(*t.m_app)->Flush();
         EXPECT_TRUE(QDir(t.m_folder).entryList({"*.plp"}, QDir::Files).isEmpty());
     },
     // Declined: the restored message's copy went with it.
     {0, 0, false, 0}},
    {"YesToSaveChangesAfterAPageAsksForAProjectAndKeepsTheCopyUntilOneHoldsTheMessage",
     [](RecoveryTest& t) {
         t.Start();
         t.Edit("kept words");
         ASSERT_TRUE(t.Doc().OnSaveDocument(t.PathOf("note.htm")));
         // Exit asks; Yes proposes the page's name as a project, and the user saves the page
         // once more instead: the message is in no project, so the question comes back.
         QString proposed;
         t.m_script.Push(CModalScript::Button(QMessageBox::Yes));
         t.m_script.Push([&](QWidget& modal) {
             auto& dialog = static_cast<QFileDialog&>(modal);
             proposed = QFileInfo(dialog.selectedFiles().value(0)).fileName();
             dialog.selectFile(QString::fromStdString(t.PathOf("note.htm")));
             return static_cast<int>(QDialog::Accepted);
         });
         t.m_script.Push(CModalScript::Button(QMessageBox::Yes)); // "... Replace it?"
         t.m_script.Push(CModalScript::Button(QMessageBox::Cancel));
         EXPECT_FALSE(t.Doc().SaveModified());
         EXPECT_EQ(proposed, "note.plp");
         EXPECT_TRUE(t.Doc().IsModified());
         ASSERT_EQ(t.m_script.Shown().size(), 4u);
         EXPECT_EQ(t.m_script.Shown()[3].text, t.m_script.Shown()[0].text);
         EXPECT_EQ(t.m_script.Unanswered(), 0);
         t.m_keeper->Flush();
         EXPECT_TRUE(t.OwnCopy().contains("kept words"));
         // A project holds it: exit goes on, and the copy goes.
         t.m_script.Push(CModalScript::Button(QMessageBox::Yes));
         t.m_script.Push(CModalScript::ChooseFile(QString::fromStdString(t.PathOf("note.plp"))));
         EXPECT_TRUE(t.Doc().SaveModified());
         EXPECT_FALSE(t.Doc().IsModified());
         t.m_keeper->Flush();
     },
     {0, 0, false, 0}},
    {"ExitDropsTheCopy",
     [](RecoveryTest& t) {
         t.Start();
         t.Edit("closing normally");
         t.m_keeper->OnExit();
         t.Die();
     },
     {0, 0, false, 0}},
};

class RecoveryCases : public ::testing::TestWithParam<Case> {};

TEST_P(RecoveryCases, NextStartFindsWhatTheCaseLeft) {
    RecoveryTest t;
    GetParam().act(t);
    if (HasFatalFailure())
        return;
    Outcome seen;
    if (t.m_keeper != nullptr)
        seen.ownCopy = !t.OwnCopy().isEmpty();
    QStringList damaged;
    const std::vector<CRecoveryCopy> copies = t.NextStart(damaged);
    seen.orphans = static_cast<int>(copies.size());
    seen.damaged = static_cast<int>(damaged.size());
    for (const CShownModal& shown : t.m_script.Shown())
        seen.warnings += shown.text.contains("Recovery copies") ? 1 : 0;
    EXPECT_EQ(seen, GetParam().expected);
    if (GetParam().check)
        GetParam().check(t, damaged);
    if (!t.m_expectedCopy.isEmpty() && copies.size() == 1) {
        QByteArray bytes;
        QString reason;
        ASSERT_TRUE(CRecoveryStore(t.m_folder).ReadCopy(copies[0].id, bytes, reason));
        EXPECT_EQ(bytes, t.m_expectedCopy);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RecoveryCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& row) {
                             return std::string(row.param.name);
                         });

} // namespace
