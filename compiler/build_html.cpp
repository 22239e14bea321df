// The compile: the message's RTF streamed out of the view, its header read, its characters
// collected, and its body walked once into the two halves of the page.
#include "compiler/body_scanner.h"
#include "compiler/rtf_number.h"
#include "compiler/tag.h"
#include "document/parl_doc.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

// Where the text ends: at the first zero byte that is not part of the binary data of a \binN
// word, whose N bytes are data of any value (a picture), or at the end. Only a text that holds
// a zero byte at all is walked.
std::size_t TextEnd(const std::string& rtf) {
    std::size_t i = rtf.find('\0');
    if (i == std::string::npos)
        return rtf.size();
    const std::size_t n = rtf.size();
    for (i = 0; i < n;) {
        i = rtf.find_first_of(std::string_view("\\\0", 2), i);
        if (i == std::string::npos || rtf[i] == '\0')
            return i == std::string::npos ? n : i;
        if (rtf.compare(i, 4, "\\bin") == 0 && i + 4 < n && rtf[i + 4] >= '0' &&
            rtf[i + 4] <= '9') {
            std::size_t j = i + 4;
            while (j < n && rtf[j] >= '0' && rtf[j] <= '9')
                ++j;
            const int count = rtf::ReadNumber(rtf.data() + i + 4, rtf.data() + j);
            if (j < n && rtf[j] == ' ')
                ++j;
            i = j + std::min(static_cast<std::size_t>(count), n - j);
        } else {
            // A backslash and the byte it escapes, unless that byte ends the text.
            i += (i + 1 < n && rtf[i + 1] != '\0') ? 2 : 1;
        }
    }
    return n;
}

// Where the control's chunks go. The buffer starts with room for an ordinary message and grows
// as a longer one arrives, so nothing is ever written past its end.
struct StreamOutRecord {
    std::string* pBuffer;
    std::size_t cbWritten;
    std::size_t cbCapacity;
};

constexpr std::size_t kInitialRtfCapacity = 65000;

// HTML font size (1 to 7) for a size in half-points.
LONG HtmlSize(int halfPoints) {
    if (halfPoints < 20)
        return 1;
    if (halfPoints < 24)
        return 2;
    if (halfPoints < 28)
        return 3;
    if (halfPoints < 36)
        return 4;
    if (halfPoints < 48)
        return 5;
    if (halfPoints < 72)
        return 6;
    return 7;
}

bool WordIs(const char* word, std::size_t n, const char* literal) {
    const std::size_t len = std::strlen(literal);
    return n == len && std::memcmp(word, literal, len) == 0;
}

bool WordStarts(const char* word, std::size_t n, const char* prefix) {
    const std::size_t len = std::strlen(prefix);
    return n >= len && std::memcmp(word, prefix, len) == 0;
}

// Gathers the characters that the tags name, once each, as first spelt.
class CharacterCollector {
public:
    static constexpr bool kCollectsText = false;

    explicit CharacterCollector(std::vector<std::string>& characters) : m_characters(characters) {
        for (const std::string& name : m_characters)
            m_seen.insert(Folded(name));
    }

    void OnRun(std::string&, std::string&) {}
    void OnControlWord(const char*, std::size_t) {}
    void OnTag(std::string& tagText) {
        std::string name = tag::NameOf(tagText);
        if (!tag::IsScriptName(name))
            return;
        if (m_seen.insert(Folded(name)).second)
            m_characters.push_back(std::move(name));
    }

private:
    static std::string Folded(std::string name) {
        for (char& c : name) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return name;
    }

    std::vector<std::string>& m_characters;
    std::unordered_set<std::string> m_seen;
};

} // namespace

// The compile's own pass: runs into the page and the script, control words into formats.
class PageWriter {
public:
    static constexpr bool kCollectsText = true;

    explicit PageWriter(CParlDoc& doc) : m_doc(doc) {}

    void OnRun(std::string& page, std::string& speech) {
        if (m_pendingColor != m_doc.m_nColorIndex) {
            m_doc.m_nColorIndex = m_pendingColor;
            m_changed = 1;
        }
        m_doc.AppendHtmlRun(page, m_centred, m_bold, m_italic, m_underline, m_changed);
        // The translator ignores text while no one reads: spare it the copy of the run. A run
        // of pictures alone has nothing to say.
        if (m_doc.m_bReading && !speech.empty()) {
            m_doc.m_playback.SetSource(&speech, m_wide);
            m_doc.TranslateToScript(0, speech);
            m_doc.m_playback.SetSource(nullptr, nullptr);
        }
        m_wide = nullptr;
    }

    void OnTag(std::string& tagText) {
        // A tag whose name cannot be a script name has no effect, and a typed "<DONE>" is one.
        if (tag::IsScriptName(tag::NameOf(tagText))) {
            m_doc.m_playback.SetSource(&tagText, m_wide);
            m_doc.TranslateToScript(1, tagText);
            m_doc.m_playback.SetSource(nullptr, nullptr);
        }
        m_wide = nullptr;
    }

    // Characters given by number in the coming run or tag, for the player's Unicode text.
    void OnWide(const rtf::WideChars& wide) { m_wide = &wide; }

