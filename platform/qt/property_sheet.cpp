#include "platform/qt/property_sheet.h"

#include "platform/qt/translation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QWidget* CreateItem(CPropertyPage& page, const CDialogItem& item) {
    const Qt::FocusPolicy focus = (item.style & WS_TABSTOP) != 0 ? Qt::StrongFocus : Qt::NoFocus;
    const QString text = ParlTr(item.text);
    switch (item.kind) {
    case CDialogItem::Static: {
        auto* label = new QLabel(text, &page);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case CDialogItem::Edit: {
        auto* edit = new QLineEdit(text, &page);
        edit->setFrame((item.style & WS_BORDER) != 0);
        edit->setFocusPolicy(focus);
        return edit;
    }
    case CDialogItem::ComboBox: {
        auto* combo = new QComboBox(&page);
        // Typed text stays in the edit field; only a choice from the list selects an entry.
        combo->setEditable((item.style & CBS_TYPEMASK) == CBS_DROPDOWN);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setFocusPolicy(focus);
        return combo;
    }
    case CDialogItem::Button:
        if ((item.style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
            auto* check = new QCheckBox(text, &page);
            check->setFocusPolicy(focus);
            return check;
        } else {
            auto* button = new QPushButton(text, &page);
            button->setAutoDefault(false);
            button->setFocusPolicy(focus);
            return button;
        }
    }
    return nullptr;
}

} // namespace

CPropertyPage::CPropertyPage(const CDialogTemplate& tmpl) : m_template(tmpl) {
    setWindowFlags(Qt::Widget);
    setWindowTitle(ParlTr(tmpl.caption));
}

CPropertyPage::~CPropertyPage() {
    if (m_pSheet != nullptr)
        m_pSheet->RemovePage(this);
}

QWidget* CPropertyPage::GetDlgItem(UINT nID) const {
    const auto it = m_items.find(nID);
    return it != m_items.end() ? it->second : nullptr;
}

void CPropertyPage::OnControl(UINT nCode, UINT nID, Handler handler) {
    m_notifications[{nCode, nID}] = std::move(handler);
}

