#include "view/parl_view.h"

#include "options/advanced_options.h"
#include "platform/qt/translation.h"

#include "document/parl_doc.h"
#include "frame/main_frame.h"
#include "platform/logfont.h"
#include "platform/qt/color_dialog.h"
#include "platform/qt/font_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/qt/rich_edit_format.h"
#include "platform/qt/shell_open.h"
#include "platform/qt/win_app.h"
#include "res/resource.h"
#include "view/speak_dlg.h"
#include "view/spelling.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

CHARFORMAT CharRecord(DWORD dwMask) {
    CHARFORMAT cf;
    std::memset(&cf, 0, sizeof cf);
    cf.cbSize = sizeof cf;
    cf.dwMask = dwMask;
    return cf;
}

PARAFORMAT ParaRecord(DWORD dwMask) {
    PARAFORMAT pf;
    std::memset(&pf, 0, sizeof pf);
    pf.cbSize = sizeof pf;
    pf.dwMask = dwMask;
    return pf;
}

bool CarriesLocalFiles(const QMimeData* data) {
    if (data == nullptr)
        return false;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return true;
    }
    return false;
}

} // namespace

CParlView::CParlView(CParlDoc* pDoc, QWidget* pParent) : CRichEditView(pParent), m_pDocument(pDoc) {
    setObjectName(QStringLiteral("CParlView"));
    if (m_pDocument != nullptr)
        m_pDocument->SetView(this);
    MapCommands();
    m_pSpelling = std::make_unique<CSpelling>(*this);
    m_pSpelling->MapCommands(*this);
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] {
        if (textCursor().position() != m_nAfterTag)
            m_nAfterTag = -1;
        ScheduleCommandUpdate();
    });
    connect(this, &QTextEdit::selectionChanged, this, [this] { ScheduleCommandUpdate(); });
    connect(this, &QTextEdit::currentCharFormatChanged, this, [this] { ScheduleCommandUpdate(); });
    connect(this, &QTextEdit::textChanged, this, [this] { ScheduleCommandUpdate(); });
    OnCreate();
    OnInitialUpdate();
}

CParlView::~CParlView() {
    if (m_pDocument != nullptr && m_pDocument->GetView() == this)
        m_pDocument->SetView(nullptr);
}

