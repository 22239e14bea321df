// Identifiers of the program's resources and commands: menus, accelerator tables, toolbars,
// bitmaps, dialogs and their controls, strings. The framework's own identifiers are in
// platform/afx_ids.h.
#pragma once

#include "platform/afx_ids.h"

// Menus, accelerators, toolbars, icons and strings bound together.
constexpr UINT IDR_MAINFRAME = 128;    // main menu, accelerators, toolbar, icon, document string
constexpr UINT IDR_CNTR_INPLACE = 6;   // menu and accelerators while an object is active in place
constexpr UINT IDR_CONTEXT_MENU = 141; // the editor's right-click menu

// Bitmaps of button images, 16 by 15 pixels each.
constexpr UINT IDB_MAINFRAME = 128;
constexpr UINT IDB_SCRIPTBAR = 134;

// Dialogs and their controls.
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_SPEAK = 135;
constexpr UINT IDD_EDIT_HTML = 136;
constexpr UINT IDD_LOCATIONS = 138;
constexpr UINT IDD_DEFAULTS = 139;
constexpr UINT IDD_COLOR = 140;
constexpr UINT IDC_SPEAK_TEXT = 1000;
constexpr UINT IDC_HTML_EDIT = 1001;
constexpr UINT IDC_CHARACTER_LOCATION = 1002;
constexpr UINT IDC_BACKGROUND_PICTURE = 1003;
constexpr UINT IDC_DEFAULT_CHARACTER = 1004;
constexpr UINT IDC_RESOLUTION = 1006;
constexpr UINT IDC_CHANGE_COLOR = 1008;
constexpr UINT IDC_RECIPIENT_HAS_AGENT = 1009;
constexpr UINT IDC_PLAY_IN_BROWSERS = 1010;
constexpr UINT IDC_MESSAGE_LANGUAGE = 1011;

// Commands of the program.
constexpr UINT ID_CANCEL_EDIT_CNTR = 32768; // Escape; no command of the program handles it
constexpr UINT ID_SCRIPT_SPEAK = 32774;
constexpr UINT ID_SCRIPT_READ = 32775;
constexpr UINT ID_SCRIPT_PLAY = 32776;
constexpr UINT ID_SCRIPT_MOVE = 32777;
constexpr UINT ID_SCRIPT_PREVIEW = 32779;
constexpr UINT ID_ADVANCED_OPTIONS = 32780;
constexpr UINT ID_FORMAT_BOLD = 32781;
constexpr UINT ID_FORMAT_ITALIC = 32782;
constexpr UINT ID_FORMAT_UNDERLINE = 32783;
constexpr UINT ID_FORMAT_FONT = 32784;
constexpr UINT ID_DECREASE_INDENT = 32787;
constexpr UINT ID_INCREASE_INDENT = 32788;
constexpr UINT ID_PARA_LEFT = 32789;
constexpr UINT ID_PARA_CENTER = 32790;
constexpr UINT ID_PARA_RIGHT = 32791; // a prompt only: there is no right-align command
constexpr UINT ID_FORMAT_BACKCOLOR = 32792;
constexpr UINT ID_VIEW_SCRIPTBAR = 32804;
constexpr UINT ID_EDIT_HTML = 32805;
constexpr UINT ID_HELP_HTML = 32806;

// Spelling: the Edit menu's Spelling entries and the context menu's corrections. The
// suggestions and the languages take ranges, filled in when their menus are shown.
constexpr UINT ID_SPELL_CHECK = 32900;
constexpr UINT ID_SPELL_ADD_WORD = 32901;
constexpr UINT ID_SPELL_IGNORE_ALL = 32902;
constexpr UINT ID_SPELL_NO_SUGGESTIONS = 32903; // no handler: always greyed
constexpr UINT ID_SPELL_SUGGESTION_FIRST = 32904;
constexpr UINT ID_SPELL_SUGGESTION_LAST = 32908;
constexpr UINT ID_SPELL_LANGUAGE_FIRST = 32910;
constexpr UINT ID_SPELL_LANGUAGE_LAST = 32941;

// Standard commands of the rich-edit view and the frame that only the tables name.
constexpr UINT ID_OLE_EDIT_PROPERTIES = 57860;

// The script bar and its lists.
constexpr UINT IDW_SCRIPTBAR = 61204;
constexpr UINT IDC_CHARACTER_COMBO = 61205;
constexpr UINT IDC_ANIMATION_COMBO = 61206;
constexpr UINT IDC_DESTINATION_COMBO = 61207;

// Strings.
constexpr UINT IDP_OLE_INIT_FAILED = 100;
constexpr UINT IDP_SOCKETS_INIT_FAILED = 104;
constexpr UINT IDS_LIST_FONT = 61211;
