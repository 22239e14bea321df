#include "platform/qt/data_exchange.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

void CDataExchange::Fail(QWidget* control) {
    m_bFailed = true;
    if (control != nullptr)
        control->setFocus();
}

void DDX_Text(CDataExchange* pDX, QLineEdit* edit, std::string& value) {
    if (pDX->m_bSaveAndValidate)
        value = edit->text().toStdString();
    else
        edit->setText(QString::fromStdString(value));
}

void DDX_Text(CDataExchange* pDX, QPlainTextEdit* edit, std::string& value) {
    if (pDX->m_bSaveAndValidate)
        value = edit->toPlainText().toStdString();
    else
        edit->setPlainText(QString::fromStdString(value));
}

void DDX_Check(CDataExchange* pDX, QAbstractButton* check, int& value) {
    if (pDX->m_bSaveAndValidate)
        value = check->isChecked() ? 1 : 0;
    else
        check->setChecked(value != 0);
}

void DDX_CBIndex(CDataExchange* pDX, QComboBox* combo, int& index) {
    if (pDX->m_bSaveAndValidate)
        index = combo->currentIndex();
    else
        combo->setCurrentIndex(index);
}
