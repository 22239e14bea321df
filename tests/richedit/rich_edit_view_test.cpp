// The rich-edit view as the program's view and document use it.
#include "platform/qt/rich_edit_view.h"
#include "rich_edit_test_support.h"

#include <gtest/gtest.h>

using namespace richedit_test;

namespace {

// Where the viewport stands inside the view's frame.
QMargins ViewportInset(const CRichEditView& view) {
    const QRect frame = view.contentsRect();
    const QRect viewport = view.viewport()->geometry();
    return QMargins(viewport.left() - frame.left(), viewport.top() - frame.top(),
                    frame.right() - viewport.right(), frame.bottom() - viewport.bottom());
}

class CDefaultsView : public CRichEditView {
public:
    int applied = 0;
    void ApplyDefaultFormats() override {
        ++applied;
        ApplyProgramDefaults(GetRichEditCtrl());
    }
};

} // namespace

TEST(RichEditView, theDocumentSerializesTheControlAsRtfAndReadsItBack) {
    CDefaultsView view;
    CRichEditDoc doc;
    doc.SetView(&view);
    doc.GetView()->ApplyDefaultFormats();
    EXPECT_EQ(view.applied, 1);
    Replace(view, "Saved <genie Read> text");
    Format(view, 6, 18, CFM_COLOR, 0, RGB(255, 0, 0));

    std::string file;
    CArchive store(CArchive::store, file);
    doc.Serialize(store);
    EXPECT_EQ(file, StreamOut(view));
    EXPECT_EQ(file.substr(0, 6), "{\\rtf1");

    CRichEditView other;
    CRichEditDoc otherDoc;
    otherDoc.SetView(&other);
    CArchive load(CArchive::load, file);
    otherDoc.Serialize(load);
    EXPECT_EQ(Describe(other), Describe(view));
    EXPECT_EQ(&otherDoc.GetView()->GetRichEditCtrl(), static_cast<IRichEditCtrl*>(&other));
}

TEST(RichEditView, marginsInTwipsSetTheTextInWithoutBeingAnEdit) {
    CRichEditView view;
    view.resize(600, 400);
    ApplyProgramDefaults(view);
    Replace(view, "text");
    view.SendMessage(EM_SETMODIFY, FALSE, 0);
    view.SetMargins(720, 1440, 720, 0);
    const double scale = view.Dpi() / 1440.0;
    const QMargins margins = ViewportInset(view);
    EXPECT_EQ(margins.left(), qRound(720 * scale));
    EXPECT_EQ(margins.top(), qRound(1440 * scale));
    EXPECT_EQ(margins.right(), qRound(720 * scale));
    EXPECT_EQ(margins.bottom(), 0);
    EXPECT_EQ(view.GetLeftMargin(), 720);
    EXPECT_FALSE(view.SendMessage(EM_GETMODIFY, 0, 0));
    EXPECT_TRUE(view.document()->isUndoAvailable()) << "the typing can still be undone";
    StreamIn(view, "{\\rtf1 other}");
    EXPECT_EQ(ViewportInset(view), margins);
}
