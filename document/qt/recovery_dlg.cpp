#include "document/qt/recovery_dlg.h"

#include "platform/document.h"
#include "platform/qt/modal_seam.h"
#include "platform/qt/translation.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CRecoveryDlg::CRecoveryDlg(std::vector<CRecoveryCopy> copies, Discard discard, QWidget* pParent)
    : QDialog(pParent), m_copies(std::move(copies)), m_discard(std::move(discard)) {
    setObjectName(QStringLiteral("CRecoveryDlg"));
    setWindowTitle(ParlTr("Recover Messages"));
    auto* layout = new QVBoxLayout(this);
    auto* text =
        new QLabel(ParlTr("Parlino stopped before these messages were saved. Restore one to go on "
                          "with it, discard those you do not need, or keep them for later."),
                   this);
    text->setWordWrap(true);
    layout->addWidget(text);

    m_wndList = new QTreeWidget(this);
    m_wndList->setRootIsDecorated(false);
    m_wndList->setHeaderLabels({ParlTr("File"), ParlTr("Time"), ParlTr("First words")});
    for (const CRecoveryCopy& copy : m_copies)
        m_wndList->addTopLevelItem(new QTreeWidgetItem(RowTexts(copy)));
    m_wndList->setCurrentItem(m_wndList->topLevelItem(0));
    m_wndList->header()->setStretchLastSection(true);
    m_wndList->resizeColumnToContents(0);
    m_wndList->resizeColumnToContents(1);
    layout->addWidget(m_wndList);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore = buttons->addButton(ParlTr("&Restore"), QDialogButtonBox::ActionRole);
    QPushButton* discardButton =
        buttons->addButton(ParlTr("&Discard"), QDialogButtonBox::ActionRole);
    QPushButton* later = buttons->addButton(ParlTr("&Later"), QDialogButtonBox::RejectRole);
    restore->setDefault(true);
    connect(restore, &QPushButton::clicked, this, [this] { done(kRestore); });
    connect(discardButton, &QPushButton::clicked, this, [this] { done(kDiscard); });
    connect(later, &QPushButton::clicked, this, [this] { done(kLater); });
    connect(m_wndList, &QTreeWidget::itemActivated, this, [this] { done(kRestore); });
    layout->addWidget(buttons);
    resize(560, 260);
}

CRecoveryDlg::~CRecoveryDlg() = default;

QStringList CRecoveryDlg::RowTexts(const CRecoveryCopy& copy) {
    const QString file = copy.record.fileName.isEmpty()
                             ? QString::fromLatin1(CDocument::UntitledTitle())
                             : QFileInfo(copy.record.fileName).fileName();
    return {file, copy.record.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
            copy.record.firstWords};
}

int CRecoveryDlg::Run() {
    m_nChosen = -1;
    if (m_copies.empty())
        return kLater;
    return CModalSeam::Exec(*this) == kRestore ? kRestore : kLater;
}

const CRecoveryCopy* CRecoveryDlg::Chosen() const {
    if (m_nChosen < 0 || m_nChosen >= static_cast<int>(m_copies.size()))
        return nullptr;
    return &m_copies[static_cast<std::size_t>(m_nChosen)];
}

void CRecoveryDlg::done(int result) {
    const int row = m_wndList->indexOfTopLevelItem(m_wndList->currentItem());
    if (result == kRestore || result == kDiscard) {
        // Both need a chosen row; without one the dialog stays.
        if (row < 0)
            return;
    }
    if (result == kRestore) {
        m_nChosen = row;
    } else if (result == kDiscard) {
        const auto at = m_copies.begin() + row;
        if (m_discard && !m_discard(*at))
            return;
        m_copies.erase(at);
        delete m_wndList->takeTopLevelItem(row);
        if (!m_copies.empty()) {
            m_wndList->setCurrentItem(
                m_wndList->topLevelItem(std::min(row, m_wndList->topLevelItemCount() - 1)));
            return;
        }
        // The last one gone: the dialog closes with nothing left to offer.
    } else {
        result = kLater;
    }
    QDialog::done(result);
}

CModalScript::Answer CRecoveryDlg::Answer(Result result, int row) {
    return [result, row](QWidget& modal) {
        if (auto* dlg = qobject_cast<CRecoveryDlg*>(&modal))
            dlg->m_wndList->setCurrentItem(dlg->m_wndList->topLevelItem(row));
        return static_cast<int>(result);
    };
}
