#include "res/resources.h"

namespace {

using E = CMenuEntry;

std::vector<CMenuEntry> FileMenuEntries() {
    return {E::Item("&New\tCtrl+N", ID_FILE_NEW),
            E::Item("&Open...\tCtrl+O", ID_FILE_OPEN),
            E::Item("&Save\tCtrl+S", ID_FILE_SAVE),
            E::Item("Save &As...", ID_FILE_SAVE_AS),
            E::Sep(),
            E::Item("Sen&d...", ID_FILE_SEND_MAIL),
            E::Sep(),
            E::Item("Recent File", ID_FILE_MRU_FILE1),
            E::Sep(),
            E::Item("E&xit", ID_APP_EXIT)};
}

// Check Spelling As You Type, then one entry per installed language (the view names them
// when the menu opens and hides the ones left over).
std::vector<CMenuEntry> SpellingMenuEntries() {
    std::vector<CMenuEntry> entries{E::Item("Check Spelling As You &Type", ID_SPELL_CHECK),
                                    E::Sep()};
    for (UINT nID = ID_SPELL_LANGUAGE_FIRST; nID <= ID_SPELL_LANGUAGE_LAST; ++nID)
        entries.push_back(E::Item("Language", nID));
    return entries;
}

CMenuResource MainMenu() {
    return {
        E::Sub("&File", FileMenuEntries()),
        E::Sub("&Edit",
               {E::Item("&Undo\tCtrl+Z", ID_EDIT_UNDO), E::Item("&Redo\tCtrl+Y", ID_EDIT_REDO),
                E::Sep(), E::Item("Cu&t\tCtrl+X", ID_EDIT_CUT),
                E::Item("&Copy\tCtrl+C", ID_EDIT_COPY), E::Item("&Paste\tCtrl+V", ID_EDIT_PASTE),
                E::Item("Select A&ll\tCtrl+A", ID_EDIT_SELECT_ALL), E::Sep(),
                E::Item("&Find...\tCtrl+F", ID_EDIT_FIND),
                E::Item("F&ind Next\tF3", ID_EDIT_REPEAT),
                E::Item("R&eplace\tCtrl+H", ID_EDIT_REPLACE),
                E::Sub("&Spelling", SpellingMenuEntries()), E::Sep(),
                E::Sub("F&ont", {E::Item("&Properties...", ID_FORMAT_FONT), E::Sep(),
                                 E::Item("&Bold\tCtrl+B", ID_FORMAT_BOLD),
                                 E::Item("&Italic\tCtrl+I", ID_FORMAT_ITALIC),
                                 E::Item("&Underline\tCtrl+U", ID_FORMAT_UNDERLINE)}),
                E::Sub("Para&graph", {E::Item("&Left Align", ID_PARA_LEFT),
                                      E::Item("&Center Align", ID_PARA_CENTER), E::Sep(),
                                      E::Item("&Decrease Indent", ID_DECREASE_INDENT),
                                      E::Item("&Increase Indent", ID_INCREASE_INDENT)}),
                E::Item("Back Color...", ID_FORMAT_BACKCOLOR),
                E::Item("&Advanced Options", ID_ADVANCED_OPTIONS),
                E::Item("&HTML Document...", ID_EDIT_HTML), E::Sep()}),
        E::Sub("&Script",
               {E::Item("&Speak", ID_SCRIPT_SPEAK), E::Item("&Read", ID_SCRIPT_READ), E::Sep(),
                E::Item("&Play", ID_SCRIPT_PLAY), E::Item("&Move", ID_SCRIPT_MOVE), E::Sep(),
                E::Item("Pre&view", ID_SCRIPT_PREVIEW)}),
        E::Sub("&View",
               {E::Item("&Toolbar", ID_VIEW_TOOLBAR), E::Item("&Status Bar", ID_VIEW_STATUS_BAR),
                E::Item("Script&Bar", ID_VIEW_SCRIPTBAR)}),
        E::Sub("&Help", {E::Item("&Html Help", ID_HELP_HTML), E::Sep(),
                         E::Item("&About Parlo...", ID_APP_ABOUT)}),
    };
}

// The while-in-place menu: the File pop-up, then the two places where an object's menus go.
CMenuResource InPlaceMenu() {
    return {E::Sub("&File", FileMenuEntries()), E::Sep(), E::Sep()};
}

CMenuResource ContextMenu() {
    return {E::Sub("", {E::Item("&Font...", ID_FORMAT_FONT), E::Sep(),
                        E::Item("&Speak", ID_SCRIPT_SPEAK), E::Item("&Read", ID_SCRIPT_READ),
                        E::Item("Pla&y", ID_SCRIPT_PLAY), E::Item("&Move", ID_SCRIPT_MOVE),
                        E::Sep(), E::Item("Select A&ll", ID_EDIT_SELECT_ALL),
                        E::Item("&Paste", ID_EDIT_PASTE), E::Item("&Copy", ID_EDIT_COPY),
                        E::Item("Cu&t", ID_EDIT_CUT), E::Sep(), E::Item("&Undo", ID_EDIT_UNDO)})};
}

CAccelTable MainAccelerators() {
    return {{"Ctrl+N", ID_FILE_NEW},
            {"Ctrl+O", ID_FILE_OPEN},
            {"Ctrl+S", ID_FILE_SAVE},
            {"Ctrl+Z", ID_EDIT_UNDO},
            {"Alt+Backspace", ID_EDIT_UNDO},
            {"Ctrl+Y", ID_EDIT_REDO},
            {"Ctrl+Shift+Z", ID_EDIT_REDO},
            {"Ctrl+B", ID_FORMAT_BOLD},
            {"Ctrl+I", ID_FORMAT_ITALIC},
            {"Ctrl+U", ID_FORMAT_UNDERLINE},
            {"Ctrl+X", ID_EDIT_CUT},
            {"Shift+Del", ID_EDIT_CUT},
            {"Ctrl+C", ID_EDIT_COPY},
            {"Ctrl+Ins", ID_EDIT_COPY},
            {"Ctrl+V", ID_EDIT_PASTE},
            {"Shift+Ins", ID_EDIT_PASTE},
            {"Ctrl+A", ID_EDIT_SELECT_ALL},
            {"Ctrl+F", ID_EDIT_FIND},
            {"F3", ID_EDIT_REPEAT},
            {"Ctrl+H", ID_EDIT_REPLACE},
            {"Alt+Return", ID_OLE_EDIT_PROPERTIES},
            {"F6", ID_NEXT_PANE},
            {"Shift+F6", ID_PREV_PANE},
            {"Esc", ID_CANCEL_EDIT_CNTR}};
}

CAccelTable InPlaceAccelerators() {
    return {{"Ctrl+N", ID_FILE_NEW}, {"Ctrl+O", ID_FILE_OPEN},   {"Ctrl+S", ID_FILE_SAVE},
            {"F6", ID_NEXT_PANE},    {"Shift+F6", ID_PREV_PANE}, {"Esc", ID_CANCEL_EDIT_CNTR}};
}

CToolBarResource MainToolBar() {
    return {ID_FILE_NEW,      ID_FILE_OPEN,        ID_FILE_SAVE,       ID_FILE_SEND_MAIL,
            ID_SEPARATOR,     ID_EDIT_CUT,         ID_EDIT_COPY,       ID_EDIT_PASTE,
            ID_SEPARATOR,     ID_FORMAT_FONT,      ID_SEPARATOR,       ID_FORMAT_BOLD,
            ID_FORMAT_ITALIC, ID_FORMAT_UNDERLINE, ID_SEPARATOR,       ID_PARA_LEFT,
            ID_PARA_CENTER,   ID_SEPARATOR,        ID_DECREASE_INDENT, ID_INCREASE_INDENT,
            ID_SEPARATOR,     ID_FORMAT_BACKCOLOR, ID_SEPARATOR,       ID_APP_ABOUT};
}

// The script bar's items: a list takes the place of the separator after Read, Play and Move.
CToolBarResource ScriptBar() {
    return {ID_SCRIPT_SPEAK, ID_SEPARATOR,      ID_SCRIPT_READ, ID_SEPARATOR,       ID_SEPARATOR,
            ID_SCRIPT_PLAY,  ID_SEPARATOR,      ID_SEPARATOR,   ID_SCRIPT_MOVE,     ID_SEPARATOR,
            ID_SEPARATOR,    ID_SCRIPT_PREVIEW, ID_SEPARATOR,   ID_ADVANCED_OPTIONS};
}

void RegisterStrings(CStringTable& s) {
    // The document string: window title, document name, file-new name, filter name, filter
    // extension, file type identifier, file type name.
    s.Set(IDR_MAINFRAME,
          "Parlino\n\nParlo\nParlo Projects (*.plp)\n.plp\nParlo.Project\nParlo Project");
    s.Set(AFX_IDS_APP_TITLE, "Parl");
    s.Set(AFX_IDS_IDLEMESSAGE, "Ready");
    s.Set(IDP_OLE_INIT_FAILED,
          "OLE initialization failed.  Make sure that the OLE libraries are the correct version.");
    s.Set(IDP_SOCKETS_INIT_FAILED, "Windows sockets initialization failed.");
    s.Set(IDS_LIST_FONT, "MS Sans Serif");

    // Status-bar indicators.
    s.Set(ID_INDICATOR_CAPS, "CAP");
    s.Set(ID_INDICATOR_NUM, "NUM");
    s.Set(ID_INDICATOR_SCRL, "SCRL");

    // The framework's standard commands.
    s.Set(ID_FILE_NEW, "Create a new document\nNew");
    s.Set(ID_FILE_OPEN, "Open an existing document\nOpen");
    s.Set(ID_FILE_SAVE, "Save the active document\nSave");
    s.Set(ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As");
    s.Set(ID_FILE_SEND_MAIL, "Send the active document through electronic mail\nSend Mail");
    for (UINT nID = ID_FILE_MRU_FILE1; nID <= ID_FILE_MRU_FILE4; ++nID)
        s.Set(nID, "Open this document");
    s.Set(ID_APP_EXIT, "Quit the application; prompts to save documents\nExit");
    s.Set(ID_APP_ABOUT, "Display program information, version number and copyright\nAbout");
    s.Set(ID_EDIT_UNDO, "Undo the last action\nUndo");
    s.Set(ID_EDIT_REDO, "Redo the previously undone action\nRedo");
    s.Set(ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut");
    s.Set(ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy");
    s.Set(ID_EDIT_PASTE, "Insert Clipboard contents\nPaste");
    s.Set(ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All");
    s.Set(ID_EDIT_FIND, "Find the text you name\nFind");
    s.Set(ID_EDIT_REPEAT, "Repeat the last action\nRepeat");
    s.Set(ID_EDIT_REPLACE, "Replace text with different text\nReplace");
    s.Set(ID_OLE_EDIT_PROPERTIES, "Edit properties of the selected object\nProperties");
    s.Set(ID_NEXT_PANE, "Switch to the next window pane\nNext Pane");
    s.Set(ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane");
    s.Set(ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar");
    s.Set(ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar");
    s.Set(ID_CANCEL_EDIT_CNTR, "Close in-place editing\nClose");

    // The program's commands.
    s.Set(ID_SCRIPT_SPEAK, "Make character say something not written in the message\nSpeak "
                           "UnWritten");
    s.Set(ID_SCRIPT_READ, "Direct character to read the message\nRead Message");
    s.Set(ID_SCRIPT_PLAY, "Direct character to perform an animation\nDo Animation");
    s.Set(ID_SCRIPT_MOVE, "Move character around the screen\nMove Character");
    s.Set(ID_SCRIPT_PREVIEW, "Preview Parlino before sending\nPreview Parlino");
    s.Set(ID_ADVANCED_OPTIONS, "Select infrequently changed options\nChange Advanced Options");
    s.Set(ID_FORMAT_FONT, "Change font style, size, and color\nChange Font");
    s.Set(ID_FORMAT_BOLD, "Makes the text bold (Toggle)\nBold");
    s.Set(ID_FORMAT_ITALIC, "Makes the text italic (Toggle)\nItalic");
    s.Set(ID_FORMAT_UNDERLINE, "Formats the text with a continuous underline (Toggle)\nUnderline");
    s.Set(ID_PARA_LEFT, "Set paragraph to left justify\nLeft Align");
    s.Set(ID_PARA_CENTER, "Set paragraph to center justify\nCenter Align");
    s.Set(ID_PARA_RIGHT, "Set paragraph to right justify\nRight Align");
    s.Set(ID_DECREASE_INDENT, "Decrease amount of paragraph indentation\nDecrease Indent");
    s.Set(ID_INCREASE_INDENT, "Increase amount of paragraph indentation\nIncrease Indent");
    s.Set(ID_FORMAT_BACKCOLOR, "Change the background color of the Parlino\nChange Back Color");
    s.Set(ID_VIEW_SCRIPTBAR, "Show or hide the script bar\nToggle ScriptBar");
    s.Set(ID_EDIT_HTML, "Edit the HTML source code");
    s.Set(ID_HELP_HTML, "Display help in a browser\nStart Help");
    s.Set(ID_SPELL_CHECK, "Underline misspelled words as you type\nCheck Spelling");
    for (UINT nID = ID_SPELL_LANGUAGE_FIRST; nID <= ID_SPELL_LANGUAGE_LAST; ++nID)
        s.Set(nID, "Check spelling in this language\nSpelling Language");
    for (UINT nID = ID_SPELL_SUGGESTION_FIRST; nID <= ID_SPELL_SUGGESTION_LAST; ++nID)
        s.Set(nID, "Replace the misspelled word with this spelling");
    s.Set(ID_SPELL_ADD_WORD, "Add the word to your own dictionary\nAdd to Dictionary");
    s.Set(ID_SPELL_IGNORE_ALL, "Accept the word everywhere in this message\nIgnore All");

    // The script bar's lists.
    s.Set(IDC_CHARACTER_COMBO, "Choose Character\nSelect Character");
    s.Set(IDC_ANIMATION_COMBO, "Choose Animation\nSelect Animation");
    s.Set(IDC_DESTINATION_COMBO, "Choose Destination\nSelect Destination");
}

} // namespace

void RegisterResources(CResourceTables& tables) {
    RegisterStrings(tables.Strings());
    tables.SetMenu(IDR_MAINFRAME, MainMenu());
    tables.SetMenu(IDR_CNTR_INPLACE, InPlaceMenu());
    tables.SetMenu(IDR_CONTEXT_MENU, ContextMenu());
    tables.SetAccelerators(IDR_MAINFRAME, MainAccelerators());
    tables.SetAccelerators(IDR_CNTR_INPLACE, InPlaceAccelerators());
    tables.SetToolBar(IDR_MAINFRAME, MainToolBar());
    tables.SetToolBar(IDW_SCRIPTBAR, ScriptBar());
}
