// The script bar: the second toolbar, with the four script commands, Preview, Advanced Options
// and the three lists from which a new command tag takes its character, animation and
// destination. CMainFrame::CreateScriptBar builds it; the view reads the lists through the
// frame.
#pragma once

#include <QFont>
#include <string>

class QComboBox;
class QToolBar;

class CScriptBar {
public:
    CScriptBar() = default;
    ~CScriptBar() = default;
    CScriptBar(const CScriptBar&) = delete;
    CScriptBar& operator=(const CScriptBar&) = delete;

    // The bar's window; nullptr until the frame has built it.
    QToolBar* GetSafeHwnd() const { return m_pBar; }

    // The text of the list's current entry; empty when it has none.
    static std::string CurrentEntry(const QComboBox* list);

    // The lists are children of the bar's window, which owns them; null until it is built.
    QComboBox* m_wndCharacterCombo = nullptr;
    QComboBox* m_wndAnimationCombo = nullptr;
    QComboBox* m_wndDestinationCombo = nullptr;
    QFont m_fontLists;

    // The animations of the Play list and the destinations of the Move list, in list order.
    static const char* const kAnimations[23];
    static const char* const kDestinations[9];
    // The characters the page always draws, listed first whatever files are installed.
    static const char* const kWebCharacters[3];
    // The list's tip when character files were left out; their names follow, one a line.
    static const char* const kLeftOutNote;

private:
    friend class CMainFrame;
    QToolBar* m_pBar = nullptr;
};