    void OnControlWord(const char* w, std::size_t n) {
        const char* end = w + n;
        if (WordIs(w, n, "\\pard")) {
            m_centred = 0;
            m_doc.m_nIndent = 0;
        } else if (WordIs(w, n, "\\plain")) {
            m_bold = m_italic = m_underline = m_changed = 0;
        } else if (WordIs(w, n, "\\par")) {
            CloseParagraph();
        } else if (WordStarts(w, n, "\\li")) {
            m_doc.m_nIndent = (rtf::ReadNumber(w + 3, end) / 750) * 50;
        } else if (WordIs(w, n, "\\qc")) {
            m_centred = 1;
        } else if (WordIs(w, n, "\\b")) {
            m_bold = 1;
        } else if (WordIs(w, n, "\\i")) {
            m_italic = 1;
        } else if (WordIs(w, n, "\\ul")) {
            m_underline = 1;
        } else if (WordStarts(w, n, "\\cf")) {
            m_pendingColor = rtf::ReadNumber(w + 3, end);
        } else if (WordStarts(w, n, "\\fs")) {
            const LONG size = HtmlSize(rtf::ReadNumber(w + 3, end));
            if (size != m_doc.m_nFontSize) {
                m_doc.m_nFontSize = size;
                m_changed = 1;
            }
        } else if (WordStarts(w, n, "\\f")) {
            const LONG font = rtf::ReadNumber(w + 2, end);
            if (font != m_doc.m_nFontIndex) {
                m_doc.m_nFontIndex = font;
                m_changed = 1;
            }
        }
    }

private:
    void CloseParagraph() {
        if (m_doc.m_bParagraphStart) {
            m_doc.m_strHtmlBody += "<P></P>";
        } else {
            m_doc.m_strHtmlBody += m_doc.m_strParagraphClose;
            m_doc.m_strHtmlBody += "</DIV>\r\n";
            m_doc.m_strParagraphClose.clear();
            m_doc.m_bParagraphStart = 1;
        }
    }

    CParlDoc& m_doc;
    int m_centred = 0;
    int m_bold = 0;
    int m_italic = 0;
    int m_underline = 0;
    int m_changed = 0;
    LONG m_pendingColor = 0;
    const rtf::WideChars* m_wide = nullptr;
};

DWORD CParlDoc::StreamOutCallback(DWORD_PTR dwCookie, BYTE* pbBuff, LONG cb, LONG* pcb) {
    auto* record = reinterpret_cast<StreamOutRecord*>(dwCookie);
    if (record == nullptr)
        return static_cast<DWORD>(E_FAIL);
    if (cb < 0 || (cb > 0 && pbBuff == nullptr))
        return static_cast<DWORD>(E_FAIL);
    record->pBuffer->append(reinterpret_cast<const char*>(pbBuff), static_cast<std::size_t>(cb));
    record->cbWritten += static_cast<std::size_t>(cb);
    record->cbCapacity = record->pBuffer->capacity();
    if (pcb != nullptr)
        *pcb = cb;
    return 0;
}

void CParlDoc::CollectCharacters() {
    CharacterCollector collector(m_arrCharacters);
    rtf::BodyScanner<CharacterCollector>(m_strRtf, collector).Run();
}

void CParlDoc::BuildHtml() {
    // The last page is replaced whole: let it go before the new one is built beside it.
    std::string().swap(m_strHtml);
    m_strRtf.clear();
    m_strRtf.reserve(kInitialRtfCapacity);
    StreamOutRecord record{&m_strRtf, 0, m_strRtf.capacity()};
    if (IRichEditView* view = GetView()) {
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&record), 0, &CParlDoc::StreamOutCallback};
        view->GetRichEditCtrl().SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    }
    // The text ends at the first zero byte, but a picture's binary data may hold any byte.
    m_strRtf.resize(TextEnd(m_strRtf));

    const int codePage = playback::DocumentCodePage(m_strRtf);
    m_nCodePage = codePage;
    ReadRtfHeader();
    m_arrCharacters.clear();
    CollectCharacters();
    BeginPage();
    m_playback.Begin(m_arrCharacters, m_nScreenWidth, m_nScreenHeight, codePage);
    m_playback.SetLanguage(MessageLanguage());
    // The page text is rarely more than twice as long as the body's RTF: reserve that once
    // instead of doubling. Pages the walk never writes to cost no memory, only address space.
    m_strHtmlBody.reserve(m_strHtmlBody.size() + 2 * m_strRtf.size());
    {
        PageWriter writer(*this);
        rtf::BodyScanner<PageWriter>(m_strRtf, writer).Run();
    }
    TranslateToScript(1, "<DONE>");
    // The HTML half is handed over rather than copied: a large message is not held twice.
    m_strHtml.swap(m_strHtmlBody);
    std::string().swap(m_strHtmlBody);
    // The classic page ends with the script; the player for today's browsers follows it.
    const std::string block = m_bPlayInBrowsers ? PlayerBlock(m_playback) : std::string();
    m_strHtml.reserve(m_strHtml.size() + m_strScript.size() + block.size());
    m_strHtml += m_strScript;
    m_strHtml += block;
}
