// Opening a project for the command-line compile: the file is read as File Open reads it, through
// the rich-edit control's RTF reader, into a view that needs no window on screen.
#pragma once

#include "app/compile_command.h"

class CRichEditView;

// The loader reads into `view`, which must outlive every document the loader is given.
ProjectLoader MakeProjectLoader(CRichEditView& view);