void CParlView::MapCommands() {
    OnCommand(ID_SCRIPT_PREVIEW, [this] { OnScriptPreview(); });
    OnCommand(ID_HELP_HTML, [this] { OnHelpHtml(); });
    OnCommand(ID_ADVANCED_OPTIONS, [this] { OnAdvancedOptions(); });
    OnCommand(ID_SCRIPT_SPEAK, [this] { OnScriptSpeak(); });
    OnCommand(ID_SCRIPT_READ, [this] { OnScriptRead(); });
    OnCommand(ID_SCRIPT_PLAY, [this] { OnScriptPlay(); });
    OnCommand(ID_SCRIPT_MOVE, [this] { OnScriptMove(); });
    OnCommand(ID_FORMAT_BOLD, [this] { OnFormatBold(); });
    OnCommand(ID_FORMAT_ITALIC, [this] { OnFormatItalic(); });
    OnCommand(ID_FORMAT_UNDERLINE, [this] { OnFormatUnderline(); });
    OnCommand(ID_FORMAT_FONT, [this] { OnFormatFont(); });
    OnCommand(ID_DECREASE_INDENT, [this] { OnDecreaseIndent(); });
    OnCommand(ID_INCREASE_INDENT, [this] { OnIncreaseIndent(); });
    OnCommand(ID_PARA_LEFT, [this] { OnParaLeft(); });
    OnCommand(ID_PARA_CENTER, [this] { OnParaCenter(); });
    OnCommand(ID_FORMAT_BACKCOLOR, [this] { OnFormatBackColor(); });
    OnUpdateCommandUI(ID_FORMAT_BOLD, [this](CCmdUI* p) { OnUpdateFormatBold(p); });
    OnUpdateCommandUI(ID_FORMAT_ITALIC, [this](CCmdUI* p) { OnUpdateFormatItalic(p); });
    OnUpdateCommandUI(ID_FORMAT_UNDERLINE, [this](CCmdUI* p) { OnUpdateFormatUnderline(p); });
    OnUpdateCommandUI(ID_DECREASE_INDENT, [this](CCmdUI* p) { OnUpdateDecreaseIndent(p); });
    OnUpdateCommandUI(ID_INCREASE_INDENT, [this](CCmdUI* p) { OnUpdateIncreaseIndent(p); });
    OnUpdateCommandUI(ID_PARA_LEFT, [this](CCmdUI* p) { OnUpdateParaLeft(p); });
    OnUpdateCommandUI(ID_PARA_CENTER, [this](CCmdUI* p) { OnUpdateParaCenter(p); });

    // The standard editing commands of the rich-edit view.
    OnCommand(ID_EDIT_UNDO, [this] { undo(); });
    OnUpdateCommandUI(ID_EDIT_UNDO, [this](CCmdUI* p) {
        p->Enable(document()->isUndoAvailable() ? TRUE : FALSE);
    });
    OnCommand(ID_EDIT_REDO, [this] { redo(); });
    OnUpdateCommandUI(ID_EDIT_REDO, [this](CCmdUI* p) {
        p->Enable(document()->isRedoAvailable() ? TRUE : FALSE);
    });
    OnCommand(ID_EDIT_CUT, [this] { cut(); });
    OnCommand(ID_EDIT_COPY, [this] { copy(); });
    OnCommand(ID_EDIT_PASTE, [this] { paste(); });
    OnCommand(ID_EDIT_SELECT_ALL, [this] { selectAll(); });
    OnCommand(ID_EDIT_FIND, [this] { OnEditFind(); });
    OnCommand(ID_EDIT_REPEAT, [this] { OnEditRepeat(); });
    OnCommand(ID_EDIT_REPLACE, [this] { OnEditReplace(); });
    for (UINT nID : {ID_EDIT_CUT, ID_EDIT_COPY}) {
        OnUpdateCommandUI(
            nID, [this](CCmdUI* p) { p->Enable(textCursor().hasSelection() ? TRUE : FALSE); });
    }
    OnUpdateCommandUI(ID_EDIT_PASTE, [this](CCmdUI* p) { p->Enable(canPaste() ? TRUE : FALSE); });
}

CMainFrame* CParlView::GetParentFrame() const {
    return qobject_cast<CMainFrame*>(window());
}

CFrameWnd* CParlView::OwnerFrame() const {
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd != nullptr)
        return app->m_pMainWnd;
    return qobject_cast<CFrameWnd*>(window());
}

void CParlView::ScheduleCommandUpdate() {
    if (m_bUpdatePending)
        return;
    m_bUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_bUpdatePending = false;
        if (auto* frame = qobject_cast<CFrameWnd*>(window()))
            frame->UpdateCommandUI();
    });
}

void CParlView::SetModified() {
    if (m_pDocument != nullptr)
        m_pDocument->SetModifiedFlag(TRUE);
}

// ---- Set-up ---------------------------------------------------------------------------------

int CParlView::OnCreate() {
    ApplyDefaultFormats();
    return 0;
}

void CParlView::OnInitialUpdate() {
    SetMargins(720, 720, 720, 720);
}

void CParlView::ApplyDefaultFormats() {
    CHARFORMAT cf = CharRecord(CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_CHARSET | CFM_BOLD |
                               CFM_ITALIC | CFM_UNDERLINE);
    cf.dwEffects = 0;
    cf.yHeight = 240;
    cf.crTextColor = 0;
    std::strcpy(cf.szFaceName, "Arial");
    SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));

    PARAFORMAT pf = ParaRecord(PFM_STARTINDENT | PFM_ALIGNMENT | PFM_NUMBERING);
    pf.wNumbering = 0;
    pf.dxStartIndent = 50;
    pf.wAlignment = PFA_LEFT;
    SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    // The formats of a new message are no step the user could undo.
    if (document()->isEmpty())
        document()->clearUndoRedoStacks();

    // Inside the frame's own creation the script bar does not exist yet.
    if (CMainFrame* frame = GetParentFrame();
        frame != nullptr && frame->m_wndScriptBar.GetSafeHwnd() != nullptr) {
        const CScriptBar& bar = frame->m_wndScriptBar;
        bar.m_wndCharacterCombo->setCurrentIndex(0);
        bar.m_wndDestinationCombo->setCurrentIndex(0);
        bar.m_wndAnimationCombo->setCurrentIndex(0);
    }
    if (m_pDocument != nullptr)
        m_pDocument->SetModifiedFlag(FALSE);
    else
        SendMessage(EM_SETMODIFY, FALSE, 0);
}

