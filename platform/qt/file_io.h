// Whole-file reads and all-or-nothing writes of documents, with the system's reason for a
// failure in plain words.
#pragma once

#include <QByteArray>
#include <QString>

// Fails for a missing path, a folder or another non-regular file, and an unreadable file.
bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& reason);
// For files of the user's data folder, where anything may have been planted: opens `path`
// without following a link and without waiting (a FIFO), and reads it only when it is a regular
// file of at most `maxBytes`. `missing` tells a path with nothing there from one refused.
bool ReadPlainFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString& reason,
                   bool* missing = nullptr);
// Whether something other than a regular file (a link, a FIFO, a device, a folder) or a file
// larger than `maxBytes` is at `path` (the link itself is looked at, not what it points to).
bool IsPlantedFile(const QString& path, qint64 maxBytes);
// Writes into a temporary file beside `path` and renames it over the old file only when every
// byte was written, so on failure the old file is left exactly as it was.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& reason);
