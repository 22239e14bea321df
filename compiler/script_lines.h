// Script lines that both the page's start-up code and the tag translation write.
#pragma once

#include "compiler/tag.h"

#include <string>

namespace scriptlines {

// "<name>.MoveTo x, y" and its line end.
inline void AppendMoveTo(std::string& s, const std::string& name, long x, long y) {
    s += name;
    s += ".MoveTo ";
    s += std::to_string(x);
    s += ", ";
    s += std::to_string(y);
    s += "\r\n";
}

// A Speak of `name`. With several characters the request is kept in "<name>Request", first
// waiting on the request before it when `wait` is set, so the characters take turns.
inline void AppendSpeak(std::string& s, const std::string& name, const std::string& text,
                        bool several, bool wait, std::string& requestName) {
    if (several) {
        if (wait) {
            s += name;
            s += ".Wait ";
            s += requestName;
            s += "\r\n";
        }
        s += "Set ";
        s += name;
        s += "Request = ";
        requestName = name + "Request";
    }
    s += name;
    s += ".Speak (\"";
    s += tag::QuoteForScript(text);
    s += "\")\r\n";
}

} // namespace scriptlines
