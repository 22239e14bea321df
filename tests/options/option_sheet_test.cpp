// The Advanced Options command: what the sheet shows, what OK and Cancel write into the
// document, the resolution list and the command colour's swatch.
#include "compiler/compile_support.h"
#include "document/parl_doc.h"
#include "options/advanced_options.h"
#include "options/option_sht.h"
#include "platform/qt/colorref.h"
#include "platform/qt/modal_script.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr COLORREF kGreen = RGB(0x10, 0x80, 0x20);
constexpr COLORREF kPurple = RGB(0x70, 0x20, 0x90);

COptionSht& Sheet(QDialog& dialog) {
    return dynamic_cast<COptionSht&>(dialog);
}

// What the user does to pick an entry of the resolution list.
void ChooseResolution(COptionSht& sheet, int index) {
    QComboBox* combo = sheet.m_defPage.m_wndResolution;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Changes the command colour on the Color page through its Change button; the colour dialog is
// answered by the script's next answer.
void PressChange(COptionSht& sheet) {
    sheet.SetActivePage(2);
    sheet.m_colorPage.GetDlgItem<QAbstractButton>(IDC_CHANGE_COLOR)->click();
}

class OptionSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_doc.ResetMessageSettings();
        // Settings unlike every value the sheet starts from.
        m_doc.m_strCharacterLocation = "/srv/characters/";
        m_doc.m_strDefaultCharacter = "merlin";
        m_doc.m_strBackgroundPicture = "sky.jpg";
        m_doc.m_bRecipientHasAgent = 1;
        m_doc.m_bPlayInBrowsers = 0;
        m_doc.m_nScreenWidth = 1024;
        m_doc.m_nScreenHeight = 768;
        m_doc.m_crCommand = kGreen;
        m_doc.SetModifiedFlag(FALSE);
    }

    void ExpectDocumentUntouched() {
        EXPECT_EQ(m_doc.m_strCharacterLocation, "/srv/characters/");
        EXPECT_EQ(m_doc.m_strDefaultCharacter, "merlin");
        EXPECT_EQ(m_doc.m_strBackgroundPicture, "sky.jpg");
        EXPECT_EQ(m_doc.m_bRecipientHasAgent, 1);
        EXPECT_EQ(m_doc.m_bPlayInBrowsers, 0);
        EXPECT_EQ(m_doc.m_nScreenWidth, 1024);
        EXPECT_EQ(m_doc.m_nScreenHeight, 768);
        EXPECT_EQ(m_doc.m_crCommand, kGreen);
        EXPECT_FALSE(m_doc.IsModified());
    }

    CModalScript m_script;
    CParlDoc m_doc;
};

} // namespace

TEST_F(OptionSheetTest, opensOnTheDefaultsPageShowingTheDocumentsSettings) {
    QStringList tabs, resolutions;
    int active = -1;
    bool locCreated = true, colorCreated = true;
    QString character;
    int chosen = -1;
    bool agent = true;
    bool play = true;
    m_script.Push(CModalScript::Reject([&](QDialog& dialog) {
        COptionSht& sheet = Sheet(dialog);
        for (int i = 0; i < sheet.GetTabControl()->count(); ++i)
            tabs << sheet.GetTabControl()->tabText(i);
        active = sheet.GetTabControl()->currentIndex();
        locCreated = sheet.m_locPage.IsCreated();
        colorCreated = sheet.m_colorPage.IsCreated();
        CDefPage& page = sheet.m_defPage;
        character = page.GetDlgItem<QLineEdit>(IDC_DEFAULT_CHARACTER)->text();
        for (int i = 0; i < page.m_wndResolution->count(); ++i)
            resolutions << page.m_wndResolution->itemText(i);
        chosen = page.m_wndResolution->currentIndex();
        agent = page.GetDlgItem<QCheckBox>(IDC_RECIPIENT_HAS_AGENT)->isChecked();
        play = page.GetDlgItem<QCheckBox>(IDC_PLAY_IN_BROWSERS)->isChecked();
    }));
    ShowAdvancedOptions(m_doc, nullptr);

    ASSERT_EQ(m_script.Shown().size(), 1u);
    EXPECT_EQ(m_script.Last().kind, "COptionSht");
    EXPECT_EQ(m_script.Last().title, "Advanced Options");
    EXPECT_EQ(tabs, QStringList({"Locations", "Defaults", "Color"}));
    EXPECT_EQ(active, 1);
    // Pages are built when first shown.
    EXPECT_FALSE(locCreated);
    EXPECT_FALSE(colorCreated);
    EXPECT_EQ(character, "merlin");
    EXPECT_EQ(resolutions,
              QStringList({"640x480", "720x480", "800x600", "1024x768", "1280x1024", "1600x1200"}));
    EXPECT_EQ(chosen, 3); // 1024x768
    EXPECT_TRUE(agent);
    // Playing in browsers without the control is copied in like the other values.
    EXPECT_FALSE(play);
}

