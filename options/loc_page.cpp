#include "options/loc_page.h"

#include "compiler/tag.h"
#include "platform/qt/message_box.h"
#include "platform/qt/translation.h"

#include <QLineEdit>

CLocPage::CLocPage() : CPropertyPage(Template()) {}

const CDialogTemplate& CLocPage::Template() {
    static const CDialogTemplate tmpl{
        IDD_LOCATIONS,
        "Locations",
        186,
        95,
        {
            {CDialogItem::Static, IDC_STATIC, "Location of Optional Character *.acf Files", 13, 13,
             130, 8, SS_LEFT | WS_GROUP},
            {CDialogItem::Edit, IDC_CHARACTER_LOCATION, "", 13, 29, 148, 14,
             ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
            {CDialogItem::Static, IDC_STATIC, "Location of Optional Background Picture", 13, 51,
             129, 8, SS_LEFT | WS_GROUP},
            {CDialogItem::Edit, IDC_BACKGROUND_PICTURE, "", 13, 67, 147, 14,
             ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        }};
    return tmpl;
}

void CLocPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, GetDlgItem<QLineEdit>(IDC_CHARACTER_LOCATION), m_strCharacterLocation);
    DDX_Text(pDX, GetDlgItem<QLineEdit>(IDC_BACKGROUND_PICTURE), m_strBackgroundPicture);
}

bool CLocPage::ShowsPictureLocation() const {
    if (!IsCreated())
        return true;
    return tag::IsPictureLocation(
        GetDlgItem<QLineEdit>(IDC_BACKGROUND_PICTURE)->text().toStdString());
}

void CLocPage::RefuseBackgroundPicture() {
    QLineEdit* edit = GetDlgItem<QLineEdit>(IDC_BACKGROUND_PICTURE);
    AfxMessageBox(ParlTrArgs("\"%1\" cannot be the background picture. Name the picture by a path "
                             "relative to the page, or by an address that begins with http:, "
                             "https:, file: or data:image/; a script address or another kind of "
                             "address could run or fetch something else when the page is opened.",
                             {edit->text().toStdString()}),
                  MB_OK | MB_ICONEXCLAMATION);
    edit->setFocus();
    edit->selectAll();
}