void CParlView::DeleteContents() {
    IRichEditView::DeleteContents();
    // Words ignored count for the message they were ignored in.
    if (m_pSpelling != nullptr)
        m_pSpelling->ForgetIgnoredWords();
    SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(kWhite));
}

// ---- Context menu, preview, help ------------------------------------------------------------

void CParlView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        OnRButtonDown(0, event->position().toPoint());
        QTextEdit::mousePressEvent(event);
        return;
    }
    CRichEditView::mousePressEvent(event);
}

void CParlView::contextMenuEvent(QContextMenuEvent* event) {
    // The right button opened the menu already; the menu key opens it at the caret.
    if (event->reason() == QContextMenuEvent::Keyboard)
        OnRButtonDown(0, cursorRect().bottomLeft());
    event->accept();
}

void CParlView::dragEnterEvent(QDragEnterEvent* event) {
    if (CarriesLocalFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    CRichEditView::dragEnterEvent(event);
}

void CParlView::dragMoveEvent(QDragMoveEvent* event) {
    if (CarriesLocalFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    CRichEditView::dragMoveEvent(event);
}

void CParlView::dropEvent(QDropEvent* event) {
    if (CarriesLocalFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    CRichEditView::dropEvent(event);
}

void CParlView::OnRButtonDown(UINT, const QPoint& point) {
    const CMenuResource* menu = CResourceTables::App().FindMenu(IDR_CONTEXT_MENU);
    CFrameWnd* owner = OwnerFrame();
    if (menu == nullptr || menu->empty() || menu->front().kind != CMenuEntry::Popup ||
        owner == nullptr)
        return;
    // Corrections of a misspelt word under the pointer come above the menu's own entries.
    std::vector<CMenuEntry> entries = m_pSpelling->ContextEntries(point);
    entries.insert(entries.end(), menu->front().entries.begin(), menu->front().entries.end());
    owner->TrackPopupMenu(entries, viewport()->mapToGlobal(point));
}

void CParlView::OnAdvancedOptions() {
    if (m_pDocument != nullptr)
        ShowAdvancedOptions(*m_pDocument, this);
}

void CParlView::OnScriptPreview() {
    if (m_pDocument == nullptr)
        return;
    const std::string path = m_pDocument->m_strLastEmailPath;
    std::string file;
    if (path.empty()) {
        file = CParlDoc::PreviewFilePath();
        m_pDocument->OnSaveDocument(file);
    } else {
        // Written again when the message changed since, or the file is gone.
        if (m_pDocument->IsLastEmailOutOfDate())
            m_pDocument->OnSaveDocument(path);
        file = path;
    }
    ShellOpen(file);
}

std::string CParlView::HelpPagePath() {
    // Installed, the help lies in share/parlino/help beside bin/; in a build tree it is the
    // source's own. The current folder, which File Open moves, plays no part.
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/parlino/help/main.htm");
    QStringList candidates{installed};
#ifdef PARL_SOURCE_HELP_DIR
    candidates << QStringLiteral(PARL_SOURCE_HELP_DIR "/main.htm");
#endif
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).canonicalFilePath().toStdString();
    }
    return QDir::cleanPath(installed).toStdString();
}

void CParlView::OnHelpHtml() {
    const std::string page = HelpPagePath();
    if (!QFileInfo(QString::fromStdString(page)).isFile()) {
        AfxMessageBox(ParlTrArgs("Could not find the help page \"%1\".", {page}),
                      MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ShellOpen(page);
}

// ---- Find and replace ------------------------------------------------------------------------

void CParlView::RunFindReplace(bool bReplace) {
    // A selection within one line is what the user wants to look for.
    const QString selected = textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_find.strFind = selected;
    CFindReplaceDlg dlg(*this, m_find, bReplace, OwnerFrame());
    dlg.DoModal();
}

void CParlView::OnEditFind() {
    RunFindReplace(false);
}

void CParlView::OnEditReplace() {
    RunFindReplace(true);
}

void CParlView::OnEditRepeat() {
    if (m_find.strFind.isEmpty()) {
        RunFindReplace(false);
        return;
    }
    if (!FindNextIn(*this, m_find))
        ReportTextNotFound(m_find.strFind);
}

// ---- Script commands ------------------------------------------------------------------------

std::string CParlView::CurrentCharacter() const {
    CMainFrame* frame = GetParentFrame();
    return frame != nullptr ? CScriptBar::CurrentEntry(frame->m_wndScriptBar.m_wndCharacterCombo)
                            : std::string();
}

std::string CParlView::CurrentAnimation() const {
    CMainFrame* frame = GetParentFrame();
    return frame != nullptr ? CScriptBar::CurrentEntry(frame->m_wndScriptBar.m_wndAnimationCombo)
                            : std::string();
}

std::string CParlView::CurrentDestination() const {
    CMainFrame* frame = GetParentFrame();
    return frame != nullptr ? CScriptBar::CurrentEntry(frame->m_wndScriptBar.m_wndDestinationCombo)
                            : std::string();
}

void CParlView::OnScriptSpeak() {
    CSpeakDlg dlg(OwnerFrame());
    if (dlg.DoModal() != IDOK)
        return;
    InsertCommandTag("<" + CurrentCharacter() + " Speak " + dlg.m_strText + ">");
}

void CParlView::OnScriptRead() {
    InsertCommandTag("<" + CurrentCharacter() + " Read>");
}

void CParlView::OnScriptPlay() {
    const std::string character = CurrentCharacter();
    InsertCommandTag("<" + character + " Play " + CurrentAnimation() + ">");
}

void CParlView::OnScriptMove() {
    const std::string character = CurrentCharacter();
    InsertCommandTag("<" + character + " Move " + CurrentDestination() + ">");
}

void CParlView::InsertCommandTag(const std::string& strTag) {
    CHARFORMAT cf = CharRecord(CFM_COLOR);
    cf.dwEffects = 0;
    cf.crTextColor = m_pDocument != nullptr ? m_pDocument->m_crCommand : 255;

    // Positions of the text document from here on: the control's own count two for a
    // paragraph mark.
    const int start = textCursor().selectionStart();
    // The colour marks the tag alone: typing after it goes on in the format of the text
    // around the caret.
    const QTextCharFormat textFormat = TextFormatAround(start);
    // One undo step for the tag and its colour, after the history the message already has.
    QTextCursor undoStep(document());
    undoStep.beginEditBlock();
    // The control's 8-bit text.
    const QByteArray bytes = CRichEditFormat::ToCp1252(QString::fromStdString(strTag));
    SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(bytes.constData()));
    const int end = textCursor().position();

    SendMessage(EM_HIDESELECTION, 1, 0);
    QTextCursor tag(document());
    tag.setPosition(start);
    tag.setPosition(end, QTextCursor::KeepAnchor);
    tag.mergeCharFormat(CRichEditFormat::DeltaFromRecord(cf));
    QTextCursor caret = textCursor();
    caret.setPosition(end);
    setTextCursor(caret);
    undoStep.endEditBlock();
    setCurrentCharFormat(textFormat);
    m_nAfterTag = textCursor().position();
    m_afterTagFormat = textFormat;
    SendMessage(EM_HIDESELECTION, 0, 0);
    SetModified();
}

void CParlView::keyPressEvent(QKeyEvent* event) {
    // The format chosen when the tag went in is held by the caret only until the next change
    // of the document at or before it; it is set again for the first key.
    const QTextCursor caret = textCursor();
    if (m_nAfterTag >= 0 && caret.position() == m_nAfterTag && !caret.hasSelection() &&
        !event->text().isEmpty() && event->text().at(0).isPrint())
        setCurrentCharFormat(m_afterTagFormat);
    CRichEditView::keyPressEvent(event);
}

QTextCharFormat CParlView::TextFormatAround(int position) const {
    // The nearest character of the paragraph that belongs to no tag, before the caret or else
    // after it; a paragraph of tags alone, or none at all, types in the message's default
    // format (never the command colour, never another paragraph's format).
    const QTextBlock block = document()->findBlock(position);
    const QString text = block.text();
    std::vector<bool> inTag(static_cast<std::size_t>(text.size()), false);
    for (qsizetype open = text.indexOf(QLatin1Char('<')); open >= 0;
         open = text.indexOf(QLatin1Char('<'), open + 1)) {
        const qsizetype close = text.indexOf(QLatin1Char('>'), open);
        if (close < 0)
            break;
        if (text.lastIndexOf(QLatin1Char('<'), close) != open)
            continue;
        for (qsizetype i = open; i <= close; ++i)
            inTag[static_cast<std::size_t>(i)] = true;
        open = close;
    }
    const int offset = position - block.position();
    auto formatOf = [&](int index) {
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + index + 1);
        QTextCharFormat format = cursor.charFormat();
        format.clearProperty(QTextFormat::ObjectType);
        format.clearProperty(QTextFormat::ImageName);
        return format;
    };
    for (int i = std::min(offset, static_cast<int>(text.size())) - 1; i >= 0; --i) {
        if (!inTag[static_cast<std::size_t>(i)] && text.at(i) != QChar::ObjectReplacementCharacter)
            return formatOf(i);
    }
    for (int i = std::max(offset, 0); i < text.size(); ++i) {
        if (!inTag[static_cast<std::size_t>(i)] && text.at(i) != QChar::ObjectReplacementCharacter)
            return formatOf(i);
    }
    return CRichEditFormat::ToQt(DefaultCharFormat());
}

// ---- Formatting -----------------------------------------------------------------------------

void CParlView::ToggleCharEffect(DWORD dwEffect) {
    // The mask bits of bold, italic and underline equal their effect bits.
    CHARFORMAT cf = CharRecord(dwEffect);
    SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    cf.dwEffects ^= dwEffect;
    // Written with the mask the read returned: a mixed selection keeps its mixed state.
    SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    SetModified();
}

void CParlView::UpdateCharEffect(CCmdUI* pCmdUI, DWORD dwEffect) {
    CHARFORMAT cf = CharRecord(dwEffect);
    SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    pCmdUI->SetCheck((cf.dwEffects & dwEffect) != 0 ? 1 : 0);
}

void CParlView::OnFormatBold() {
    ToggleCharEffect(CFE_BOLD);
}
void CParlView::OnFormatItalic() {
    ToggleCharEffect(CFE_ITALIC);
}
void CParlView::OnFormatUnderline() {
    ToggleCharEffect(CFE_UNDERLINE);
}
void CParlView::OnUpdateFormatBold(CCmdUI* pCmdUI) {
    UpdateCharEffect(pCmdUI, CFE_BOLD);
}
void CParlView::OnUpdateFormatItalic(CCmdUI* pCmdUI) {
    UpdateCharEffect(pCmdUI, CFE_ITALIC);
}
void CParlView::OnUpdateFormatUnderline(CCmdUI* pCmdUI) {
    UpdateCharEffect(pCmdUI, CFE_UNDERLINE);
}

void CParlView::OnFormatFont() {
    CHARFORMAT cf = CharRecord(CFM_SIZE | CFM_FACE | CFM_CHARSET | CFM_BOLD);
    SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    CHARFORMAT effects = CharRecord(CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR);
    SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&effects));

    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = cf.yHeight / 15; // twips to pixels at 96 per inch
    lf.lfWeight = (cf.dwEffects & CFE_BOLD) != 0 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (effects.dwEffects & CFE_ITALIC) != 0 ? 1 : 0;
    lf.lfUnderline = (effects.dwEffects & CFE_UNDERLINE) != 0 ? 1 : 0;
    lf.lfCharSet = cf.bCharSet;
    lf.lfPitchAndFamily = cf.bPitchAndFamily;
    std::memcpy(lf.lfFaceName, cf.szFaceName, LF_FACESIZE);
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';

    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS, OwnerFrame());
    dlg.m_cf.rgbColors = effects.crTextColor;
    if (dlg.DoModal() != IDOK)
        return;

    LOGFONT chosen;
    dlg.GetCurrentFont(&chosen);
    CHARFORMAT out = CharFormatFromFont(chosen, dlg.GetSize(), dlg.GetColor());
    // Only what the user changed in the dialog: a face the system stands in for, or a mixed
    // bold, italic or underline, stays as the text has it.
    const LOGFONT& shown = dlg.GetShownFont();
    const CHARFORMAT untouched = CharFormatFromFont(shown, dlg.GetShownSize(), effects.crTextColor);
    DWORD changed = 0;
    if (std::strcmp(out.szFaceName, untouched.szFaceName) != 0)
        changed |= CFM_FACE | CFM_CHARSET;
    if (out.yHeight != untouched.yHeight)
        changed |= CFM_SIZE;
    if (out.crTextColor != untouched.crTextColor)
        changed |= CFM_COLOR;
    for (DWORD effect : {CFE_BOLD, CFE_ITALIC, CFE_UNDERLINE}) {
        if ((out.dwEffects & effect) != (untouched.dwEffects & effect))
            changed |= effect; // the mask bit of each of the three equals its effect bit
    }
    out.dwMask &= changed;
    if (out.dwMask == 0)
        return;
    // The control's own modified state records the change.
    SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&out));
}

