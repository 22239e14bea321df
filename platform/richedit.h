// The records and messages of the rich-edit control, as the program's code uses them.
// Plain C++: the compiler and the document speak to the control only through IRichEditCtrl,
// so tests can stand in a control that streams a literal RTF text.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using SHORT = std::int16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using BOOL = int;
using COLORREF = std::uint32_t; // 0x00BBGGRR, red in the low byte
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using HRESULT = std::int32_t;

#ifndef TRUE
constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
#endif

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned GetRValue(COLORREF cr) {
    return cr & 0xFFu;
}
constexpr unsigned GetGValue(COLORREF cr) {
    return (cr >> 8) & 0xFFu;
}
constexpr unsigned GetBValue(COLORREF cr) {
    return (cr >> 16) & 0xFFu;
}

// Messages (the control's own numbers).
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_EXGETSEL = 0x0434;
constexpr UINT EM_EXSETSEL = 0x0437;
constexpr UINT EM_GETCHARFORMAT = 0x043A;
constexpr UINT EM_GETPARAFORMAT = 0x043D;
constexpr UINT EM_HIDESELECTION = 0x043F;
constexpr UINT EM_SETBKGNDCOLOR = 0x0443;
constexpr UINT EM_SETCHARFORMAT = 0x0444;
constexpr UINT EM_SETPARAFORMAT = 0x0447;
constexpr UINT EM_STREAMIN = 0x0449;
constexpr UINT EM_STREAMOUT = 0x044A;

// Stream formats.
constexpr WPARAM SF_TEXT = 1;
constexpr WPARAM SF_RTF = 2;

// Character format scopes.
constexpr WPARAM SCF_DEFAULT = 0;
constexpr WPARAM SCF_SELECTION = 1;

// CHARFORMAT mask bits and effects.
constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_STRIKEOUT = 0x00000008;
constexpr DWORD CFM_PROTECTED = 0x00000010;
constexpr DWORD CFM_CHARSET = 0x08000000;
constexpr DWORD CFM_OFFSET = 0x10000000;
constexpr DWORD CFM_FACE = 0x20000000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_SIZE = 0x80000000;

constexpr DWORD CFE_BOLD = 0x00000001;
constexpr DWORD CFE_ITALIC = 0x00000002;
constexpr DWORD CFE_UNDERLINE = 0x00000004;
constexpr DWORD CFE_STRIKEOUT = 0x00000008;
constexpr DWORD CFE_PROTECTED = 0x00000010;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;

// PARAFORMAT mask bits and values.
constexpr DWORD PFM_STARTINDENT = 0x00000001;
constexpr DWORD PFM_RIGHTINDENT = 0x00000002;
constexpr DWORD PFM_OFFSET = 0x00000004;
constexpr DWORD PFM_ALIGNMENT = 0x00000008;
constexpr DWORD PFM_TABSTOPS = 0x00000010;
constexpr DWORD PFM_NUMBERING = 0x00000020;

constexpr WORD PFA_LEFT = 1;
constexpr WORD PFA_RIGHT = 2;
constexpr WORD PFA_CENTER = 3;
constexpr WORD PFA_JUSTIFY = 4;

constexpr int LF_FACESIZE = 32;
constexpr int MAX_TAB_STOPS = 32;

struct CHARFORMAT {
    UINT cbSize;
    DWORD dwMask;
    DWORD dwEffects;
    LONG yHeight; // twips
    LONG yOffset;
    COLORREF crTextColor;
    BYTE bCharSet;
    BYTE bPitchAndFamily;
    char szFaceName[LF_FACESIZE];
};

struct PARAFORMAT {
    UINT cbSize;
    DWORD dwMask;
    WORD wNumbering;
    WORD wReserved;
    LONG dxStartIndent; // twips
    LONG dxRightIndent;
    LONG dxOffset;
    WORD wAlignment;
    SHORT cTabCount;
    LONG rgxTabs[MAX_TAB_STOPS];
};

struct CHARRANGE {
    LONG cpMin;
    LONG cpMax;
};

// The callback receives the chunks of a stream: for a stream-out, pbBuff holds cb bytes and
// *pcb receives how many were taken; for a stream-in, it fills at most cb bytes and sets *pcb.
// A non-zero result ends the stream and is stored in dwError.
using EDITSTREAMCALLBACK = DWORD (*)(DWORD_PTR dwCookie, BYTE* pbBuff, LONG cb, LONG* pcb);

struct EDITSTREAM {
    DWORD_PTR dwCookie;
    DWORD dwError;
    EDITSTREAMCALLBACK pfnCallback;
};

// The control as the program sees it: one entry point taking the control's messages.
//   EM_EXGETSEL   lParam: CHARRANGE*            EM_EXSETSEL  lParam: CHARRANGE*
//   EM_REPLACESEL wParam: undo allowed, lParam: const char* (Windows-1252, NUL-terminated)
//   EM_HIDESELECTION wParam: 1 hide / 0 show
//   EM_GETCHARFORMAT / EM_SETCHARFORMAT wParam: SCF_SELECTION or SCF_DEFAULT, lParam: CHARFORMAT*
//   EM_GETPARAFORMAT / EM_SETPARAFORMAT lParam: PARAFORMAT*
//   EM_SETBKGNDCOLOR wParam: 0 = lParam is the colour
//   EM_STREAMOUT / EM_STREAMIN wParam: SF_RTF or SF_TEXT, lParam: EDITSTREAM*
//   EM_GETMODIFY result: modified; EM_SETMODIFY wParam: new state
class IRichEditCtrl {
public:
    virtual ~IRichEditCtrl() = default;
    virtual LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};
