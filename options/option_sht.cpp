#include "options/option_sht.h"

COptionSht::COptionSht(const std::string& caption, QWidget* pParent, UINT iSelectPage)
    : CPropertySheet(caption, pParent, iSelectPage) {
    AddPage(&m_locPage);
    AddPage(&m_defPage);
    AddPage(&m_colorPage);
}
