// Spelling checked as you type, in the editor inside the main window, with small dictionaries
// the tests write themselves (DICPATH) and the user's data folder in a temporary place.

#include "support/sample_message.h"
#include "view/spelling.h"
#include "view_fixture.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll();
}

// Set up before the view exists: two dictionaries, an English one in UTF-8 and a German one in
// ISO 8859-1, and an empty data folder.
class SpellingEnvironment {
protected:
    explicit SpellingEnvironment(bool withDictionaries = true) {
        m_dictionaries = m_home.filePath(QStringLiteral("dictionaries"));
        QDir().mkpath(m_dictionaries);
        m_data = m_home.filePath(QStringLiteral("data"));
        QDir().mkpath(m_data);
        if (withDictionaries) {
            WriteFile(m_dictionaries + "/en_US.aff", "SET UTF-8\nTRY esianrtolcdugmfphbyvkw\n");
            WriteFile(m_dictionaries + "/en_US.dic",
                      "24\nhello\nworld\nthe\nmessage\ncharacter\nreads\naloud\nthere\nis\na\n"
                      "text\non\ntwo\nlines\nhere\nand\nwalks\nto\nvisit\nor\nme\nat\nsay\n"
                      "caf\xc3\xa9\n");
            WriteFile(m_dictionaries + "/de_DE.aff", "SET ISO8859-1\nTRY esianrtolcdugmfphb\xdf\n");
            WriteFile(m_dictionaries + "/de_DE.dic", "3\nHallo\nWelt\nGr\xfc\xdf"
                                                     "e\n");
            // A hyphenation file shares the ending but is no dictionary.
            WriteFile(m_dictionaries + "/hyph_en_US.dic", "UTF-8\n");
        }
        m_oldDicPath = qgetenv("DICPATH");
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("DICPATH", QFile::encodeName(m_dictionaries));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data));
    }
    ~SpellingEnvironment() {
        qputenv("DICPATH", m_oldDicPath);
        qputenv("XDG_DATA_HOME", m_oldDataHome);
    }

    QTemporaryDir m_home;
    QString m_dictionaries;
    QString m_data;
    QByteArray m_oldDicPath;
    QByteArray m_oldDataHome;
};

class SpellingTest : protected SpellingEnvironment, public ViewTest {
protected:
    explicit SpellingTest(bool withDictionaries = true)
        : SpellingEnvironment(withDictionaries), ViewTest() {
        Show();
    }

    // Shown, so that positions in the text have places on the screen.
    void Show() {
        Frame().resize(640, 480);
        Frame().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
    }

    // The words on screen that carry the wavy underline, in order, once checking has gone
    // through.
    QStringList Marked() {
        m_view->Spelling().Highlighter().Flush();
        QStringList words;
        for (const QTextEdit::ExtraSelection& mark : m_view->extraSelections()) {
            if (mark.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                words << mark.cursor.selectedText();
        }
        return words;
    }

    // A right click on the character at `position`, answered by choosing `nID` (0: dismissed).
    void RightClickAt(int position, UINT nID) {
        QTextCursor cursor(m_view->document());
        cursor.setPosition(position);
        const QPoint point = m_view->cursorRect(cursor).center() + QPoint(2, 0);
        m_script.Push(CModalScript::ChooseCommand(nID));
        m_view->OnRButtonDown(0, point);
    }

    // The program closed and started again: a new main window and view on the same settings
    // and folders.
    void Restart() {
        m_frame.reset();
        CMainFrame& frame = BuildFrame();
        m_view = new CParlView(&m_doc, &frame);
        frame.setCentralWidget(m_view);
        frame.SetActiveView(m_view);
        frame.SetActiveDocument(&m_doc);
        Show();
    }

    std::string Setting(const char* entry) {
        return m_app->GetProfileString(CSettingsStore::kSection, entry);
    }
};

class NoDictionaryTest : public SpellingTest {
protected:
    NoDictionaryTest() : SpellingTest(false) {}
};

struct MarkCase {
    const char* why;
    const char* text; // Windows-1252, as the control's 8-bit text; CR LF for a paragraph mark
    QStringList marked;
};

} // namespace

