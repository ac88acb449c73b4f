// Resources of rimforge.rc that the host loads by number.
#pragma once

#define RIMFORGE_PROGRAM_ICON 102
#define RIMFORGE_LOGO_BITMAP 104