CHARFORMAT CParlView::CharFormatFromFont(const LOGFONT& lf, int iPointSize, COLORREF color) {
    CHARFORMAT out = CharRecord(CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_CHARSET | CFM_BOLD |
                                CFM_ITALIC | CFM_UNDERLINE);
    // Bold only for the bold weight itself: a semi-bold or heavy style is not bold.
    out.dwEffects = (lf.lfWeight == FW_BOLD ? CFE_BOLD : 0) | (lf.lfItalic != 0 ? CFE_ITALIC : 0) |
                    (lf.lfUnderline != 0 ? CFE_UNDERLINE : 0);
    out.yHeight = iPointSize * 2; // tenths of a point to twips
    out.crTextColor = color;
    out.bCharSet = lf.lfCharSet;
    out.bPitchAndFamily = lf.lfPitchAndFamily;
    std::memcpy(out.szFaceName, lf.lfFaceName, LF_FACESIZE);
    out.szFaceName[LF_FACESIZE - 1] = '\0';
    return out;
}

void CParlView::SetAlignment(WORD wAlignment) {
    PARAFORMAT pf = ParaRecord(PFM_ALIGNMENT);
    pf.wAlignment = wAlignment;
    SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    SetModified();
}

void CParlView::UpdateAlignment(CCmdUI* pCmdUI, WORD wAlignment) {
    PARAFORMAT pf = ParaRecord(PFM_ALIGNMENT);
    SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    pCmdUI->SetCheck(pf.wAlignment == wAlignment ? 1 : 0);
}

