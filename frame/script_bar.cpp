#include "frame/script_bar.h"

#include "compiler/tag.h"
#include "frame/main_frame.h"
#include "platform/file_find.h"
#include "platform/logfont.h"
#include "platform/qt/font_dialog.h"
#include "platform/qt/settings_store.h"
#include "platform/qt/system_metrics.h"
#include "platform/qt/translation.h"
#include "platform/qt/win_app.h"
#include "res/images.h"
#include "res/resource.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QToolBar>
#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <vector>

const char* const CScriptBar::kAnimations[23] = {
    "RestPose",      "Alert",   "Announce",    "Congratulate", "Confused",     "Decline",
    "DontRecognize", "Explain", "GestureDown", "GestureLeft",  "GestureRight", "GestureUp",
    "GetAttention",  "Greet",   "Pleased",     "Read",         "Sad",          "Suggest",
    "Surprised",     "Think",   "Uncertain",   "Wave",         "Write"};

const char* const CScriptBar::kDestinations[9] = {"Upper Left",   "Middle Left",   "Lower Left",
                                                  "Upper Center", "Middle Center", "Lower Center",
                                                  "Upper Right",  "Middle Right",  "Lower Right"};

const char* const CScriptBar::kWebCharacters[3] = {"genie", "robby", "merlin"};

const char* const CScriptBar::kLeftOutNote =
    "Character files left out, as their names cannot name a character in a tag (a name "
    "starts with a letter and holds letters, digits and _ only, and is no word of the page's "
    "script):";

std::string CScriptBar::CurrentEntry(const QComboBox* list) {
    if (list == nullptr || list->currentIndex() < 0)
        return {};
    return list->currentText().toStdString();
}

namespace {

// Puts a drop-down list of `width` pixels in place of the separator at `index` of the bar. The
// list shows about `droppedHeight` pixels of entries when dropped down.
QComboBox* CreateList(QToolBar* bar, int index, UINT nID, int width, int droppedHeight,
                      bool scrollBar) {
    const QList<QAction*> items = bar->actions();
    if (index >= items.size() || !items.at(index)->isSeparator())
        return nullptr;
    auto* list = new QComboBox(bar);
    list->setObjectName(QStringLiteral("list%1").arg(nID));
    list->setProperty("nID", nID);
    list->setEditable(false);
    list->setFixedWidth(width);
    list->setFocusPolicy(Qt::StrongFocus);
    const CPrompt prompt = CResourceTables::App().Strings().Prompt(nID);
    list->setStatusTip(ParlTr(prompt.status));
    list->setToolTip(ParlTr(prompt.tooltip));
    list->view()->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAsNeeded
                                                       : Qt::ScrollBarAlwaysOff);
    list->setProperty("droppedHeight", droppedHeight);
    QAction* separator = items.at(index);
    bar->insertWidget(separator, list);
    bar->removeAction(separator);
    delete separator;
    return list;
}

// Hands the keyboard back when the list is left with Escape: pressed on the list, or on its
// dropped-down entries, which the list then closes as a choice closes them.
class CListEscape : public QObject {
public:
    CListEscape(QComboBox* list, std::function<void()> handBack)
        : QObject(list), m_list(list), m_handBack(std::move(handBack)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
            return QObject::eventFilter(watched, event);
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept(); // the key comes as a key press
            return true;
        }
        if (watched != m_list)
            m_list->hidePopup();
        m_handBack();
        return true;
    }

private:
    QComboBox* m_list;
    std::function<void()> m_handBack;
};

// As many rows as fit in the dropped height below the list's own field.
void FitDroppedHeight(QComboBox* list) {
    const int dropped = list->property("droppedHeight").toInt();
    const int row = list->fontMetrics().height() + 4;
    list->setMaxVisibleItems(std::max(1, (dropped - list->sizeHint().height()) / row));
}

std::string CharacterFolder() {
    if (CWinApp* app = AfxGetApp())
        return app->GetProfileString(CSettingsStore::kSection, CSettingsStore::kCharacterPath);
    CSettingsStore store;
    return store.GetProfileString(CSettingsStore::kSection, CSettingsStore::kCharacterPath);
}

} // namespace

