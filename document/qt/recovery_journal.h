// The journal of a recovery copy: the edits made to the message since the copy was taken, each
// appended as it is made, so that keeping the copy up to date costs in proportion to the edit,
// not to the message. The next start reads the copy and replays the journal over it.
//
// The journal starts with a header that names the copy it follows (its size and a digest of its
// bytes): a journal left beside another copy (the program stopped between writing a new copy
// and starting its journal) is not replayed. Each edit follows as one record with its length in
// front, so a record cut off by a kill is left out and nothing before it is lost. A record holds
// what the document's change notification tells (where, how many characters went) and the text
// that came, with its character and paragraph formats and its pictures, so that replaying it
// gives the same paragraphs and formats.
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace RecoveryJournal {

// The header of a journal that follows the copy `copy`.
QByteArray Header(const QByteArray& copy);

// One change of `document`, as its contentsChange reports it (`position`, `removed`, `added`),
// read from the document once the change is made.
QByteArray Record(const QTextDocument& document, int position, int removed, int added);

// Replays `journal` over `document`, which holds the message read from `copy`. False, with the
// reason, when the journal follows another copy or is no journal; the number of edits replayed
// in `replayed`.
bool Replay(QTextDocument& document, const QByteArray& copy, const QByteArray& journal,
            int& replayed, QString& reason);

} // namespace RecoveryJournal
