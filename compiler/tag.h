// Command tags: "<", a character name, a blank, a verb, for all verbs but Read a blank and an
// argument, ">".
#pragma once

#include <string>

namespace tag {

struct Parts {
    std::string name;
    std::string verb;
    std::string argument;
};

// Splits the tag's inner text (brackets dropped when present) at its first two blanks; blanks
// after the verb belong to the argument. A tag without a blank has an empty name and its whole
// inner text as the verb.
Parts Split(const std::string& tagText);

// The name part alone, as Split gives it, without building the other two.
std::string NameOf(const std::string& tagText);

// A name the script can use as a variable: a letter, then letters, digits or underscores, at
// most 248 of them (the name followed by "Request" is a variable too). Words of the script
// language, the names the page's script uses itself (window, document, AgentControl ...), the
// properties and methods of the page's window (navigator, location, top, status, name, alert ...)
// and names ending in "request" are not script names, in any letter case. The one test of
// character names: tags, the default character and the command line all use it.
bool IsScriptName(const std::string& name);

// A location the page may take its background picture from: a relative path, a drive path, or
// an address that begins with http:, https:, file: or data:image/ (in any letter case). Script
// addresses (javascript:, vbscript: ...), other schemes, addresses of another host without a
// scheme (//host, \\host) and control bytes are refused. Empty, for no picture, is allowed. The
// one test of the background picture: the options sheet, the command line, a project's settings
// and the page all use it.
bool IsPictureLocation(const std::string& location);

// The script language ignores letter case, so names are compared without it.
bool SameName(const std::string& a, const std::string& b);

// Text placed inside a quoted script string: every double quote doubled, every byte below 32 a
// blank, and every "</" written as <" & "/ (the string closed after the "<" and joined to one
// that starts with the "/"), so that the browser never sees the script element end inside it.
// Text without any of these comes back unchanged.
std::string QuoteForScript(const std::string& text);

} // namespace tag