TEST_F(OptionSheetTest, okWithoutAChangeKeepsEverySettingWhateverPagesWereVisited) {
    const struct {
        const char* what;
        LONG cx, cy;
        std::vector<int> pagesVisited;
        int shownResolution;
    } rows[] = {
        {"a listed size, Defaults page only", 1024, 768, {}, 3},
        {"the first listed size, every page", 640, 480, {0, 2}, 0},
        {"the last listed size, Locations page", 1600, 1200, {0}, 5},
        {"a size the list does not hold, every page", 1366, 768, {0, 2}, -1},
    };
    for (const auto& row : rows) {
        SetUp();
        m_doc.m_nScreenWidth = row.cx;
        m_doc.m_nScreenHeight = row.cy;
        int shown = -2;
        QString picture;
        m_script.Push(CModalScript::Accept([&](QDialog& dialog) {
            COptionSht& sheet = Sheet(dialog);
            shown = sheet.m_defPage.m_wndResolution->currentIndex();
            for (int page : row.pagesVisited)
                sheet.SetActivePage(page);
            if (sheet.m_locPage.IsCreated())
                picture = sheet.m_locPage.GetDlgItem<QLineEdit>(IDC_BACKGROUND_PICTURE)->text();
        }));
        ShowAdvancedOptions(m_doc, nullptr);

        EXPECT_EQ(shown, row.shownResolution) << row.what;
        if (!row.pagesVisited.empty() && row.pagesVisited.front() == 0) {
            EXPECT_EQ(picture, "sky.jpg") << row.what;
        }
        EXPECT_EQ(m_doc.m_strCharacterLocation, "/srv/characters/") << row.what;
        EXPECT_EQ(m_doc.m_strDefaultCharacter, "merlin") << row.what;
        EXPECT_EQ(m_doc.m_strBackgroundPicture, "sky.jpg") << row.what;
        EXPECT_EQ(m_doc.m_bRecipientHasAgent, 1) << row.what;
        EXPECT_EQ(m_doc.m_bPlayInBrowsers, 0) << row.what;
        EXPECT_EQ(m_doc.m_nScreenWidth, row.cx) << row.what;
        EXPECT_EQ(m_doc.m_nScreenHeight, row.cy) << row.what;
        EXPECT_EQ(m_doc.m_crCommand, kGreen) << row.what;
        // OK with nothing changed is no edit: no "*" in the title, no question on exit.
        EXPECT_FALSE(m_doc.IsModified()) << row.what;
    }
}

