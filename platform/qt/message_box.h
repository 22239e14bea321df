// The framework's message box: the application's name as caption, buttons and icon from the
// MB_ style, the answer as IDOK, IDCANCEL, IDYES or IDNO. Runs through the modal seam.
#pragma once

#include "platform/afx_ids.h"

#include <string>

int AfxMessageBox(const std::string& text, UINT nType = MB_OK);
// The text of string `nIDPrompt` from the string table.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);
