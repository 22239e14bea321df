#include "document_fixture.h"

#include "document/qt/edit_html_dlg.h"
#include "platform/qt/dialog_units.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

using EditHtmlTest = DocumentTest;

// The edit of a running dialog.
QPlainTextEdit& EditOf(QDialog& dialog) {
    return *static_cast<CEditHtmlDlg&>(dialog).m_wndHtmlEdit;
}

CModalScript::Answer SetPage(const QString& text) {
    return CModalScript::Accept([text](QDialog& dialog) { EditOf(dialog).setPlainText(text); });
}

// The page a compile of the current text gives, without touching the document's state.
std::string FreshCompile(CParlDoc& doc) {
    const std::string kept = doc.m_strHtml;
    doc.BuildHtml();
    std::string page;
    page.swap(doc.m_strHtml);
    doc.m_strHtml = kept;
    return page;
}

} // namespace

TEST_F(EditHtmlTest, theDialogShowsTheFreshlyCompiledPageAndOkWithoutChangeKeepsItAsEdited) {
    Type("Hello <genie Play Wave>");
    SaveAs(PathOf("first"), 1);
    ASSERT_FALSE(Doc().IsModified());
    QString shown;
    m_script.Push(
        CModalScript::Accept([&shown](QDialog& dialog) { shown = EditOf(dialog).toPlainText(); }));
    Command(CParlDoc::kCmdEditHtml);
    ASSERT_EQ(m_script.Shown().size(), 2u);
    EXPECT_EQ(m_script.Last().kind, "CEditHtmlDlg");
    EXPECT_EQ(m_script.Last().title, "Edit HTML");

    const std::string page = FreshCompile(Doc());
    EXPECT_EQ(shown, CEditHtmlDlg::ToEditText(page));
    EXPECT_EQ(Doc().m_strHtml, page);
    EXPECT_EQ(Doc().m_bHtmlEdited, 1);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(EditHtmlTest, aHandEditedPageIsSavedUntilNewEvenWhenTheTextChanges) {
    Type("Hello");
    m_script.Push(SetPage(QStringLiteral("<HTML>\nby hand\n</HTML>")));
    Command(CParlDoc::kCmdEditHtml);
    EXPECT_EQ(Doc().m_strHtml, "<HTML>\r\nby hand\r\n</HTML>");
    Type(" and more");
    SaveAs(PathOf("hello"), 2);
    EXPECT_EQ(ReadFile(PathOf("hello.htm")), std::string("<HTML>\r\nby hand\r\n</HTML>") + '\0');

    // No project holds the text: New asks first.
    m_script.Push(CModalScript::Button(QMessageBox::No));
    m_app->OnFileNew();
    EXPECT_EQ(Doc().m_bHtmlEdited, 0);
    Type("Fresh");
    SaveAs(PathOf("fresh"), 2);
    EXPECT_NE(ReadFile(PathOf("fresh.htm")).find("Fresh"), std::string::npos);
}

TEST_F(EditHtmlTest, aSecondRunShowsAFreshCompileAndEvenCancelledDropsTheEarlierEdit) {
    Type("Hello");
    m_script.Push(SetPage(QStringLiteral("mine")));
    Command(CParlDoc::kCmdEditHtml);
    Type(" world");
    QString shown;
    m_script.Push(
        CModalScript::Reject([&shown](QDialog& dialog) { shown = EditOf(dialog).toPlainText(); }));
    Command(CParlDoc::kCmdEditHtml);
    const std::string page = FreshCompile(Doc());
    EXPECT_EQ(shown, CEditHtmlDlg::ToEditText(page));
    EXPECT_NE(page.find("Hello world"), std::string::npos);
    EXPECT_EQ(Doc().m_strHtml, page);
    EXPECT_EQ(Doc().m_bHtmlEdited, 1);

    // The page of that run, not a newer compile, is what the next e-mail save writes.
    Type(" later");
    SaveAs(PathOf("hello"), 2);
    EXPECT_EQ(ReadFile(PathOf("hello.htm")), page + '\0');
}

TEST_F(EditHtmlTest, cancelKeepsTheModifiedFlagAndTheEditedMarkAsTheyWere) {
    Type("Hello");
    SaveAs(PathOf("hello"), 1);
    m_script.Push(CModalScript::Reject(
        [](QDialog& dialog) { EditOf(dialog).setPlainText(QStringLiteral("ignored")); }));
    Command(CParlDoc::kCmdEditHtml);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Doc().m_bHtmlEdited, 0);
    EXPECT_EQ(Doc().m_strHtml.find("ignored"), std::string::npos);
}

