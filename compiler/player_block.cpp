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
    const std::string data = recorder.Json();
    std::u16string style;
    for (const char* p = player::kStyle; *p != '\0'; ++p)
        style += static_cast<char16_t>(static_cast<unsigned char>(*p));

    std::string block;
    block.reserve(std::strlen(player::kScript) + style.size() + data.size() + 96);
    block += "<SCRIPT>\r\n(function () {\r\n";
    block += player::kScript;
    block += "parlinoPlayer(";
    block += data;
    block += ",\r\n";
    playback::AppendJsonString(block, style);
    block += ");\r\n})();\r\n</SCRIPT>\r\n";
    return block;
}
