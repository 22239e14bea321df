// The opening of the page: its head and body tag, and the script that loads, places and shows
// every character of the message.
#include "compiler/html_text.h"
#include "compiler/playback.h"
#include "compiler/script_lines.h"
#include "compiler/tag.h"
#include "document/parl_doc.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kFallbackCharacter = "genie";

std::string HexColor(COLORREF cr) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", GetRValue(cr), GetGValue(cr), GetBValue(cr));
    return hex;
}

// The character set of the page's text, named after the code page of the message's RTF, whose
// bytes the text keeps. Western text keeps the page's old name, which browsers read as 1252.
const char* PageCharset(int codePage) {
    switch (codePage) {
    case 874:
        return "windows-874";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "EUC-KR";
    case 950:
        return "Big5";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    default:
        return "iso-8859-1";
    }
}

} // namespace

void CParlDoc::BeginPage() {
    m_nFontIndex = 0;
    m_nColorIndex = 0;
    m_bParagraphStart = 1;
    m_bReading = 0;
    m_bWaitPending = 0;
    m_strRequestName.clear();

    std::string& body = m_strHtmlBody;
    body.clear();
    // The header is named Content-Type, with its hyphen: browsers pass over any other name and
    // guess the character set instead.
    body += "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html;charset=";
    body += PageCharset(m_nCodePage);
    body += "\"><HTML>\r\n<HEAD>";
    body += "<TITLE>Parlino MultiMedia Email</TITLE></HEAD>\r\n";
    body += "<BODY BGCOLOR=#";
    body += HexColor(m_crBackground);
    // A script address or another scheme never reaches the page, however the setting got here.
    if (!m_strBackgroundPicture.empty() && tag::IsPictureLocation(m_strBackgroundPicture)) {
        body += " BACKGROUND=";
        body += html::AttributeValue(m_strBackgroundPicture);
    }
    body += ">\r\n";
    if (m_bRecipientHasAgent) {
        body += "<OBJECT ID=\"AgentControl\" width=0 height=0 ";
        body += "CLASSID=\"CLSID:F5BE8BD2-7DE6-11D0-91FE-00C04FD701A5\" ";
        body += "CODEBASE=\"";
        body += AGENT_CONTROL_CODEBASE;
        body += " #VERSION=1,5,0,0\">";
        body += "</OBJECT>";
    }

    std::string& script = m_strScript;
    script.clear();
    script += "</BODY>\r\n";
    // A default character the script cannot use as a name would stop the whole script, so
    // such a setting, whatever it came from, falls back to the first default.
    if (!tag::IsScriptName(m_strDefaultCharacter))
        m_strDefaultCharacter = kFallbackCharacter;
    if (m_arrCharacters.empty()) {
        m_arrCharacters.push_back(m_strDefaultCharacter);
        m_bReading = 1;
    }
    if (m_bRecipientHasAgent) {
        script += "<SCRIPT LANGUAGE = VBScript>\r\n<!---\r\nAgentControl.Connected=True\r\n";
    } else {
        script += "<SCRIPT LANGUAGE = VBScript>\r\n<!---\r\nDim AgentControl\r\nOn Error Resume "
                  "Next\r\nSet AgentControl = CreateObject(\"Agent.Control.1\")\r\nIf "
                  "IsObject(AgentControl) Then\r\n  AgentControl.Connected = True\r\n";
    }

    const bool several = m_arrCharacters.size() > 1;
    const bool defaultBase = m_strCharacterLocation == DEFAULT_CHARACTER_BASE;
    const std::string location = tag::QuoteForScript(m_strCharacterLocation);
    for (std::size_t i = 0; i < m_arrCharacters.size(); ++i) {
        const std::string& n = m_arrCharacters[i];
        const long long x = 10 + 126 * static_cast<long long>(i);
        const long long y = 10 + 20 * static_cast<long long>(i);
        script += "  Dim ";
        script += n;
        if (several) {
            script += "\r\n  Dim ";
            script += n;
            script += "Request";
        }
        script += "\r\n  On Error Resume Next\r\n";
        script += "  AgentControl.Characters.Load \"";
        script += n;
        script += "\", \"C:\\Program Files\\Microsoft Agent\\characters\\";
        script += n;
        script += ".acs\"\r\n";
        script += "  If err.number <> 0 Then\r\n    window.status = \"Loading character\"\r\n";
        script += "    document.write(\"For better response and to read Parlinos offline, please "
                  "install character files in ";
        script += "the C:\\Program Files\\Microsoft Agent\\characters\\ directory.  You may "
                  "download Microsoft characters from ";
        script += CHARACTER_DOWNLOAD_PAGE;
        script += "\")\r\n";
        script += "    AgentControl.Characters.Load \"";
        script += n;
        script += "\", \"";
        script += location;
        if (defaultBase) {
            script += n;
            script += "/";
        }
        script += n;
        script += ".acf\"\r\n  End If\r\n";
        script += "  set ";
        script += n;
        script += "= AgentControl.Characters (\"";
        script += n;
        script += "\")\r\n  window.status = \"Loading main animations\"\r\n";
        script += n;
        script += ".Get \"state\", \"Showing\"\r\n";
        script += n;
        script += ".Get \"state\", \"Speaking\"\r\n";
        scriptlines::AppendMoveTo(script, n, x, y);
        script += n;
        script += ".Show\r\n";
    }
}