BOOL CMainFrame::CreateScriptBar() {
    const CToolBarResource* items = CResourceTables::App().FindToolBar(IDW_SCRIPTBAR);
    if (items == nullptr || items->size() != 14)
        return FALSE;
    QToolBar* bar = CreateToolBar(IDW_SCRIPTBAR, *items, LoadToolBarBitmap(IDB_SCRIPTBAR));
    if (bar == nullptr)
        return FALSE;
    bar->setWindowTitle(ParlTr("Script"));
    m_wndScriptBar.m_pBar = bar;

    // Each list replaces the separator item after its button; the separator after it stays as
    // the gap before the next button.
    m_wndScriptBar.m_wndCharacterCombo = CreateList(bar, 3, IDC_CHARACTER_COMBO, 100, 100, false);
    m_wndScriptBar.m_wndAnimationCombo = CreateList(bar, 6, IDC_ANIMATION_COMBO, 120, 200, true);
    m_wndScriptBar.m_wndDestinationCombo =
        CreateList(bar, 9, IDC_DESTINATION_COMBO, 100, 200, true);
    if (m_wndScriptBar.m_wndCharacterCombo == nullptr ||
        m_wndScriptBar.m_wndAnimationCombo == nullptr ||
        m_wndScriptBar.m_wndDestinationCombo == nullptr)
        return FALSE;

    // The page draws its own characters, so the web characters are always there; installed
    // character files add their names beside them. A file whose name no tag can use is left
    // out, and the list's tip says which and why. Names that differ only in case are one name
    // in the page's script.
    QComboBox* characters = m_wndScriptBar.m_wndCharacterCombo;
    std::vector<std::string> names(std::begin(CScriptBar::kWebCharacters),
                                   std::end(CScriptBar::kWebCharacters));
    QStringList leftOut;
    CFileFind finder;
    BOOL bWorking = finder.FindFile(CharacterFolder() + "*.acs");
    while (bWorking) {
        bWorking = finder.FindNextFile();
        const std::string title = finder.GetFileTitle();
        if (!tag::IsScriptName(title)) {
            leftOut << QString::fromStdString(finder.GetFileName());
            continue;
        }
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& name) { return tag::SameName(name, title); }))
            names.push_back(title);
    }
    for (const std::string& name : names)
        characters->addItem(QString::fromStdString(name));
    if (!leftOut.isEmpty()) {
        const QString note = ParlTr(CScriptBar::kLeftOutNote);
        characters->setToolTip(characters->toolTip() + QLatin1Char('\n') + note +
                               QLatin1Char('\n') + leftOut.join(QLatin1Char('\n')));
        characters->setStatusTip(note + QLatin1Char(' ') + leftOut.join(QStringLiteral(", ")));
    }
    characters->setCurrentIndex(0);

    for (const char* name : CScriptBar::kAnimations)
        m_wndScriptBar.m_wndAnimationCombo->addItem(QString::fromLatin1(name));
    m_wndScriptBar.m_wndAnimationCombo->setCurrentIndex(0);
    for (const char* name : CScriptBar::kDestinations)
        m_wndScriptBar.m_wndDestinationCombo->addItem(QString::fromLatin1(name));
    m_wndScriptBar.m_wndDestinationCombo->setCurrentIndex(0);

    // The lists' font: a bold sans serif of 12 pixels, or the system's font where text may be
    // in a double-byte code page.
    if (GetSystemMetrics(SM_DBCSENABLED) != 0) {
        m_wndScriptBar.m_fontLists = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    } else {
        LOGFONT lf;
        std::memset(&lf, 0, sizeof lf);
        lf.lfHeight = -12;
        lf.lfWeight = FW_BOLD;
        lf.lfPitchAndFamily = 0x22; // variable pitch, Swiss
        const std::string face = AfxLoadString(IDS_LIST_FONT, "MS Sans Serif");
        std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        m_wndScriptBar.m_fontLists = CFontDialog::FontFromLogFont(lf);
        // A character height in screen pixels, as a font made for the screen has it; where
        // the face is missing, a Swiss face stands in.
        m_wndScriptBar.m_fontLists.setPixelSize(-lf.lfHeight);
        m_wndScriptBar.m_fontLists.setStyleHint(QFont::SansSerif);
    }
    for (QComboBox* list : {m_wndScriptBar.m_wndCharacterCombo, m_wndScriptBar.m_wndAnimationCombo,
                            m_wndScriptBar.m_wndDestinationCombo}) {
        list->setFont(m_wndScriptBar.m_fontLists);
        // Never narrower than its longest entry in the font the desktop gives it.
        list->setFixedWidth(std::max(list->width(), list->sizeHint().width()));
        FitDroppedHeight(list);
        // A choice made, typing goes on in the message.
        QObject::connect(list, &QComboBox::activated, this, [this] {
            if (QWidget* view = GetActiveView())
                view->setFocus(Qt::OtherFocusReason);
        });
        // So does Escape, from the dropped-down entries or from the list itself: the next
        // letter typed must not pick another entry.
        auto* escape = new CListEscape(list, [this] {
            if (QWidget* view = GetActiveView())
                view->setFocus(Qt::OtherFocusReason);
        });
        list->installEventFilter(escape);
        list->view()->installEventFilter(escape);
    }
    return TRUE;
}