TEST_F(SpellingTest, WrongWordsOfTheTextAndOfSpeakTagsAreUnderlinedAndCommandsNeverAre) {
    const MarkCase cases[] = {
        {"a wrong word of the message text", "hello wrold", {"wrold"}},
        {"the text of a Speak tag and the text after it",
         "<genie Speak hello wrold> the mesage",
         {"wrold", "mesage"}},
        {"a character name, its verb, an animation and a destination",
         "<genii Play Wavve> <merlinn Move Lower Rihgt> <robbby Read> <genie Speak hello>",
         {}},
        {"a Speak text of two lines",
         "<genie Speak hello\r\nwrold there> mesage",
         {"wrold", "mesage"}},
        {"a Play animation of two lines", "<genie Play Wavve\r\nwrold> mesage", {"mesage"}},
        {"a verb that is no verb, or one a paragraph mark cuts",
         "<genie speak wrold> <genie Spek wrold> <genie Speak\r\nwrold>",
         {}},
        {"web and mail addresses",
         "visit http://exampel.com/pgae or www.exampel.org or me@exampel.net",
         {}},
        {"words with digits", "hello wrold2 3rd mp3", {}},
        {"an accented word in the dictionary and one not in it",
         "caf\xe9 caff\xe9",
         {QString::fromUtf8("caff\xc3\xa9")}},
        {"a \"<\" with no \">\" after it hides the rest",
         "wrold < mesage\r\nmore wrold",
         {"wrold"}},
    };
    for (const MarkCase& c : cases) {
        Select(0, -1);
        m_view->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.text));
        EXPECT_EQ(Marked(), c.marked) << c.why;
    }

    // A tag closed later un-hides what followed its "<", and typing updates the marks.
    Select(0, -1);
    m_view->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
    Type("wrold < mesage");
    ASSERT_EQ(Marked(), QStringList{"wrold"});
    Type(" genie> mesage");
    EXPECT_EQ(Marked(), (QStringList{"wrold", "mesage"}));

    // A word typed key by key is marked once it is finished: a blank after it, or the caret
    // gone elsewhere.
    QTest::keyClicks(m_view, " zorp");
    EXPECT_EQ(Marked(), (QStringList{"wrold", "mesage"}));
    QTest::keyClick(m_view, Qt::Key_Space);
    EXPECT_EQ(Marked(), (QStringList{"wrold", "mesage", "zorp"}));
    QTest::keyClicks(m_view, "blorp");
    EXPECT_EQ(Marked(), (QStringList{"wrold", "mesage", "zorp"}));
    Select(0, 0);
    EXPECT_EQ(Marked(), (QStringList{"wrold", "mesage", "zorp", "blorp"}));
}

TEST_F(SpellingTest, ASuggestionReplacesTheWordWithItsFormatAndUndoesInOneStep) {
    Type("hello wrold there");
    Select(6, 11);
    SetCharFormat(CFM_BOLD | CFM_COLOR, CFE_BOLD, 0, RGB(0, 0, 200));
    Select(0, 0);
    m_doc.SetModifiedFlag(FALSE);
    ASSERT_EQ(Marked(), QStringList{"wrold"});

    RightClickAt(8, ID_SPELL_SUGGESTION_FIRST);
    ASSERT_EQ(m_script.Shown().size(), 1u);
    // The corrections come first, then the menu's own entries.
    EXPECT_TRUE(m_script.Last().text.startsWith("world\n")) << m_script.Last().text.toStdString();
    EXPECT_TRUE(m_script.Last().text.endsWith("&Add to Dictionary\n&Ignore All\n&Font...\n&Speak\n"
                                              "&Read\nPla&y\n&Move\nSelect A&ll\n&Paste\n&Copy\n"
                                              "Cu&t\n&Undo"))
        << m_script.Last().text.toStdString();
    EXPECT_EQ(Text(), "hello world there");
    const CHARFORMAT corrected = FormatOf(6, 11);
    EXPECT_TRUE(corrected.dwEffects & CFE_BOLD);
    EXPECT_EQ(corrected.crTextColor, RGB(0, 0, 200));
    EXPECT_EQ(FormatOf(5, 6).dwEffects & CFE_BOLD, 0u);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(Marked(), QStringList());

    Frame().SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), "hello wrold there");
    EXPECT_TRUE(FormatOf(6, 11).dwEffects & CFE_BOLD);
    EXPECT_EQ(Marked(), QStringList{"wrold"});

    // A right click away from a misspelt word shows the menu's own entries alone.
    RightClickAt(2, 0);
    EXPECT_TRUE(m_script.Last().text.startsWith("&Font...\n"))
        << m_script.Last().text.toStdString();
}

TEST_F(SpellingTest, AddedWordsLastAcrossARestartAndIgnoredOnesOnlyForTheMessage) {
    Type("zorp and wrold");
    ASSERT_EQ(Marked(), (QStringList{"zorp", "wrold"}));
    RightClickAt(1, ID_SPELL_ADD_WORD);
    EXPECT_EQ(Marked(), QStringList{"wrold"});
    EXPECT_EQ(ReadFile(m_data.toStdString() + "/Parlino/words.txt"), "zorp\n");
    RightClickAt(10, ID_SPELL_IGNORE_ALL);
    EXPECT_EQ(Marked(), QStringList());
    EXPECT_EQ(Text(), "zorp and wrold");

    // A new message: the ignored word is wrong again, the added one is not.
    ASSERT_TRUE(m_doc.CDocument::OnNewDocument());
    Type("zorp wrold");
    EXPECT_EQ(Marked(), QStringList{"wrold"});

    Restart();
    Type("zorp wrold");
    EXPECT_EQ(Marked(), QStringList{"wrold"});
}

