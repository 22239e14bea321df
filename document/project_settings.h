// The message's settings inside a project file. They travel in one group that other RTF readers
// skip, "{\*\parlinosettings{\key value}...}", right after the header's tables, so a project
// stays plain RTF that any writer can open, and the compiler, which reads the text from the
// editor, never sees the group.
#pragma once

#include <string>
#include <string_view>

class CParlDoc;

class CProjectSettings {
public:
    // The destination word of the group.
    static constexpr std::string_view kGroupWord = "parlinosettings";

    // The group holding every setting of the document, in a fixed order.
    static std::string Group(const CParlDoc& doc);

    // Puts the document's group into a project's RTF right after the last group of its header
    // (the colour table, as the editor writes it). Text that is no RTF is left as it is.
    static void Insert(std::string& rtf, const CParlDoc& doc);

    // Reads the settings group of a project's header into the document. Settings that the group
    // does not hold, or holds in a form the document cannot take, keep the document's values,
    // so a file without the group (an older project, another program's file) changes nothing.
    // Returns whether the header had the group.
    static bool Read(std::string_view rtf, CParlDoc& doc);
};
