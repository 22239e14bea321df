// Which words of a paragraph the spelling checker looks at. The message text and the text of
// Speak tags are words the reader sees or hears; a tag's character name, its verb, a Play
// animation, a Move destination and the argument of any other verb are commands and are never
// checked, nor are web and mail addresses or words with digits in them.
//
// Tags are found as the compiler finds them: a "<" opens one wherever it stands and the next
// ">" ends it, even paragraphs later, so a paragraph is read in the state the one before it
// ended in (a Speak text of two lines goes on in the next paragraph).
#pragma once

#include <QString>
#include <vector>

// Where a paragraph starts or ends with respect to a tag.
enum class ESpellTagState : int {
    Outside = 0,       // message text
    Name = 1,          // after "<", before the first blank
    Verb = 2,          // after the first blank, before the second
    SpeakText = 3,     // the argument of a Speak tag: checked
    OtherArgument = 4, // the argument of any other verb: not checked
    BrokenVerb = 5,    // a verb that a paragraph mark cut, which can no longer be "Speak"
};
constexpr int kSpellTagStateCount = 6;

struct CSpellWord {
    int start = 0; // in the paragraph's text
    int length = 0;
    bool operator==(const CSpellWord& other) const {
        return start == other.start && length == other.length;
    }
};

// The words of `text` (one paragraph, without its mark) to check, in order, for a paragraph
// that starts in `state`; `state` becomes the state the paragraph ends in.
std::vector<CSpellWord> FindCheckedWords(const QString& text, ESpellTagState& state);
