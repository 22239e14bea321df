#include "view/spell_words.h"

namespace {

bool IsApostrophe(QChar c) {
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c.isMark();
}

// A run without blanks that is a web or mail address as a whole.
bool IsAddress(const QString& text, int start, int end) {
    const QStringView token = QStringView(text).mid(start, end - start);
    return token.contains(QLatin1String("://")) ||
           token.startsWith(QLatin1String("www."), Qt::CaseInsensitive) ||
           token.contains(QLatin1Char('@'));
}

// The words of text[start, end), a stretch that is all checked text.
void AddWords(const QString& text, int start, int end, std::vector<CSpellWord>& words) {
    int i = start;
    while (i < end) {
        // One blank-delimited run at a time, so an address is dropped whole.
        while (i < end && text.at(i).isSpace())
            ++i;
        const int runStart = i;
        while (i < end && !text.at(i).isSpace())
            ++i;
        const int runEnd = i;
        if (runStart == runEnd || IsAddress(text, runStart, runEnd))
            continue;
        int j = runStart;
        while (j < runEnd) {
            if (!IsWordChar(text.at(j))) {
                ++j;
                continue;
            }
            const int wordStart = j;
            bool digit = false;
            for (;;) {
                while (j < runEnd && IsWordChar(text.at(j))) {
                    digit = digit || text.at(j).isDigit();
                    ++j;
                }
                // An apostrophe between letters belongs to the word (don't, o'clock).
                if (j + 1 < runEnd && IsApostrophe(text.at(j)) && IsWordChar(text.at(j + 1))) {
                    ++j;
                    continue;
                }
                break;
            }
            if (!digit)
                words.push_back({wordStart, j - wordStart});
        }
    }
}

} // namespace

std::vector<CSpellWord> FindCheckedWords(const QString& text, ESpellTagState& state) {
    std::vector<CSpellWord> words;
    const int n = static_cast<int>(text.size());
    int checkedFrom =
        state == ESpellTagState::Outside || state == ESpellTagState::SpeakText ? 0 : -1;
    int verbStart = 0;
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        switch (state) {
        case ESpellTagState::Outside:
            if (c == QLatin1Char('<')) {
                AddWords(text, checkedFrom, i, words);
                checkedFrom = -1;
                state = ESpellTagState::Name;
            }
            break;
        case ESpellTagState::Name:
            if (c == QLatin1Char(' ')) {
                state = ESpellTagState::Verb;
                verbStart = i + 1;
            } else if (c == QLatin1Char('>')) {
                state = ESpellTagState::Outside;
                checkedFrom = i + 1;
            }
            break;
        case ESpellTagState::Verb:
        case ESpellTagState::BrokenVerb:
            if (c == QLatin1Char(' ')) {
                // Verbs compare exactly, as the compiler compares them.
                const bool speak =
                    state == ESpellTagState::Verb &&
                    QStringView(text).mid(verbStart, i - verbStart) == QLatin1String("Speak");
                state = speak ? ESpellTagState::SpeakText : ESpellTagState::OtherArgument;
                if (speak)
                    checkedFrom = i + 1;
            } else if (c == QLatin1Char('>')) {
                state = ESpellTagState::Outside;
                checkedFrom = i + 1;
            }
            break;
        case ESpellTagState::SpeakText:
            if (c == QLatin1Char('>')) {
                AddWords(text, checkedFrom, i, words);
                state = ESpellTagState::Outside;
                checkedFrom = i + 1;
            }
            break;
        case ESpellTagState::OtherArgument:
            if (c == QLatin1Char('>')) {
                state = ESpellTagState::Outside;
                checkedFrom = i + 1;
            }
            break;
        }
    }
    if (checkedFrom >= 0 &&
        (state == ESpellTagState::Outside || state == ESpellTagState::SpeakText))
        AddWords(text, checkedFrom, n, words);
    // The paragraph mark is part of a verb it cuts: that verb is no longer "Speak".
    if (state == ESpellTagState::Verb)
        state = ESpellTagState::BrokenVerb;
    return words;
}
