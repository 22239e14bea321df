// The steps of the page's show, recorded while the tags are translated into script, for the
// player that the page carries for browsers without the character control. The recorder keeps
// the steps as the JSON text of the page's data object, so a long message costs one pass.
#pragma once

#include "compiler/body_scanner.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CRtfCodePage;

namespace playback {

std::string LanguageTag(const std::string& text);

class Recorder {
public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Starts the steps of a compile: the characters as the page loads them, each placed at its
    // start spot and shown; `width` and `height` are the recipient's screen of the Move spots.
    // `codePage` decodes the 8-bit text (1252 unless the RTF names another).
    void Begin(const std::vector<std::string>& characters, long width, long height, int codePage);
    // The message's language (a tag that LanguageTag accepts), for the page and its voices.
    void SetLanguage(const std::string& tag) { m_language = LanguageTag(tag); }

    // The text that the next translator call gets (a tag or a run) and where it holds
    // characters given by number; the texts that the steps take from it are read in Unicode.
    void SetSource(const std::string* text, const rtf::WideChars* wide);

    void Play(const std::string& name, const std::string& animation);
    void MoveTo(const std::string& name, long x, long y);
    // A spoken text: from a Speak tag, or a run read aloud (`read`). With `wait` the character
    // first waits until the latest stored request was spoken; with `store` this one is stored.
    void Speak(const std::string& name, const std::string& text, bool read, bool wait, bool store);
    void Hide(const std::string& name);

    // Steps other than showing and hiding.
    bool HasActions() const { return m_actions > 0; }
    std::size_t StepCount() const { return m_steps; }

    // The data object:
    // {"w":..,"h":..,"l":language,"c":[[name,x,y],..],"s":[[character,verb,..],..]}; "l" only when
    // the message has a language.
    std::string Json() const;

private:
    int CharacterIndex(const std::string& name) const;
    void StepStart(int character, const char* verb);
    void AppendText(std::string& out, const std::string& text);

    std::vector<std::string> m_names;
    std::unordered_map<std::string, int> m_index; // folded name -> index
    std::string m_characters;
    std::string m_json;
    std::size_t m_steps = 0;
    std::size_t m_actions = 0;
    int m_lastRequest = 0;
    int m_requests = 0;
    long m_width = 640;
    long m_height = 480;
    std::string m_language;
    std::unique_ptr<CRtfCodePage> m_codePage;
    const std::string* m_source = nullptr;
    const rtf::WideChars* m_wide = nullptr;
};

// A language tag as the page names it ("en-US", "pt-BR", "de"): a language of two or three
// letters, then parts of two to eight letters or digits, each after a hyphen (an underscore is
// taken for one, as locales write them). Empty when `text` is no such tag.
std::string LanguageTag(const std::string& text);

// The desktop's language from the locale settings of the environment; empty when they name
// none.
std::string DesktopLanguage();

// The code page that the RTF's header names with \ansicpgN; 1252 when it names none.
int DocumentCodePage(const std::string& rtf);

// Appends `text` (UTF-16) as a JSON string in plain ASCII: quotes, backslashes, "<", ">", "&",
// "'" and every character outside printable ASCII as \uXXXX, so that the string can stand
// inside a script element of any page in any character set.
void AppendJsonString(std::string& out, const std::u16string& text);

} // namespace playback

// The block the page ends with when it plays in browsers without the character control: the
// player, its styles and drawings, and the data of `recorder`. Empty when nothing would play.
std::string PlayerBlock(const playback::Recorder& recorder);
