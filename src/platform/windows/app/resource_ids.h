// Resource identifiers shared by the resource script and the code; plain macros, since
// the resource compiler reads only the preprocessor.
#pragma once

// The first icon of the file, so Explorer, the taskbar and shortcuts show it.
#define NUMVORA_ICON_ID 1
// The process's application manifest (CREATEPROCESS_MANIFEST_RESOURCE_ID).
#define NUMVORA_MANIFEST_ID 1
