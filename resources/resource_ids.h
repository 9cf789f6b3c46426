// Resource identifiers shared by Tarnwick.rc and the program.
#pragma once

#define IDI_TARNWICK 1        // the application icon (first icon group)
#define IDC_LINK_POINTER 101  // Label6's arrow pointer
