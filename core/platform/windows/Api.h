#pragma once

// The Windows API. Its parts (bcrypt.h, setupapi.h, shlobj.h and the rest) need its
// types, so every Windows source includes it through this header, which sorts before
// them.
#include <windows.h>
