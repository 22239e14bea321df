// Whole-file reads and all-or-nothing writes of documents, with the system's reason for a
// failure in plain words.
#pragma once

#include <QByteArray>
#include <QString>

// Fails for a missing path, a folder or another non-regular file, and an unreadable file.
bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& reason);
// Writes into a temporary file beside `path` and renames it over the old file only when every
// byte was written, so on failure the old file is left exactly as it was.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& reason);
