// Property sheets: pages built when first shown, data exchanged on leaving a page and on OK,
// a page that refuses its data keeping the sheet open, and keys that belong to the sheet.
#include "platform/qt/modal_script.h"
#include "platform/qt/property_sheet.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const CDialogTemplate kNameTemplate{
    500,
    "Name",
    120,
    40,
    {{CDialogItem::Static, IDC_STATIC, "Name", 7, 7, 50, 8, 0},
     {CDialogItem::Edit, 1000, "", 7, 18, 100, 14, WS_BORDER | WS_TABSTOP}}};

// A page with one text that must not be empty, which counts its hooks.
class CNamePage : public CPropertyPage {
public:
    explicit CNamePage(std::string name)
        : CPropertyPage(kNameTemplate), m_strName(std::move(name)) {}

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, Edit(), m_strName);
        if (pDX->m_bSaveAndValidate && m_strName.empty())
            pDX->Fail(Edit());
    }
    BOOL OnInitDialog() override {
        ++m_nInits;
        return CPropertyPage::OnInitDialog();
    }
    void OnOK() override { ++m_nOks; }
    void OnCancel() override { ++m_nCancels; }

    QLineEdit* Edit() const { return GetDlgItem<QLineEdit>(1000); }

    std::string m_strName;
    int m_nInits = 0;
    int m_nOks = 0;
    int m_nCancels = 0;
};

class PropertySheetTest : public ::testing::Test {
protected:
    CModalScript m_script;
    CNamePage m_first{"genie"};
    CNamePage m_second{"merlin"};
    CNamePage m_third{"robby"};
};

} // namespace

TEST_F(PropertySheetTest, onlyPagesThatWereShownAreBuiltAndExchangeTheirData) {
    CPropertySheet sheet("Names", nullptr, 1);
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    sheet.AddPage(&m_third);
    m_script.Push(CModalScript::Accept([&](QDialog&) {
        m_second.Edit()->setText("peedy");
        sheet.SetActivePage(2);
        m_third.Edit()->setText("robert");
    }));
    EXPECT_EQ(sheet.DoModal(), IDOK);

    EXPECT_FALSE(m_first.IsCreated());
    EXPECT_EQ(m_first.GetDlgItem(1000), nullptr);
    EXPECT_EQ(m_first.m_nInits, 0);
    EXPECT_EQ(m_first.m_strName, "genie");
    EXPECT_EQ(m_second.m_strName, "peedy");
    EXPECT_EQ(m_third.m_strName, "robert");
    EXPECT_EQ(m_second.m_nInits, 1);
    EXPECT_EQ(m_third.m_nInits, 1);
    EXPECT_EQ(m_first.m_nOks + m_second.m_nOks + m_third.m_nOks, 2);
}

TEST_F(PropertySheetTest, aFirstPageOutsideTheListStartsOnTheFirstPage) {
    CPropertySheet sheet("Names", nullptr, 7);
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    QString shown;
    m_script.Push(CModalScript::Reject([&](QDialog&) { shown = m_first.Edit()->text(); }));
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(shown, "genie");
    EXPECT_EQ(m_first.m_nCancels, 1);
    EXPECT_EQ(m_second.m_nCancels, 0);
}

TEST_F(PropertySheetTest, cancelLeavesTheMembersEvenOfAPageThatWasLeft) {
    CPropertySheet sheet("Names");
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    m_script.Push(CModalScript::Reject([&](QDialog&) {
        m_first.Edit()->setText("peedy");
        sheet.SetActivePage(1);
    }));
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    // Leaving the page moved its text into the member; the caller reads nothing after Cancel.
    EXPECT_EQ(m_first.m_nOks, 0);
    EXPECT_EQ(m_first.m_nCancels, 1);
    EXPECT_EQ(m_second.m_nCancels, 1);
}

TEST_F(PropertySheetTest, aPageWhoseDataIsRefusedCannotBeLeft) {
    CPropertySheet sheet("Names");
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    BOOL switched = TRUE;
    int stayedOn = -1;
    m_script.Push(CModalScript::Reject([&](QDialog&) {
        m_first.Edit()->clear();
        switched = sheet.SetActivePage(1);
        stayedOn = sheet.GetTabControl()->currentIndex();
    }));
    sheet.DoModal();
    EXPECT_FALSE(switched);
    EXPECT_EQ(stayedOn, 0);
    EXPECT_FALSE(m_second.IsCreated());
}

TEST_F(PropertySheetTest, okWithARefusedPageKeepsTheSheetOpenOnThatPage) {
    CPropertySheet sheet("Names");
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    int shownAgainOn = -1;
    m_script.Push(CModalScript::Accept([&](QDialog&) {
        sheet.SetActivePage(1);
        m_first.Edit()->clear(); // left valid, emptied behind the user's back
    }));
    m_script.Push(CModalScript::Accept([&](QDialog&) {
        shownAgainOn = sheet.GetActiveIndex();
        m_first.Edit()->setText("robby");
    }));
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(m_script.Shown().size(), 2u);
    EXPECT_EQ(shownAgainOn, 0);
    EXPECT_EQ(m_first.m_strName, "robby");
    EXPECT_EQ(m_first.m_nOks, 1);
}

TEST_F(PropertySheetTest, escapeInAPageCancelsTheSheetInsteadOfClosingThePage) {
    CPropertySheet sheet("Names");
    sheet.AddPage(&m_first);
    int result = -1;
    bool sheetVisible = true;
    m_script.Push([&](QWidget& modal) {
        auto& dialog = static_cast<QDialog&>(modal);
        dialog.show();
        QTest::keyClick(m_first.Edit(), Qt::Key_Escape);
        result = dialog.result();
        sheetVisible = dialog.isVisible();
        return result;
    });
    sheet.DoModal();
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(sheetVisible);
    EXPECT_FALSE(m_first.isHidden());
}

TEST_F(PropertySheetTest, enterInAPagePressesTheSheetsOk) {
    CPropertySheet sheet("Names");
    sheet.AddPage(&m_first);
    int result = -1;
    m_script.Push([&](QWidget& modal) {
        auto& dialog = static_cast<QDialog&>(modal);
        dialog.show();
        m_first.Edit()->setText("peedy");
        QTest::keyClick(m_first.Edit(), Qt::Key_Return);
        result = dialog.result();
        return result;
    });
    sheet.DoModal();
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(m_first.m_strName, "peedy");
}

TEST(PropertySheet, pagesOutliveTheirSheet) {
    CNamePage page("genie");
    {
        CModalScript script;
        script.Push(CModalScript::Accept());
        CPropertySheet sheet("Names");
        sheet.AddPage(&page);
        sheet.DoModal();
        EXPECT_NE(page.parent(), nullptr);
    }
    EXPECT_EQ(page.parent(), nullptr);
    EXPECT_TRUE(page.IsCreated());
}

TEST(PropertySheet, aPageThatGoesFirstLeavesItsSheet) {
    CModalScript script;
    script.Push(CModalScript::Accept());
    CPropertySheet sheet("Names", nullptr, 1);
    CNamePage kept("genie");
    sheet.AddPage(&kept);
    {
        CNamePage shown("merlin");
        sheet.AddPage(&shown);
        sheet.DoModal();
        EXPECT_EQ(sheet.GetActivePage(), &shown);
    }
    EXPECT_EQ(sheet.GetPageCount(), 1);
    EXPECT_EQ(sheet.GetTabControl()->count(), 1);
    EXPECT_EQ(sheet.GetActivePage(), &kept);
    EXPECT_FALSE(kept.IsCreated()); // taking the tab away shows no page
}
