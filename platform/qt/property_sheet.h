// Property sheets: a modal dialog of tabbed pages with OK and Cancel.
//
//     CPropertySheet sheet("Options", pParent, 1);   // the second page is shown first
//     sheet.AddPage(&locPage);
//     sheet.AddPage(&defPage);
//     if (sheet.DoModal() == IDOK) ...
//
// Each page is built from a dialog template (controls placed in dialog units) the first time it
// is shown, and then runs OnInitDialog, which fills its controls from its members. A page never
// shown keeps its members as they were. Leaving a page and pressing OK move the controls'
// values back into the members of every page that was shown; a failed exchange keeps the sheet
// open on that page. The sheet runs through the modal seam, so a test answers it like any
// other dialog and reaches the pages through the sheet passed to its answer.
#pragma once

#include "platform/qt/dialog.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class QDialogButtonBox;
class QTabWidget;

// Styles of a template's controls, with the values the resource compiler gives them. The low
// bits of a button's or combo box's style choose its kind.
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD CBS_DROPDOWN = 0x0002;     // a list with an edit field
constexpr DWORD CBS_DROPDOWNLIST = 0x0003; // a list only
constexpr DWORD CBS_TYPEMASK = 0x0003;
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_TYPEMASK = 0x000F;

// Notification codes of a page's controls, for CPropertyPage::OnControl.
constexpr UINT BN_CLICKED = 0;
constexpr UINT CBN_SELENDOK = 9;

// Identifier of controls that are never addressed, such as labels.
constexpr UINT IDC_STATIC = 65535;

// One control of a dialog template. The rectangle is in dialog units; for a combo box its
// height is that of the dropped list, while the closed box takes the height of one line.
struct CDialogItem {
    enum Kind { Static, Edit, ComboBox, Button };

    Kind kind = Static;
    UINT nID = IDC_STATIC;
    std::string text;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
};

// A page's dialog resource: its caption (the text of its tab), its size in dialog units and its
// controls in tab order.
struct CDialogTemplate {
    UINT nID = 0;
    std::string caption;
    int cx = 0, cy = 0;
    std::vector<CDialogItem> items;
};

class CPropertySheet;

class CPropertyPage : public CDialog {
    Q_OBJECT

public:
    // `tmpl` must outlive the page (templates are static tables).
    explicit CPropertyPage(const CDialogTemplate& tmpl);
    // Leaves the sheet it was added to.
    ~CPropertyPage() override;

    const CDialogTemplate& GetTemplate() const { return m_template; }
    // True once the sheet has shown the page and its controls exist.
    bool IsCreated() const { return m_bCreated; }

    // The control with that identifier; nullptr before the page is created or when there is
    // none (labels share IDC_STATIC and are not found).
    QWidget* GetDlgItem(UINT nID) const;
    template <class T> T* GetDlgItem(UINT nID) const { return qobject_cast<T*>(GetDlgItem(nID)); }

    // Message-map entry for a control's notification: BN_CLICKED when a push button is
    // clicked, CBN_SELENDOK when the user chooses an entry of a combo box's list.
    void OnControl(UINT nCode, UINT nID, Handler handler);

    // The page becomes the current one. TRUE lets it.
    virtual BOOL OnSetActive();
    // The page is left, or OK was pressed: its controls go into its members. FALSE keeps the
    // page current.
    virtual BOOL OnKillActive();
    // The sheet closed with OK (after every shown page exchanged its data) or with Cancel.
    virtual void OnOK() {}
    virtual void OnCancel() {}
    // Paints the page over its erased background.
    virtual void OnPaint() {}
    // Repaints the whole page, erasing it first.
    void Invalidate();

    // A page is shown only inside its sheet.
    int DoModal() override { return IDCANCEL; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter and Escape belong to the sheet: its default button and Cancel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class CPropertySheet;
    // Builds the controls from the template and runs OnInitDialog; once.
    void Create();
    void Notify(UINT nCode, UINT nID);

    const CDialogTemplate& m_template;
    CPropertySheet* m_pSheet = nullptr;
    bool m_bCreated = false;
    std::map<UINT, QWidget*> m_items;
    std::map<std::pair<UINT, UINT>, Handler> m_notifications;
};

class CPropertySheet : public CDialog {
    Q_OBJECT

public:
    CPropertySheet(const std::string& caption, QWidget* pParent = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    // Pages are shown in the order they are added; the caller owns them, and they may go
    // before or after the sheet.
    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    // The page shown; before the run, the page that will be shown first.
    int GetActiveIndex() const { return m_nActive; }
    CPropertyPage* GetActivePage() const { return GetPage(m_nActive); }
    // Shows page `nPage`, as a click on its tab does; FALSE when the current page cannot be
    // left or there is no such page.
    BOOL SetActivePage(int nPage);

    QTabWidget* GetTabControl() const { return m_pTabs; }

    // Builds the tabs and shows the first page; DoModal calls it before the run.
    BOOL OnInitDialog() override;
    void done(int result) override;

private:
    friend class CPropertyPage;
    void OnTabChanged(int index);
    // A page that goes away before its sheet.
    void RemovePage(CPropertyPage* pPage);

    std::vector<CPropertyPage*> m_pages;
    int m_nActive = 0;
    QTabWidget* m_pTabs = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
    bool m_bSwitching = false;
};
