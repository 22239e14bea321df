// Command tags, and in reading mode the text runs, into the lines of the page's script.
#include "compiler/script_lines.h"
#include "compiler/tag.h"
#include "document/parl_doc.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

// Screen coordinates of a destination's column and row; false for an unknown destination.
bool Destination(const std::string& where, LONG width, LONG height, LONG& x, LONG& y) {
    static const char* const kRows[] = {"Upper", "Middle", "Lower"};
    static const char* const kColumns[] = {"Left", "Center", "Right"};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (where == std::string(kRows[row]) + " " + kColumns[column]) {
                // The screen size comes from the settings, which a project file can hold at any
                // value: the arithmetic is done wide and the spot kept within the script's range.
                const auto spot = [](long long v) {
                    return static_cast<LONG>(std::clamp<long long>(
                        v, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
                };
                const LONG xs[] = {10, spot(width / 2 - 63LL), spot(width - 138LL)};
                const LONG ys[] = {10, spot(height / 2 - 63LL), spot(height - 138LL)};
                x = xs[column];
                y = ys[row];
                return true;
            }
        }
    }
    return false;
}

} // namespace

void CParlDoc::TranslateToScript(int bTag, std::string strText) {
    std::string& s = m_strScript;
    const bool several = m_arrCharacters.size() > 1;

    if (!bTag) {
        if (!m_bReading)
            return;
        // A Read tag after the first waits for the speech before it once.
        const bool wait = several && !m_strRequestName.empty() && m_bWaitPending;
        if (wait)
            m_bWaitPending = 0;
        m_playback.Speak(m_strDefaultCharacter, strText, true, wait, several);
        scriptlines::AppendSpeak(s, m_strDefaultCharacter, strText, several, wait,
                                 m_strRequestName);
        return;
    }

    if (strText == "<DONE>") {
        for (const std::string& n : m_arrCharacters) {
            s += n;
            s += ".Hide\r\n";
            m_playback.Hide(n);
        }
        if (!m_bRecipientHasAgent) {
            s += "Else\r\n  document.write(\"This is an <B>Parlino</B> multimedia email.  If you "
                 "would like to experience this email, rather than just read it -- inquire about "
                 "<B>Parlino</B> and Microsoft Agent.\")\r\nEnd If\r\n";
        }
        s += "-->\r\n";
        s += "</SCRIPT>\r\n";
        s += "</HTML>\r\n";
        return;
    }

    const tag::Parts t = tag::Split(strText);
    // A name the script cannot use would break the whole script: such a tag does nothing.
    if (!tag::IsScriptName(t.name))
        return;
    const std::string& n = t.name;
    if (t.verb == "Play") {
        const std::string animation = tag::QuoteForScript(t.argument);
        s += "window.status = \"Loading animation\"\r\n";
        s += n;
        s += ".Get \"animation\", \"";
        s += animation;
        s += "\"\r\n";
        s += n;
        s += ".Play \"";
        s += animation;
        s += "\"\r\n";
        m_playback.Play(n, t.argument);
    } else if (t.verb == "Move") {
        LONG x = 0;
        LONG y = 0;
        if (!Destination(t.argument, m_nScreenWidth, m_nScreenHeight, x, y))
            return;
        s += "window.status = \"Loading animation\"\r\n";
        s += n;
        s += ".Get \"state\", \"Moving\"\r\n";
        scriptlines::AppendMoveTo(s, n, x, y);
        m_playback.MoveTo(n, x, y);
    } else if (t.verb == "Read") {
        if (!m_bReading)
            m_bReading = 1;
        else
            m_bWaitPending = 1;
        m_strDefaultCharacter = n;
    } else if (t.verb == "Speak") {
        m_playback.Speak(n, t.argument, false, several && !m_strRequestName.empty(), several);
        scriptlines::AppendSpeak(s, n, t.argument, several, !m_strRequestName.empty(),
                                 m_strRequestName);
    }
}
