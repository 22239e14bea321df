#include "options/def_page.h"

#include "compiler/tag.h"
#include "document/parl_doc.h"
#include "platform/qt/message_box.h"
#include "platform/qt/translation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

CDefPage::CDefPage() : CPropertyPage(Template()) {
    OnControl(CBN_SELENDOK, IDC_RESOLUTION, [this] { OnSelendokResolution(); });
}

const CDialogTemplate& CDefPage::Template() {
    static const CDialogTemplate tmpl{
        IDD_DEFAULTS,
        "Defaults",
        186,
        148,
        {
            {CDialogItem::Static, IDC_STATIC, "Default Character", 13, 52, 141, 8,
             SS_LEFT | WS_GROUP},
            {CDialogItem::Edit, IDC_DEFAULT_CHARACTER, "", 13, 66, 127, 14,
             ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
            {CDialogItem::Static, IDC_STATIC, "Screen resolution of recipient's monitor", 13, 13,
             166, 8, SS_LEFT | WS_GROUP},
            {CDialogItem::ComboBox, IDC_RESOLUTION, "", 13, 28, 127, 30,
             CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP},
            {CDialogItem::Button, IDC_RECIPIENT_HAS_AGENT, "Recipient has MS Agent", 13, 96, 93, 10,
             BS_AUTOCHECKBOX | WS_TABSTOP},
            {CDialogItem::Button, IDC_PLAY_IN_BROWSERS,
             "Play in browsers without the character control", 13, 108, 166, 10,
             BS_AUTOCHECKBOX | WS_TABSTOP},
            {CDialogItem::Static, IDC_STATIC, "Message language (empty: the spelling language)", 13,
             122, 170, 8, SS_LEFT | WS_GROUP},
            {CDialogItem::Edit, IDC_MESSAGE_LANGUAGE, "", 13, 132, 60, 14,
             ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        }};
    return tmpl;
}

void CDefPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    m_wndResolution = GetDlgItem<QComboBox>(IDC_RESOLUTION);
    DDX_Text(pDX, GetDlgItem<QLineEdit>(IDC_DEFAULT_CHARACTER), m_strDefaultCharacter);
    DDX_Check(pDX, GetDlgItem<QCheckBox>(IDC_RECIPIENT_HAS_AGENT), m_bRecipientHasAgent);
    DDX_Check(pDX, GetDlgItem<QCheckBox>(IDC_PLAY_IN_BROWSERS), m_bPlayInBrowsers);
    DDX_Text(pDX, GetDlgItem<QLineEdit>(IDC_MESSAGE_LANGUAGE), m_strLanguage);
    if (!pDX->m_bSaveAndValidate)
        GetDlgItem<QLineEdit>(IDC_MESSAGE_LANGUAGE)
            ->setPlaceholderText(QString::fromStdString(CParlDoc::DefaultLanguage()));
}

BOOL CDefPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    for (const CResolution& resolution : kResolutions)
        m_wndResolution->addItem(QString::fromLatin1(resolution.text));
    // A size the list does not hold shows no entry and stays until the user picks one.
    if (ResolutionAt(m_nResolution) == nullptr)
        m_nResolution = -1;
    m_wndResolution->setCurrentIndex(m_nResolution);
    return TRUE;
}

bool CDefPage::ShowsScriptName() const {
    if (!IsCreated())
        return true;
    return tag::IsScriptName(GetDlgItem<QLineEdit>(IDC_DEFAULT_CHARACTER)->text().toStdString());
}

void CDefPage::RefuseDefaultCharacter() {
    QLineEdit* edit = GetDlgItem<QLineEdit>(IDC_DEFAULT_CHARACTER);
    AfxMessageBox(ParlTrArgs("\"%1\" cannot be the default character. A character name begins "
                             "with a letter and holds only letters, digits and underscores; it "
                             "may not be a word that the page's script reserves (such as Dim or "
                             "window) nor end in \"Request\".",
                             {edit->text().toStdString()}),
                  MB_OK | MB_ICONEXCLAMATION);
    edit->setFocus();
    edit->selectAll();
}

bool CDefPage::ShowsLanguage() const {
    if (!IsCreated())
        return true;
    const std::string text = GetDlgItem<QLineEdit>(IDC_MESSAGE_LANGUAGE)->text().toStdString();
    return text.empty() || playback::LanguageTag(text) == text;
}

void CDefPage::RefuseLanguage() {
    QLineEdit* edit = GetDlgItem<QLineEdit>(IDC_MESSAGE_LANGUAGE);
    AfxMessageBox(ParlTrArgs("\"%1\" is not a language. Write a language code such as en, en-US or "
                             "pt-BR, or leave the box empty to use the spelling language.",
                             {edit->text().toStdString()}),
                  MB_OK | MB_ICONEXCLAMATION);
    edit->setFocus();
    edit->selectAll();
}

void CDefPage::OnSelendokResolution() {
    m_nResolution = m_wndResolution->currentIndex();
}
