// Handing a file to the user's mail client as the attachment of a new message, by the desktop's
// xdg-email found on the PATH.
#pragma once

#include <QString>
#include <string>

class CMailSender {
public:
    static constexpr const char* kProgram = "xdg-email";

    // Whether xdg-email is on the PATH.
    static bool IsAvailable();
    // Starts `xdg-email --utf8 --body BODY --attach ABSOLUTE_PATH` (no --body for an empty
    // body) without waiting for it. On failure `reason` says why.
    static bool Send(const std::string& path, const QString& body, QString& reason);
};
