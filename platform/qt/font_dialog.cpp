#include "platform/qt/font_dialog.h"

#include "platform/afx_ids.h"
#include "platform/qt/colorref.h"
#include "platform/qt/modal_seam.h"
#include "platform/qt/translation.h"

#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <cmath>
#include <cstring>

namespace {

// The sixteen colours of the effects group, in their customary order.
struct NamedColor {
    const char* name;
    COLORREF cr;
};
constexpr NamedColor kColors[] = {
    {"Black", RGB(0, 0, 0)},       {"Maroon", RGB(128, 0, 0)},    {"Green", RGB(0, 128, 0)},
    {"Olive", RGB(128, 128, 0)},   {"Navy", RGB(0, 0, 128)},      {"Purple", RGB(128, 0, 128)},
    {"Teal", RGB(0, 128, 128)},    {"Gray", RGB(128, 128, 128)},  {"Silver", RGB(192, 192, 192)},
    {"Red", RGB(255, 0, 0)},       {"Lime", RGB(0, 255, 0)},      {"Yellow", RGB(255, 255, 0)},
    {"Blue", RGB(0, 0, 255)},      {"Fuchsia", RGB(255, 0, 255)}, {"Aqua", RGB(0, 255, 255)},
    {"White", RGB(255, 255, 255)},
};

QIcon Swatch(COLORREF cr) {
    QPixmap pixmap(16, 12);
    pixmap.fill(ColorFromRef(cr));
    return QIcon(pixmap);
}

QComboBox* AddColorList(QFontDialog& dialog, COLORREF initial) {
    auto* combo = new QComboBox(&dialog);
    combo->setObjectName(QString::fromLatin1(CFontDialog::kColorListName));
    for (const NamedColor& c : kColors)
        combo->addItem(Swatch(c.cr), ParlTr(c.name), static_cast<uint>(c.cr));
    int index = combo->findData(static_cast<uint>(initial));
    if (index < 0) {
        combo->addItem(Swatch(initial), ParlTr("Custom"), static_cast<uint>(initial));
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
    auto* label = new QLabel(ParlTr("&Color:"), &dialog);
    label->setBuddy(combo); // the ampersand marks the key, and is not shown
    // The colour belongs to the effects, above OK and Cancel.
    QGroupBox* effects = nullptr;
    for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
        if (box->title().contains(QStringLiteral("Effects"), Qt::CaseInsensitive))
            effects = box;
    }
    if (effects != nullptr && effects->layout() != nullptr) {
        auto* row = new QHBoxLayout;
        row->addWidget(label);
        row->addWidget(combo, 1);
        if (auto* box = qobject_cast<QBoxLayout*>(effects->layout()))
            box->addLayout(row);
        else
            effects->layout()->addItem(row);
    } else if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1, 1, grid->columnCount() - 1);
    }
    return combo;
}

} // namespace

CFontDialog::CFontDialog(const LOGFONT* lplfInitial, DWORD dwFlags, QWidget* pParentWnd)
    : m_lf{}, m_pParent(pParentWnd) {
    m_cf.Flags = dwFlags;
    if (lplfInitial != nullptr)
        m_lf = *lplfInitial;
}

QFont CFontDialog::FontFromLogFont(const LOGFONT& lf) {
    QFont font;
    if (lf.lfFaceName[0] != '\0')
        font.setFamily(QString::fromLatin1(lf.lfFaceName));
    if (lf.lfHeight != 0)
        font.setPointSizeF(std::abs(lf.lfHeight) * 72.0 / 96.0);
    font.setWeight(static_cast<QFont::Weight>(lf.lfWeight > 0 ? lf.lfWeight : FW_NORMAL));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

LOGFONT CFontDialog::LogFontFromFont(const QFont& font, const LOGFONT& base) {
    LOGFONT lf{};
    lf.lfCharSet = base.lfCharSet;
    lf.lfPitchAndFamily = base.lfPitchAndFamily;
    lf.lfHeight = -static_cast<LONG>(std::lround(font.pointSizeF() * 96.0 / 72.0));
    lf.lfWeight = static_cast<LONG>(font.weight());
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    const QByteArray face = font.family().toLatin1();
    std::strncpy(lf.lfFaceName, face.constData(), LF_FACESIZE - 1);
    return lf;
}

int CFontDialog::DoModal() {
    QFontDialog dialog(m_pParent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (!(m_cf.Flags & CF_SCREENFONTS))
        dialog.setOption(QFontDialog::ScalableFonts);
    dialog.setWindowTitle(ParlTr("Font"));
    dialog.setCurrentFont(FontFromLogFont(m_lf));
    QComboBox* colors = (m_cf.Flags & CF_EFFECTS) ? AddColorList(dialog, m_cf.rgbColors) : nullptr;
    // What OK without a change gives: the font as the dialog shows it, which may be a stand-in
    // for a face the system lacks.
    const QFont shown = dialog.currentFont();
    m_lfShown = LogFontFromFont(shown, m_lf);
    // Where the system stands in with another face, the name field still says the text's own.
    const QString face = QString::fromLatin1(m_lf.lfFaceName);
    if (!face.isEmpty() && shown.family().compare(face, Qt::CaseInsensitive) != 0) {
        for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) {
            if (field->text() == shown.family()) {
                field->setText(face);
                break;
            }
        }
    }
    m_nShownPointSize = static_cast<int>(std::lround(shown.pointSizeF() * 10.0));
    if (CModalSeam::Exec(dialog) != QDialog::Accepted)
        return IDCANCEL;
    const QFont chosen = dialog.selectedFont();
    m_lf = LogFontFromFont(chosen, m_lf);
    m_cf.iPointSize = static_cast<int>(std::lround(chosen.pointSizeF() * 10.0));
    if (colors != nullptr)
        m_cf.rgbColors = static_cast<COLORREF>(colors->currentData().toUInt());
    return IDOK;
}
