// The view's Advanced Options command: edits the message's settings and the command colour in
// the options sheet.
#pragma once

class CParlDoc;
class QWidget;

// Shows the sheet on the Defaults page with the document's character location, default
// character and command colour. OK writes back the character location, default character,
// command colour, background picture, the recipient's agent flag and screen size, and marks
// the document modified when one of them changed; anything else leaves the document untouched. A
// resolution that is not one of the list's entries keeps the document's screen size.
void ShowAdvancedOptions(CParlDoc& doc, QWidget* parent);