TEST_F(OptionSheetTest, okTakesWhatTheUserTypedOnEveryPage) {
    m_script.Push(CModalScript::Accept([&](QDialog& dialog) {
        COptionSht& sheet = Sheet(dialog);
        sheet.m_defPage.GetDlgItem<QLineEdit>(IDC_DEFAULT_CHARACTER)->setText("robby");
        sheet.m_defPage.GetDlgItem<QCheckBox>(IDC_RECIPIENT_HAS_AGENT)->setChecked(true);
        sheet.m_defPage.GetDlgItem<QCheckBox>(IDC_PLAY_IN_BROWSERS)->setChecked(true);
        ChooseResolution(sheet, 2);
        sheet.SetActivePage(0);
        sheet.m_locPage.GetDlgItem<QLineEdit>(IDC_CHARACTER_LOCATION)->setText("/opt/chars/");
        sheet.m_locPage.GetDlgItem<QLineEdit>(IDC_BACKGROUND_PICTURE)->setText("paper.gif");
    }));
    ShowAdvancedOptions(m_doc, nullptr);

    EXPECT_EQ(m_doc.m_strCharacterLocation, "/opt/chars/");
    EXPECT_EQ(m_doc.m_strDefaultCharacter, "robby");
    EXPECT_EQ(m_doc.m_strBackgroundPicture, "paper.gif");
    EXPECT_EQ(m_doc.m_bRecipientHasAgent, 1);
    EXPECT_EQ(m_doc.m_bPlayInBrowsers, 1);
    EXPECT_EQ(m_doc.m_nScreenWidth, 800);
    EXPECT_EQ(m_doc.m_nScreenHeight, 600);
    EXPECT_EQ(m_doc.m_crCommand, kGreen);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(OptionSheetTest, cancelLeavesEverySettingAndTheModifiedStateEvenAfterAColourWasChosen) {
    COLORREF shownOnPage = 0;
    m_script.Push(CModalScript::Reject([&](QDialog& dialog) {
        COptionSht& sheet = Sheet(dialog);
        sheet.m_defPage.GetDlgItem<QLineEdit>(IDC_DEFAULT_CHARACTER)->setText("robby");
        ChooseResolution(sheet, 5);
        PressChange(sheet);
        shownOnPage = sheet.m_colorPage.m_crCommand;
    }));
    m_script.Push(CModalScript::ChooseColor(ColorFromRef(kPurple)));
    ShowAdvancedOptions(m_doc, nullptr);

    EXPECT_EQ(shownOnPage, kPurple);
    ExpectDocumentUntouched();
}

TEST_F(OptionSheetTest, aColourChosenOnTheColorPageBecomesTheCommandColourOnOk) {
    QColor preselected;
    m_script.Push(CModalScript::Accept([&](QDialog& dialog) { PressChange(Sheet(dialog)); }));
    m_script.Push([&](QWidget& modal) {
        auto& colors = dynamic_cast<QColorDialog&>(modal);
        preselected = colors.currentColor();
        colors.setCurrentColor(ColorFromRef(kPurple));
        return static_cast<int>(QDialog::Accepted);
    });
    ShowAdvancedOptions(m_doc, nullptr);

    ASSERT_EQ(m_script.Shown().size(), 2u);
    EXPECT_EQ(m_script.Shown()[1].kind, "QColorDialog");
    // The dialog starts from black, not from the current colour.
    EXPECT_EQ(preselected, QColor(Qt::black));
    EXPECT_EQ(m_doc.m_crCommand, kPurple);
}

TEST_F(OptionSheetTest, cancellingTheColourDialogKeepsTheColour) {
    m_script.Push(CModalScript::Accept([&](QDialog& dialog) { PressChange(Sheet(dialog)); }));
    m_script.Push(CModalScript::Reject());
    ShowAdvancedOptions(m_doc, nullptr);

    EXPECT_EQ(m_doc.m_crCommand, kGreen);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(OptionSheetTest, eachEntryOfTheResolutionListGivesItsScreenSize) {
    const struct {
        const char* text;
        LONG cx, cy;
    } rows[] = {{"640x480", 640, 480},   {"720x480", 720, 480},     {"800x600", 800, 600},
                {"1024x768", 1024, 768}, {"1280x1024", 1280, 1024}, {"1600x1200", 1600, 1200}};
    for (int i = 0; i < 6; ++i) {
        QString text;
        m_script.Push(CModalScript::Accept([&](QDialog& dialog) {
            ChooseResolution(Sheet(dialog), i);
            text = Sheet(dialog).m_defPage.m_wndResolution->currentText();
        }));
        ShowAdvancedOptions(m_doc, nullptr);
        EXPECT_EQ(text, rows[i].text);
        EXPECT_EQ(m_doc.m_nScreenWidth, rows[i].cx) << rows[i].text;
        EXPECT_EQ(m_doc.m_nScreenHeight, rows[i].cy) << rows[i].text;
    }
}

TEST_F(OptionSheetTest, textTypedIntoTheResolutionBoxIsNeverRead) {
    m_script.Push(CModalScript::Accept([&](QDialog& dialog) {
        Sheet(dialog).m_defPage.m_wndResolution->setEditText("1600x1200");
    }));
    ShowAdvancedOptions(m_doc, nullptr);

    EXPECT_EQ(m_doc.m_nScreenWidth, 1024);
    EXPECT_EQ(m_doc.m_nScreenHeight, 768);
}

TEST_F(OptionSheetTest, aChoiceThatEndsWithNoEntrySelectedKeepsTheScreenSize) {
    int index = 0;
    m_script.Push(CModalScript::Accept([&](QDialog& dialog) {
        CDefPage& page = Sheet(dialog).m_defPage;
        page.GetDlgItem<QLineEdit>(IDC_DEFAULT_CHARACTER)->setText("robby");
        page.m_wndResolution->setCurrentIndex(-1);
        page.OnSelendokResolution();
        index = page.m_nResolution;
    }));
    ShowAdvancedOptions(m_doc, nullptr);

    EXPECT_EQ(index, -1);
    EXPECT_EQ(m_doc.m_nScreenWidth, 1024);
    EXPECT_EQ(m_doc.m_nScreenHeight, 768);
    // The rest of the sheet still counts.
    EXPECT_EQ(m_doc.m_strDefaultCharacter, "robby");
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(OptionSheetTest, theReaderOfTheLastCompileIsShownAsTheDefaultCharacter) {
    testing_support::Compiled compiled = testing_support::Compile(
        testing_support::Rtf("\\pard\\plain\\f2\\fs24\\cf0 <peedy Read>Hello there"));
    CParlDoc& doc = *compiled.doc;
    ASSERT_EQ(doc.m_strDefaultCharacter, "peedy");
    QString shown;
    m_script.Push(CModalScript::Reject([&](QDialog& dialog) {
        shown = Sheet(dialog).m_defPage.GetDlgItem<QLineEdit>(IDC_DEFAULT_CHARACTER)->text();
    }));
    ShowAdvancedOptions(doc, nullptr);

    EXPECT_EQ(shown, "peedy");
}

TEST_F(OptionSheetTest, theColorPageShowsTheCommandColourAsASwatchAndRepaintsANewOne) {
    QImage before, after;
    QRect swatch;
    QSize page;
    m_script.Push(CModalScript::Reject([&](QDialog& dialog) {
        COptionSht& sheet = Sheet(dialog);
        dialog.show(); // lays the pages out at their real size
        sheet.SetActivePage(2);
        page = sheet.m_colorPage.size();
        swatch = sheet.m_colorPage.SwatchRect();
        before = sheet.m_colorPage.grab().toImage();
        sheet.m_colorPage.GetDlgItem<QAbstractButton>(IDC_CHANGE_COLOR)->click();
        after = sheet.m_colorPage.grab().toImage();
        dialog.hide();
    }));
    m_script.Push(CModalScript::ChooseColor(ColorFromRef(kPurple)));
    ShowAdvancedOptions(m_doc, nullptr);

    ASSERT_FALSE(before.isNull());
    EXPECT_EQ(swatch.size(), QSize(100, 25));
    EXPECT_EQ(swatch.left(), page.width() / 2 - 50);
    EXPECT_EQ(swatch.top(), page.height() / 2 - 25);
    EXPECT_EQ(swatch.bottom() + 1, page.height() / 2);
    for (const QPoint& corner :
         {swatch.topLeft(), swatch.topRight(), swatch.bottomLeft(), swatch.bottomRight()}) {
        EXPECT_EQ(before.pixelColor(corner), ColorFromRef(kGreen));
        EXPECT_EQ(after.pixelColor(corner), ColorFromRef(kPurple));
    }
    for (const QPoint& outside :
         {swatch.topLeft() - QPoint(1, 0), swatch.topLeft() - QPoint(0, 1),
          swatch.bottomRight() + QPoint(1, 0), swatch.bottomRight() + QPoint(0, 1)}) {
        EXPECT_NE(before.pixelColor(outside), ColorFromRef(kGreen));
        EXPECT_NE(after.pixelColor(outside), ColorFromRef(kPurple));
    }
}

namespace {

// A page's controls in creation (and tab) order: class and text.
QStringList Controls(const QWidget& page) {
    QStringList controls;
    for (const QObject* child : page.children()) {
        if (auto* label = qobject_cast<const QLabel*>(child))
            controls << "label " + label->text();
        else if (auto* edit = qobject_cast<const QLineEdit*>(child);
                 edit != nullptr && qobject_cast<const QComboBox*>(child->parent()) == nullptr)
            controls << "edit " + edit->text();
        else if (auto* combo = qobject_cast<const QComboBox*>(child))
            controls << QString(combo->isEditable() ? "combo with edit field" : "combo");
        else if (auto* button = qobject_cast<const QAbstractButton*>(child))
            controls << QString(button->isCheckable() ? "check " : "button ") + button->text();
    }
    return controls;
}

} // namespace

TEST_F(OptionSheetTest, everyPageShowsItsLabelsAndControlsInTabOrder) {
    QStringList loc, def, color, hidden;
    QSize defSize;
    m_script.Push(CModalScript::Reject([&](QDialog& dialog) {
        COptionSht& sheet = Sheet(dialog);
        // Pages built after the sheet is on screen must show their controls too.
        dialog.show();
        for (int page : {0, 2, 1}) {
            sheet.SetActivePage(page);
            CPropertyPage* shown = sheet.GetPage(page);
            for (QWidget* control : shown->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!control->isVisible() || control->width() <= 0 || control->height() <= 0 ||
                    !shown->rect().contains(control->geometry()))
                    hidden << shown->windowTitle() + ": " + control->metaObject()->className();
                // No text cut off: each label and button is as large as its text needs.
                const QSize need = CDialog::TextNeed(*control);
                if (need.isValid() &&
                    (need.width() > control->width() || need.height() > control->height()))
                    hidden << shown->windowTitle() + ": clipped " +
                                  control->property("text").toString();
            }
        }
        dialog.hide();
        loc = Controls(sheet.m_locPage);
        def = Controls(sheet.m_defPage);
        color = Controls(sheet.m_colorPage);
        defSize = sheet.m_defPage.minimumSize();
    }));
    m_doc.m_strCharacterLocation.clear();
    m_doc.m_strDefaultCharacter.clear();
    m_doc.m_strBackgroundPicture.clear();
    ShowAdvancedOptions(m_doc, nullptr);

    EXPECT_EQ(loc, QStringList({"label Location of Optional Character *.acf Files", "edit ",
                                "label Location of Optional Background Picture", "edit "}));
    EXPECT_EQ(def, QStringList({"label Default Character", "edit ",
                                "label Screen resolution of recipient's monitor",
                                "combo with edit field", "check Recipient has MS Agent",
                                "check Play in browsers without the character control",
                                "label Message language (empty: the spelling language)", "edit "}));
    EXPECT_EQ(color, QStringList({"label Current Command Color", "button Change"}));
    EXPECT_EQ(hidden, QStringList());
    const CDialogUnits du(QApplication::font());
    // The template's size, or larger where the text of the desktop's font needs it.
    EXPECT_GE(defSize.width(), du.ToPixelsX(186));
    EXPECT_GE(defSize.height(), du.ToPixelsY(148));
}

TEST_F(OptionSheetTest, okRefusesADefaultCharacterThatIsNoScriptNameAndKeepsTheSheetOpen) {
    const char* const bad[] = {"my genie", "",    "Dim",    "WINDOW",   "genieRequest",
                               "1st",      "a-b", "status", "Navigator"};
    for (const char* name : bad) {
        CModalScript script;
        int pageAfterRefusal = -1;
        bool editFocused = false;
        // From the Color page, so the refusal has to bring the Defaults page back.
        script.Push(CModalScript::Accept([&](QDialog& dialog) {
            COptionSht& sheet = Sheet(dialog);
            sheet.m_defPage.GetDlgItem<QLineEdit>(IDC_DEFAULT_CHARACTER)->setText(name);
            sheet.SetActivePage(2);
        }));
        script.Push(CModalScript::Button(QMessageBox::Ok));
        script.Push(CModalScript::Accept([&](QDialog& dialog) {
            COptionSht& sheet = Sheet(dialog);
            pageAfterRefusal = sheet.GetActiveIndex();
            QLineEdit* edit = sheet.m_defPage.GetDlgItem<QLineEdit>(IDC_DEFAULT_CHARACTER);
            editFocused = edit->hasFocus() || sheet.focusWidget() == edit;
            edit->setText("robby");
        }));
        ShowAdvancedOptions(m_doc, nullptr);

        ASSERT_EQ(script.Shown().size(), 3u) << name;
        EXPECT_EQ(script.Shown()[1].kind, "QMessageBox") << name;
        EXPECT_EQ(script.Shown()[1].text,
                  QString("\"%1\" cannot be the default character. A character name begins with "
                          "a letter and holds only letters, digits and underscores; it may not "
                          "be a word that the page's script reserves (such as Dim or window) nor "
                          "end in \"Request\".")
                      .arg(name));
        EXPECT_EQ(script.Shown()[1].icon, QMessageBox::Warning) << name;
        EXPECT_EQ(pageAfterRefusal, 1) << name;
        EXPECT_TRUE(editFocused) << name;
        // The second OK, with a script name, goes through.
        EXPECT_EQ(m_doc.m_strDefaultCharacter, "robby") << name;
        m_doc.m_strDefaultCharacter = "merlin";
    }
}

TEST_F(OptionSheetTest, okRefusesABackgroundPictureOfAnotherKindAndKeepsTheSheetOpen) {
    const char* const bad[] = {"javascript:document.title=1", " vbscript:MsgBox(1)",
                               "//evil.example/sky.jpg", "ftp://x/sky.jpg",
                               "data:text/html,<b>x</b>"};
    for (const char* location : bad) {
        CModalScript script;
        int pageAfterRefusal = -1;
        bool editFocused = false;
        // From the Defaults page, so the refusal has to bring the Locations page back.
        script.Push(CModalScript::Accept([&](QDialog& dialog) {
            COptionSht& sheet = Sheet(dialog);
            sheet.SetActivePage(0);
            sheet.m_locPage.GetDlgItem<QLineEdit>(IDC_BACKGROUND_PICTURE)->setText(location);
            sheet.SetActivePage(1);
        }));
        script.Push(CModalScript::Button(QMessageBox::Ok));
        script.Push(CModalScript::Accept([&](QDialog& dialog) {
            COptionSht& sheet = Sheet(dialog);
            pageAfterRefusal = sheet.GetActiveIndex();
            QLineEdit* edit = sheet.m_locPage.GetDlgItem<QLineEdit>(IDC_BACKGROUND_PICTURE);
            editFocused = edit->hasFocus() || sheet.focusWidget() == edit;
            edit->setText("https://x/sky.jpg");
        }));
        ShowAdvancedOptions(m_doc, nullptr);

        ASSERT_EQ(script.Shown().size(), 3u) << location;
        EXPECT_EQ(script.Shown()[1].kind, "QMessageBox") << location;
        EXPECT_TRUE(script.Shown()[1].text.startsWith(
            QString("\"%1\" cannot be the background picture.").arg(location)))
            << location;
        EXPECT_EQ(script.Shown()[1].icon, QMessageBox::Warning) << location;
        EXPECT_EQ(pageAfterRefusal, 0) << location;
        EXPECT_TRUE(editFocused) << location;
        // The second OK, with an address of an accepted kind, goes through.
        EXPECT_EQ(m_doc.m_strBackgroundPicture, "https://x/sky.jpg") << location;
        m_doc.m_strBackgroundPicture.clear();
    }
}

TEST_F(OptionSheetTest, theMessagesLanguageIsALanguageTagOrNothing) {
    const struct {
        const char* typed;
        bool refused;
        std::string kept; // the document's language after OK
    } rows[] = {
        {"pt-BR", false, "pt-BR"},
        {"", false, ""},
        {"english", true, "de"},
        {"en-US\"><b>", true, "de"},
    };
    for (const auto& row : rows) {
        m_doc.m_strLanguage = "de";
        CModalScript script;
        script.Push(CModalScript::Accept([&](QDialog& dialog) {
            Sheet(dialog).m_defPage.GetDlgItem<QLineEdit>(IDC_MESSAGE_LANGUAGE)->setText(row.typed);
        }));
        if (row.refused) {
            script.Push(CModalScript::Button(QMessageBox::Ok));
            script.Push(CModalScript::Reject());
        }
        ShowAdvancedOptions(m_doc, nullptr);
        ASSERT_EQ(script.Shown().size(), row.refused ? 3u : 1u) << row.typed;
        if (row.refused) {
            EXPECT_TRUE(script.Shown()[1].text.startsWith(
                QString("\"%1\" is not a language.").arg(row.typed)))
                << script.Shown()[1].text.toStdString();
        }
        EXPECT_EQ(m_doc.m_strLanguage, row.kept) << row.typed;
    }
}
