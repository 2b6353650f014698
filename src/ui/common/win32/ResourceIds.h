#pragma once

// What corvano.rc puts into the executable; usable from C++ and from the resource compiler.
#define CORVANO_ICON 1
#define CORVANO_BACKGROUND 2
