// One text run into the HTML half of the page, opening its paragraph when it is the first.
#include "compiler/html_text.h"
#include "document/parl_doc.h"

#include <string>

namespace {

const std::string& Lookup(const std::vector<std::string>& table, LONG index,
                          const std::string& missing) {
    if (index >= 0 && static_cast<std::size_t>(index) < table.size())
        return table[static_cast<std::size_t>(index)];
    return missing;
}

} // namespace

void CParlDoc::AppendHtmlRun(std::string strText, int bCentred, int bBold, int bItalic,
                             int bUnderline, int bChanged) {
    static const std::string kBlack = "000000";
    static const std::string kNoFace;
    // A number outside the tables never reads outside them: black, and the face of font 0.
    const std::string& face =
        Lookup(m_arrFonts, m_nFontIndex, m_arrFonts.empty() ? kNoFace : m_arrFonts[0]);
    const std::string& color = Lookup(m_arrColors, m_nColorIndex, kBlack);
    auto appendFontTag = [&] {
        m_strHtmlBody += "<FONT color=";
        m_strHtmlBody += color;
        m_strHtmlBody += " face=\"";
        m_strHtmlBody += html::InQuotes(face);
        m_strHtmlBody += "\" size=";
        m_strHtmlBody += std::to_string(m_nFontSize);
        m_strHtmlBody += ">";
    };

    if (m_bParagraphStart) {
        m_strHtmlBody += "<DIV";
        if (m_nIndent != 0) {
            m_strHtmlBody += " STYLE=\"position:relative;left:";
            m_strHtmlBody += std::to_string(m_nIndent);
            m_strHtmlBody += "\">";
            m_strParagraphClose += "</STYLE>";
        } else {
            m_strHtmlBody += ">";
        }
        appendFontTag();
        if (bCentred) {
            m_strHtmlBody += "<CENTER>";
            m_strParagraphClose += "</CENTER>";
        }
        m_strParagraphClose += "</FONT>";
        m_bParagraphStart = 0;
    } else if (bChanged) {
        m_strHtmlBody += "</FONT>";
        appendFontTag();
    }
    if (bBold) {
        m_strHtmlBody += "<B>";
        m_strRunClose += "</B>";
    }
    if (bItalic) {
        m_strHtmlBody += "<I>";
        m_strRunClose += "</I>";
    }
    if (bUnderline) {
        m_strHtmlBody += "<U>";
        m_strRunClose += "</U>";
    }
    m_strHtmlBody += strText;
    m_strHtmlBody += m_strRunClose;
    m_strRunClose.clear();
}
