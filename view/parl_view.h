// The editor view: the rich-edit control in which the message is written. It gives a new
// message its default formats, inserts command tags (Speak, Read, Play, Move) in the command
// colour, applies character and paragraph formats and the background colour, offers the
// context menu, previews the page in the browser and opens the help page.
//
// Commands reach it first (it is a command target of the frame); commands it does not map
// fall through to the document, the frame and the application.
#pragma once

#include "platform/cmd_target.h"
#include "platform/logfont.h"
#include "platform/qt/rich_edit_view.h"
#include "view/find_replace_dlg.h"

#include <memory>
#include <string>

class CFrameWnd;
class CMainFrame;
class CParlDoc;
class CSpelling;
class QPoint;

class CParlView : public CRichEditView, public CCmdTarget {
    Q_OBJECT

public:
    // Becomes the view of `pDoc` (which may be null in tests of the control alone) and gives the
    // empty message its default formats, as the window's creation does.
    explicit CParlView(CParlDoc* pDoc, QWidget* pParent = nullptr);
    ~CParlView() override;

    CParlDoc* GetDocument() const { return m_pDocument; }
    // The frame whose script bar the commands read; nullptr outside a main frame.
    CMainFrame* GetParentFrame() const;

    // Window set-up.
    int OnCreate();
    void OnInitialUpdate();
    // Arial 12 points black for new text, a left-aligned first paragraph set in by 50 twips, the
    // script bar's lists on their first entries, and the document unmodified.
    void ApplyDefaultFormats() override;
    // Empties the control for New and Open and gives it back its white background, so the
    // editor shows the background the page will get.
    void DeleteContents() override;

    // The context menu at `point` (viewport coordinates).
    void OnRButtonDown(UINT nFlags, const QPoint& point);
    void OnScriptPreview();
    void OnHelpHtml();
    // The help page that Html Help opens: the installed one beside the program, else the
    // build tree's.
    static std::string HelpPagePath();
    void OnAdvancedOptions();

    // Script commands.
    void OnScriptSpeak();
    void OnScriptRead();
    void OnScriptPlay();
    void OnScriptMove();
    // Puts `strTag` (UTF-8) in place of the selection in the command colour and leaves the
    // caret right after it.
    void InsertCommandTag(const std::string& strTag);
    // The format text typed at `position` (of the text document) goes on in after a tag.
    QTextCharFormat TextFormatAround(int position) const;
    // Where the last tag ended and the format typing goes on in there; -1 once the caret left.
    int m_nAfterTag = -1;
    QTextCharFormat m_afterTagFormat;

    // Spelling checked as you type, with its commands and the context menu's corrections.
    CSpelling& Spelling() { return *m_pSpelling; }

    // The standard Find, Find Next and Replace commands.
    void OnEditFind();
    void OnEditRepeat();
    void OnEditReplace();

    // Formatting commands and their update handlers.
    void OnFormatBold();
    void OnFormatItalic();
    void OnFormatUnderline();
    void OnFormatFont();
    void OnDecreaseIndent();
    void OnIncreaseIndent();
    void OnParaLeft();
    void OnParaCenter();
    void OnFormatBackColor();
    void OnUpdateFormatBold(CCmdUI* pCmdUI);
    void OnUpdateFormatItalic(CCmdUI* pCmdUI);
    void OnUpdateFormatUnderline(CCmdUI* pCmdUI);
    void OnUpdateDecreaseIndent(CCmdUI* pCmdUI);
    void OnUpdateIncreaseIndent(CCmdUI* pCmdUI);
    void OnUpdateParaLeft(CCmdUI* pCmdUI);
    void OnUpdateParaCenter(CCmdUI* pCmdUI);

    // The character format a font dialog's choice gives: bold only for the bold weight itself,
    // the size in twips from tenths of a point, no strikeout.
    static CHARFORMAT CharFormatFromFont(const LOGFONT& lf, int iPointSize, COLORREF color);

    // The step of Decrease and Increase Indent, in twips.
    static constexpr LONG kIndentStep = 750;
    // Increase Indent is offered up to this start indent.
    static constexpr LONG kIndentCeiling = 1500;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Files dragged from the desktop go on to the frame, which opens them; other data is the
    // control's to insert.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Text typed right after a tag, with the caret not moved since, takes the format kept for it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void MapCommands();
    // Brings the frame's command states up to date once the current event is handled, so that
    // buttons follow the caret without running the update handlers for every keystroke.
    void ScheduleCommandUpdate();
    // Owner of dialogs and of the context menu: the application's main window, else the frame.
    CFrameWnd* OwnerFrame() const;
    // The current entry of a script-bar list, read through the parent frame.
    std::string CurrentCharacter() const;
    std::string CurrentAnimation() const;
    std::string CurrentDestination() const;
    void ToggleCharEffect(DWORD dwEffect);
    void UpdateCharEffect(CCmdUI* pCmdUI, DWORD dwEffect);
    void SetAlignment(WORD wAlignment);
    void UpdateAlignment(CCmdUI* pCmdUI, WORD wAlignment);
    void StepIndent(LONG delta);
    void SetModified();

    void RunFindReplace(bool bReplace);

    CParlDoc* m_pDocument;
    CFindState m_find;
    bool m_bUpdatePending = false;
    std::unique_ptr<CSpelling> m_pSpelling;
};