TEST_F(SpellingTest, SwitchingLanguageRechecksAndIsRememberedWithTheOnOffState) {
    Type("Hallo Welt Gr\xfc\xdf"
         "e hello");
    EXPECT_EQ(m_view->Spelling().Language(), "en_US");
    EXPECT_EQ(Marked(), (QStringList{"Hallo", "Welt",
                                     QString::fromUtf8("Gr\xc3\xbc\xc3\x9f"
                                                       "e")}));

    Frame().UpdateCommandUI();
    EXPECT_TRUE(Action(ID_SPELL_CHECK)->isChecked());
    EXPECT_EQ(Action(ID_SPELL_LANGUAGE_FIRST)->text(), "English (United States)");
    EXPECT_TRUE(Action(ID_SPELL_LANGUAGE_FIRST)->isChecked());
    EXPECT_EQ(Action(ID_SPELL_LANGUAGE_FIRST + 1)->text(), "German (Germany)");
    EXPECT_FALSE(Action(ID_SPELL_LANGUAGE_FIRST + 1)->isChecked());
    EXPECT_FALSE(Action(ID_SPELL_LANGUAGE_FIRST + 2)->isVisible());

    Frame().SendCommand(ID_SPELL_LANGUAGE_FIRST + 1);
    EXPECT_EQ(Marked(), QStringList{"hello"});
    EXPECT_TRUE(Action(ID_SPELL_LANGUAGE_FIRST + 1)->isChecked());
    EXPECT_EQ(Setting(CSettingsStore::kSpellingLanguage), "de_DE");

    // Words go to the 8-bit dictionary and its suggestions come back in its encoding.
    Select(0, -1);
    m_view->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("Gr\xfcsse"));
    RightClickAt(1, 0);
    EXPECT_TRUE(m_script.Last().text.startsWith(QString::fromUtf8("Gr\xc3\xbc\xc3\x9f"
                                                                  "e\n")))
        << m_script.Last().text.toStdString();

    Frame().SendCommand(ID_SPELL_CHECK);
    EXPECT_EQ(Marked(), QStringList());
    EXPECT_FALSE(Action(ID_SPELL_CHECK)->isChecked());
    EXPECT_EQ(Setting(CSettingsStore::kCheckSpelling), "0");

    Restart();
    EXPECT_FALSE(m_view->Spelling().IsOn());
    EXPECT_EQ(m_view->Spelling().Language(), "de_DE");
    Type("hello");
    EXPECT_EQ(Marked(), QStringList());
    Frame().SendCommand(ID_SPELL_CHECK);
    EXPECT_EQ(Marked(), QStringList{"hello"});
}

TEST_F(NoDictionaryTest, WithoutADictionaryCheckingIsOffAndTheMenuSaysSo) {
    Type("wrold mesage");
    EXPECT_FALSE(m_view->Spelling().IsOn());
    EXPECT_EQ(Marked(), QStringList());

    Frame().UpdateCommandUI();
    EXPECT_FALSE(Action(ID_SPELL_CHECK)->isEnabled());
    EXPECT_FALSE(Action(ID_SPELL_CHECK)->isChecked());
    EXPECT_EQ(Action(ID_SPELL_LANGUAGE_FIRST)->text(), "No dictionary installed");
    EXPECT_FALSE(Action(ID_SPELL_LANGUAGE_FIRST)->isEnabled());
    EXPECT_TRUE(Action(ID_SPELL_LANGUAGE_FIRST)->isVisible());
    EXPECT_FALSE(Action(ID_SPELL_LANGUAGE_FIRST + 1)->isVisible());

    Frame().SendCommand(ID_SPELL_CHECK);
    EXPECT_EQ(Marked(), QStringList());
    RightClickAt(2, 0);
    EXPECT_TRUE(m_script.Last().text.startsWith("&Font...\n"));
}

