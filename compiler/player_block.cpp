// The block after the classic page: one script element with the player, its styles and the
// steps that the translator recorded.
#include "compiler/playback.h"
#include "compiler/player_assets.h"

#include <cstring>
#include <string>

std::string PlayerBlock(const playback::Recorder& recorder) {
    // A message without any character step has no show to play and gets no block.
    if (!recorder.HasActions())
        return {};
    // The styles go to the player as one string, written once.
    static const std::string style = [] {
        std::u16string text;
        for (const char* p = player::kStyle; *p != '\0'; ++p)
            text += static_cast<char16_t>(static_cast<unsigned char>(*p));
        std::string json;
        playback::AppendJsonString(json, text);
        return json;
    }();
    static const std::size_t scriptSize = std::strlen(player::kScript);
    const std::string data = recorder.Json();

    std::string block;
    block.reserve(scriptSize + style.size() + data.size() + 64);
    block += "<SCRIPT>\r\n(function () {\r\n";
    block += player::kScript;
    block += "parlinoPlayer(";
    block += data;
    block += ",\r\n";
    block += style;
    block += ");\r\n})();\r\n</SCRIPT>\r\n";
    return block;
}
