// The program's resource tables: every menu, accelerator table, toolbar and string. The
// application registers them at start-up; tests register them into the same tables.
#pragma once

#include "platform/resource_tables.h"
#include "res/resource.h"

// Fills `tables` (the running program's by default) with the program's resources, replacing
// any table of the same identifier.
void RegisterResources(CResourceTables& tables = CResourceTables::App());