TEST_F(EditHtmlTest, anEmptiedPageGivesAnEmailOfOneZeroByte) {
    Type("Hello");
    m_script.Push(SetPage(QString()));
    Command(CParlDoc::kCmdEditHtml);
    SaveAs(PathOf("empty"), 2);
    EXPECT_EQ(ReadFile(PathOf("empty.htm")), std::string(1, '\0'));
}

TEST_F(EditHtmlTest, thePageTravelsThroughTheEditAsWindows1252WithWindowsLineEnds) {
    std::string page;
    for (int byte = 1; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n')
            page += static_cast<char>(byte);
    page += "\r\nline two\r\n";
    EXPECT_EQ(CEditHtmlDlg::FromEditText(CEditHtmlDlg::ToEditText(page)), page);
    EXPECT_EQ(CEditHtmlDlg::ToEditText("caf\xe9 \x80"), QStringLiteral(u"café €"));
    // A character that Windows-1252 lacks cannot stand in the 8-bit page.
    EXPECT_EQ(CEditHtmlDlg::FromEditText(QStringLiteral(u"\u0161\u4e2d")), "\x9a?");
}

TEST_F(EditHtmlTest, okOnAnUntouchedPageKeepsEveryByteEvenAStrayCarriageReturn) {
    const std::string page = "<P>one\rtwo\nthree\r\n</P>";
    CEditHtmlDlg dlg;
    dlg.m_strSource = page;
    m_script.Push(CModalScript::Accept());
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strSource, page);
}

TEST_F(EditHtmlTest, enterInTheEditBreaksTheLineAndDoesNotCloseTheDialog) {
    CEditHtmlDlg dlg;
    dlg.m_strSource = "ab";
    dlg.UpdateData(FALSE);
    dlg.show();
    QPlainTextEdit& edit = *dlg.m_wndHtmlEdit;
    edit.setFocus();
    edit.moveCursor(QTextCursor::End);
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("ab\n"));

    // The same key on the default button does close it, with the text taken.
    auto* ok = dlg.findChildren<QPushButton*>().front();
    ASSERT_TRUE(ok->isDefault());
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_strSource, "ab\r\n");
}

TEST_F(EditHtmlTest, theEditKeepsItsTemplatePlaceUntilTheDialogIsResized) {
    CEditHtmlDlg dlg;
    dlg.UpdateData(FALSE);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    const CDialogUnits du(dlg.font());
    EXPECT_EQ(dlg.m_wndHtmlEdit->geometry(), du.ToPixels(7, 7, 172, 141));
    const QList<QPushButton*> buttons = dlg.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 2);
    const QRect okPlace = buttons[0]->geometry();
    EXPECT_EQ(okPlace, du.ToPixels(33, 165, 50, 14));
    EXPECT_EQ(buttons[1]->geometry(), du.ToPixels(90, 165, 50, 14));

    dlg.resize(600, 500);
    EXPECT_EQ(dlg.m_wndHtmlEdit->geometry(), QRect(10, 10, 580, 390));
    EXPECT_EQ(buttons[0]->geometry(), okPlace);
    dlg.resize(100, 90);
    EXPECT_EQ(dlg.m_wndHtmlEdit->geometry(), QRect(10, 10, 80, 0));
}
