#include "options/option_sht.h"

COptionSht::COptionSht(const std::string& caption, QWidget* pParent, UINT iSelectPage)
    : CPropertySheet(caption, pParent, iSelectPage) {
    AddPage(&m_locPage);
    AddPage(&m_defPage);
    AddPage(&m_colorPage);
}

void COptionSht::done(int result) {
    if (result == QDialog::Accepted && !m_locPage.ShowsPictureLocation()) {
        SetActivePage(0); // the Locations page
        m_locPage.RefuseBackgroundPicture();
        return;
    }
    if (result == QDialog::Accepted && !m_defPage.ShowsScriptName()) {
        SetActivePage(1); // the Defaults page
        m_defPage.RefuseDefaultCharacter();
        return;
    }
    if (result == QDialog::Accepted && !m_defPage.ShowsLanguage()) {
        SetActivePage(1);
        m_defPage.RefuseLanguage();
        return;
    }
    CPropertySheet::done(result);
}