BOOL CPropertyPage::OnSetActive() {
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

void CPropertyPage::Invalidate() {
    update();
}

void CPropertyPage::paintEvent(QPaintEvent*) {
    OnPaint();
}

void CPropertyPage::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

void CPropertyPage::Create() {
    if (m_bCreated)
        return;
    m_bCreated = true;
    setProperty("templateItems", static_cast<int>(m_template.items.size()));
    int index = 0;
    for (const CDialogItem& item : m_template.items) {
        QWidget* control = CreateItem(*this, item);
        control->setProperty("templateItem", index++);
        if (item.kind == CDialogItem::ComboBox) {
            const QRect r = DialogUnits().ToPixels(item.x, item.y, item.cx, item.cy);
            control->setGeometry(r.x(), r.y(), r.width(), control->sizeHint().height());
        } else {
            Place(control, item.x, item.y, item.cx, item.cy);
        }
        // Controls made after the page was shown would stay hidden until shown themselves.
        control->show();
        if (item.nID == IDC_STATIC)
            continue;
        m_items[item.nID] = control;
        const UINT nID = item.nID;
        if (auto* combo = qobject_cast<QComboBox*>(control))
            connect(combo, &QComboBox::activated, this, [this, nID] { Notify(CBN_SELENDOK, nID); });
        else if (auto* button = qobject_cast<QPushButton*>(control))
            connect(button, &QPushButton::clicked, this, [this, nID] { Notify(BN_CLICKED, nID); });
    }
    // A label or check box measured for another font would cut its text off: it takes the
    // size its text needs, and the page grows to hold it.
    const QSize need = FitTextControls(*this, DialogUnits().ToPixelsX(7));
    setMinimumSize(minimumSize().expandedTo(need));
    OnInitDialog();
}

void CPropertyPage::Notify(UINT nCode, UINT nID) {
    const auto it = m_notifications.find({nCode, nID});
    if (it != m_notifications.end())
        it->second();
}

CPropertySheet::CPropertySheet(const std::string& caption, QWidget* pParent, UINT iSelectPage)
    : CDialog(pParent), m_nActive(static_cast<int>(iSelectPage)) {
    setWindowTitle(ParlTr(caption));
    m_pTabs = new QTabWidget(this);
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(m_pButtons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CPropertySheet::~CPropertySheet() {
    // The pages belong to the caller and may outlive the sheet: take them out of its widgets.
    m_bSwitching = true;
    for (CPropertyPage* page : m_pages) {
        page->m_pSheet = nullptr;
        page->setParent(nullptr);
    }
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
    if (pPage->m_pSheet != nullptr)
        pPage->m_pSheet->RemovePage(pPage);
    pPage->m_pSheet = this;
    m_pages.push_back(pPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
    const auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    if (it == m_pages.end())
        return;
    const int index = static_cast<int>(it - m_pages.begin());
    m_bSwitching = true;
    const int tab = m_pTabs->indexOf(pPage);
    if (tab >= 0)
        m_pTabs->removeTab(tab);
    pPage->setParent(nullptr);
    pPage->m_pSheet = nullptr;
    m_pages.erase(it);
    if (m_nActive > index || m_nActive >= GetPageCount())
        m_nActive = std::max(0, m_nActive - 1);
    if (m_pTabs->count() > 0)
        m_pTabs->setCurrentIndex(m_nActive);
    m_bSwitching = false;
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<std::size_t>(nPage)]
                                                : nullptr;
}

BOOL CPropertySheet::OnInitDialog() {
    if (m_nActive < 0 || m_nActive >= GetPageCount())
        m_nActive = 0;
    m_bSwitching = true;
    for (CPropertyPage* page : m_pages) {
        m_pTabs->addTab(page, ParlTr(page->GetTemplate().caption));
        // The sheet's font decides the dialog units, so the size is set once the page is in it.
        const CDialogUnits du = page->DialogUnits();
        page->setMinimumSize(du.ToPixelsX(page->GetTemplate().cx),
                             du.ToPixelsY(page->GetTemplate().cy));
    }
    m_bSwitching = false;
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CPropertySheet::OnTabChanged);
    if (CPropertyPage* page = GetActivePage()) {
        page->Create();
        m_pTabs->setCurrentIndex(m_nActive);
        page->OnSetActive();
    }
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(int nPage) {
    if (GetPage(nPage) == nullptr)
        return FALSE;
    if (m_pTabs->count() == 0) { // not yet shown: the page to start with
        m_nActive = nPage;
        return TRUE;
    }
    m_pTabs->setCurrentIndex(nPage);
    return m_nActive == nPage ? TRUE : FALSE;
}

void CPropertySheet::OnTabChanged(int index) {
    if (m_bSwitching || index == m_nActive)
        return;
    CPropertyPage* leaving = GetActivePage();
    if (leaving != nullptr && leaving->IsCreated() && !leaving->OnKillActive()) {
        m_bSwitching = true;
        m_pTabs->setCurrentIndex(m_nActive);
        m_bSwitching = false;
        return;
    }
    m_nActive = index;
    if (CPropertyPage* page = GetActivePage()) {
        page->Create();
        page->OnSetActive();
    }
}

void CPropertySheet::done(int result) {
    if (result == QDialog::Accepted) {
        for (int i = 0; i < GetPageCount(); ++i) {
            CPropertyPage* page = GetPage(i);
            if (page->IsCreated() && !page->OnKillActive()) {
                SetActivePage(i);
                return;
            }
        }
        for (CPropertyPage* page : m_pages) {
            if (page->IsCreated())
                page->OnOK();
        }
    } else if (result == QDialog::Rejected) {
        for (CPropertyPage* page : m_pages) {
            if (page->IsCreated())
                page->OnCancel();
        }
    }
    CDialog::done(result);
}