void CParlView::OnParaLeft() {
    SetAlignment(PFA_LEFT);
}
void CParlView::OnParaCenter() {
    SetAlignment(PFA_CENTER);
}
void CParlView::OnUpdateParaLeft(CCmdUI* pCmdUI) {
    UpdateAlignment(pCmdUI, PFA_LEFT);
}
void CParlView::OnUpdateParaCenter(CCmdUI* pCmdUI) {
    UpdateAlignment(pCmdUI, PFA_CENTER);
}

void CParlView::StepIndent(LONG delta) {
    PARAFORMAT pf = ParaRecord(PFM_STARTINDENT | PFM_OFFSET);
    SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    // Never left of the margin: the page would cut off the start of the text.
    pf.dxStartIndent = std::max<LONG>(0, pf.dxStartIndent + delta);
    pf.dxOffset = 0;
    SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    SetModified();
}

void CParlView::OnDecreaseIndent() {
    StepIndent(-kIndentStep);
}
void CParlView::OnIncreaseIndent() {
    StepIndent(kIndentStep);
}

void CParlView::OnUpdateDecreaseIndent(CCmdUI* pCmdUI) {
    PARAFORMAT pf = ParaRecord(PFM_STARTINDENT);
    SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    pCmdUI->Enable(pf.dxStartIndent > 0 ? TRUE : FALSE);
}

void CParlView::OnUpdateIncreaseIndent(CCmdUI* pCmdUI) {
    PARAFORMAT pf = ParaRecord(PFM_STARTINDENT | PFM_ALIGNMENT);
    SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    pCmdUI->Enable(pf.dxStartIndent <= kIndentCeiling && pf.wAlignment == PFA_LEFT ? TRUE : FALSE);
}

void CParlView::OnFormatBackColor() {
    // Starts from the background the message has, so OK alone changes nothing.
    CColorDialog dlg(m_pDocument != nullptr ? m_pDocument->m_crBackground : kWhite, 0,
                     OwnerFrame());
    if (dlg.DoModal() != IDOK)
        return;
    const COLORREF color = dlg.GetColor();
    SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(color));
    if (m_pDocument != nullptr)
        m_pDocument->m_crBackground = color;
    SetModified();
}
