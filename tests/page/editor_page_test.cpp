// The page shows what the editor shows: messages built through the control's own operations,
// compiled as an e-mail save compiles them.
#include "document/parl_doc.h"
#include "platform/qt/rich_edit_view.h"
#include "tests/richedit/rich_edit_test_support.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

using namespace richedit_test;

namespace {

class EditorPage : public ::testing::Test {
protected:
    void SetUp() override {
        ApplyProgramDefaults(view);
        doc.ResetMessageSettings();
        doc.SetView(&view);
    }

    // Types at the end of the message.
    LONG Type(const char* text) {
        const LONG end = static_cast<LONG>(view.toPlainText().size());
        Select(view, end, end);
        Replace(view, text);
        return end;
    }

    std::string Page() {
        doc.BuildHtml();
        return doc.m_strHtml;
    }

    // The HTML half of the page: what lies between the body's start and its script.
    std::string Body() {
        const std::string page = Page();
        const std::size_t from = page.find("<BODY");
        const std::size_t to = page.find("<SCRIPT", from);
        return page.substr(from, to == std::string::npos ? std::string::npos : to - from);
    }

    CRichEditView view;
    CParlDoc doc;
};

TEST_F(EditorPage, eachRunKeepsItsFaceSizeColourAndEffects) {
    Type("Plain ");
    const LONG bold = Type("Bold");
    Type(" ");
    const LONG red = Type("Red");
    Type(" ");
    const LONG big = Type("Big");
    Type(" after");
    Format(view, bold, bold + 4, CFM_BOLD, CFE_BOLD);
    Format(view, red, red + 3, CFM_ITALIC | CFM_COLOR, CFE_ITALIC, RGB(255, 0, 0));
    Format(view, big, big + 3, CFM_UNDERLINE | CFM_SIZE | CFM_FACE, CFE_UNDERLINE, 0, 280,
           "Times New Roman");

    const std::string body = Body();
    EXPECT_NE(body.find("<FONT color=000000 face=\"Arial\" size=3>Plain <B>Bold</B> "),
              std::string::npos)
        << body;
    EXPECT_NE(body.find("<FONT color=FF0000 face=\"Arial\" size=3><I>Red</I></FONT>"),
              std::string::npos)
        << body;
    EXPECT_NE(body.find("<FONT color=000000 face=\"Times New Roman\" size=4><U>Big</U></FONT>"),
              std::string::npos)
        << body;
    // Nothing of the styled runs reaches the text after them.
    EXPECT_NE(body.find("<FONT color=000000 face=\"Arial\" size=3> after"), std::string::npos)
        << body;
}

TEST_F(EditorPage, paragraphsKeepTheirCentringAndIndent) {
    Type("First\rSecond\rThird");
    Select(view, 7, 7);
    PARAFORMAT centre = ParaRecord(PFM_ALIGNMENT);
    centre.wAlignment = PFA_CENTER;
    SetParaFormat(view, centre);
    // Positions count a paragraph mark as two characters, CR and LF.
    Select(view, 16, 16);
    PARAFORMAT indent = ParaRecord(PFM_STARTINDENT);
    indent.dxStartIndent = 1500;
    SetParaFormat(view, indent);

    const std::string body = Body();
    const std::size_t first = body.find("First");
    const std::size_t second = body.find("Second");
    const std::size_t third = body.find("Third");
    ASSERT_NE(first, std::string::npos) << body;
    ASSERT_NE(second, std::string::npos) << body;
    ASSERT_NE(third, std::string::npos) << body;
    // The default start indent of 50 twips is under one step of the page's indent.
    EXPECT_EQ(body.rfind("<DIV>", first), body.find("<DIV>")) << body;
    EXPECT_EQ(body.substr(body.rfind("<DIV", second), second - body.rfind("<DIV", second)),
              "<DIV><FONT color=000000 face=\"Arial\" size=3><CENTER>");
    EXPECT_EQ(body.substr(body.rfind("<DIV", third), third - body.rfind("<DIV", third)),
              "<DIV STYLE=\"position:relative;left:100\"><FONT color=000000 face=\"Arial\" "
              "size=3>");
    EXPECT_EQ(body.find("<CENTER>", second + 1), std::string::npos) << body;
}

TEST_F(EditorPage, tagsTypedInTheEditorDriveTheScript) {
    Type("Hello <genie Speak Good morning> and <merlin Play Wave>");
    const LONG tag = 6;
    Format(view, tag, tag + 26, CFM_COLOR, 0, RGB(0, 0, 255));
    const std::string page = Page();
    EXPECT_NE(page.find("Good morning"), std::string::npos);
    EXPECT_NE(page.find("Wave"), std::string::npos);
    // The tags are commands, not text: the page's text holds neither bracket.
    const std::string body = page.substr(page.find("<BODY"));
    EXPECT_EQ(body.find("&lt;genie"), std::string::npos);
    EXPECT_EQ(body.substr(0, body.find("<SCRIPT")).find("<genie"), std::string::npos);
}

TEST_F(EditorPage, accentsAndSymbolsReachThePageAsTheyAreShown) {
    // Typed as a user types, not through the 8-bit replace.
    view.textCursor().insertText(
        QString::fromUtf8("caf\xC3\xA9 au lait \xE2\x82\xAC 5 \xE2\x98\x83"));
    const std::string body = Body();
    EXPECT_NE(body.find("caf\xE9 au lait \x80 5 &#9731;"), std::string::npos) << body;
}

TEST_F(EditorPage, picturesPastedOrReadInReachThePageAtTheSizeTheEditorShowsThem) {
    // One picture read from RTF at a stated and scaled size, one pasted at its own size.
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(red.save(&buffer, "PNG"));
    StreamIn(view, "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\pard\\f0 a {\\pict\\pngblip\\picwgoal1200"
                   "\\pichgoal450\\picscalex150 " +
                       png.toHex().toStdString() + "} b\\par }");
    QImage green(50, 20, QImage::Format_RGB32);
    green.fill(Qt::green);
    view.document()->addResource(QTextDocument::ImageResource, QUrl("pasted"), green);
    QTextCursor cursor(view.document());
    cursor.movePosition(QTextCursor::End);
    QTextImageFormat pasted;
    pasted.setName("pasted");
    cursor.insertImage(pasted);

    // What the editor shows, in pixels of 96 to the inch.
    std::vector<std::pair<long, long>> shown;
    const double scale = 96.0 / view.logicalDpiX();
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QTextImageFormat image = format.toImageFormat();
            const QImage resource = view.document()
                                        ->resource(QTextDocument::ImageResource, QUrl(image.name()))
                                        .value<QImage>();
            const double w = image.width() > 0 ? image.width() : resource.width();
            const double h = image.height() > 0 ? image.height() : resource.height();
            shown.emplace_back(std::lround(w * scale), std::lround(h * scale));
        }
    }
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(120L, 30L)); // 1200 twips at 150 per cent, 450 twips

    const std::string body = Body();
    std::vector<std::pair<long, long>> onPage;
    for (std::size_t at = body.find("<IMG WIDTH=\""); at != std::string::npos;
         at = body.find("<IMG WIDTH=\"", at + 1)) {
        const long width = std::stol(body.substr(at + 12));
        const std::size_t h = body.find("HEIGHT=\"", at) + 8;
        onPage.emplace_back(width, std::stol(body.substr(h)));
    }
    EXPECT_EQ(onPage, shown) << body.substr(0, 300);
    EXPECT_NE(body.find("a <IMG"), std::string::npos);
}

} // namespace
