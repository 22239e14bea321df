// What an update handler is given: the command it decides for, and the states it may set. The
// frame collects them and applies them to the command's one action (menu entry and button).
#pragma once

#include "platform/richedit.h"

#include <optional>
#include <string>

class CCmdUI {
public:
    explicit CCmdUI(UINT nID) : m_nID(nID) {}
    virtual ~CCmdUI() = default;

    void Enable(BOOL bOn = TRUE) { m_enabled = bOn != FALSE; }
    // 0 unchecked, 1 checked (2, indeterminate, shows as checked).
    void SetCheck(int nCheck = 1) { m_check = nCheck; }
    void SetText(const std::string& text) { m_text = text; }
    // Shows or hides the entry (the framework's send and recent-file entries disappear).
    void Show(BOOL bShow = TRUE) { m_visible = bShow != FALSE; }

    // Set by the frame once a target's update handler has decided.
    bool m_bHandled = false;

    // What the handlers set; empty when none set it.
    const std::optional<bool>& Enabled() const { return m_enabled; }
    const std::optional<int>& Check() const { return m_check; }
    const std::optional<std::string>& Text() const { return m_text; }
    const std::optional<bool>& Visible() const { return m_visible; }

    const UINT m_nID;

private:
    std::optional<bool> m_enabled;
    std::optional<int> m_check;
    std::optional<std::string> m_text;
    std::optional<bool> m_visible;
};