TEST_F(SpellingTest, ProjectAndPageAreTheSameWithCheckingOnAndOff) {
    // A message as the editor writes it, with wrong words in its text and in its tags.
    std::string rtf = sample::GenerateMessage(20000, true);
    for (std::size_t at = rtf.find("walking"); at != std::string::npos;
         at = rtf.find("walking", at))
        rtf.replace(at, 7, "walkign");
    for (std::size_t at = rtf.find("Hello there"); at != std::string::npos;
         at = rtf.find("Hello there", at))
        rtf.replace(at, 11, "Helo thre");
    m_view->StreamInRtf(rtf.data(), rtf.size());
    m_doc.ResetMessageSettings(); // the settings of a new message, which the saves write
    ASSERT_TRUE(m_view->Spelling().IsOn());
    const QStringList marked = Marked();
    ASSERT_TRUE(marked.contains("walkign"));
    ASSERT_TRUE(marked.contains("thre"));
    // The underlines are no edit: the message is not modified and has nothing to undo.
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(m_view->document()->isUndoAvailable());

    // Paragraphs off screen are checked too, and show their marks when they come on screen.
    const QTextBlock lastBlock = m_view->document()->lastBlock().previous();
    ASSERT_TRUE(lastBlock.text().contains("walkign"));
    const auto lastMarked = [this, &lastBlock] {
        for (const QTextEdit::ExtraSelection& mark : m_view->extraSelections()) {
            if (mark.cursor.block() == lastBlock && mark.cursor.selectedText() == "walkign")
                return true;
        }
        return false;
    };
    // The editor lays a long text out in steps while idle, and its scroll bar grows with it:
    // held at the end until the layout is whole, the view shows the message's last paragraph.
    QScrollBar* bar = m_view->verticalScrollBar();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            bar->setValue(bar->maximum());
            Marked();
            return lastMarked();
        },
        10000));

    const std::string folder = MakeFolder(QStringLiteral("saved"));
    const std::string streamedOn = m_view->StreamOutRtf();
    ASSERT_TRUE(m_doc.OnSaveDocument(folder + "on.plp"));
    ASSERT_TRUE(m_doc.OnSaveDocument(folder + "on.htm"));

    Frame().SendCommand(ID_SPELL_CHECK);
    ASSERT_EQ(Marked(), QStringList());
    EXPECT_EQ(m_view->StreamOutRtf(), streamedOn);
    ASSERT_TRUE(m_doc.OnSaveDocument(folder + "off.plp"));
    ASSERT_TRUE(m_doc.OnSaveDocument(folder + "off.htm"));

    EXPECT_EQ(ReadFile(folder + "on.plp"), ReadFile(folder + "off.plp"));
    EXPECT_EQ(ReadFile(folder + "on.htm"), ReadFile(folder + "off.htm"));
    // No underline of any kind reached the project: the message has none of its own.
    EXPECT_EQ(streamedOn.find("\\ul"), std::string::npos);
}

TEST_F(SpellingTest, ALongMessageIsCheckedWithoutTouchingItsLayout) {
    // About 1 MB in some 2,000 paragraphs with a wrong word in most, checked while the editor
    // still lays it out in the background.
    std::string rtf = sample::GenerateMessage(1 << 20, true);
    for (std::size_t at = rtf.find("walking"); at != std::string::npos;
         at = rtf.find("walking", at))
        rtf.replace(at, 7, "walkign");
    QTextDocument* document = m_view->document();
    int changes = 0;
    QObject::connect(document, &QTextDocument::contentsChange, m_view,
                     [&changes](int, int, int) { ++changes; });
    m_view->StreamInRtf(rtf.data(), rtf.size());
    ASSERT_GT(document->blockCount(), 2000);
    changes = 0;

    // Ctrl+End shows the end at once, whatever the checker and the layout are doing.
    QTest::keyClick(m_view, Qt::Key_End, Qt::ControlModifier);
    QTest::qWait(50);
    ASSERT_EQ(m_view->textCursor().position(), document->characterCount() - 1);
    EXPECT_TRUE(m_view->viewport()->rect().contains(m_view->cursorRect()))
        << "caret at y " << m_view->cursorRect().y();
    EXPECT_TRUE(Marked().contains("walkign"));
    QTest::keyClick(m_view, Qt::Key_Home, Qt::ControlModifier);

    // The underlines are drawn over the text: the document never changes for them, so the
    // editor finishes its layout and the scroll bar spans the whole message.
    const auto height = [document] { return document->documentLayout()->documentSize().height(); };
    qreal last = -1;
    QElapsedTimer clock, steady;
    clock.start();
    steady.start();
    while (clock.elapsed() < 30000 && steady.elapsed() < 1000) {
        QTest::qWait(100);
        if (height() != last) {
            last = height();
            steady.restart();
        }
    }
    EXPECT_EQ(changes, 0);
    QScrollBar* bar = m_view->verticalScrollBar();
    bar->setValue((bar->maximum() + bar->minimum()) / 2);
    QTest::qWait(50);
    const double at =
        static_cast<double>(
            m_view->cursorForPosition(m_view->viewport()->rect().center()).position()) /
        document->characterCount();
    EXPECT_GT(at, 0.4);
    EXPECT_LT(at, 0.6);
    EXPECT_TRUE(Marked().contains("walkign"));
    EXPECT_EQ(changes, 0);
}
