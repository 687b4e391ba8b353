// Empties the system's URL cache, keeping every entry whose URL contains
// "cookie"; false when a buffer cannot be allocated.
#pragma once

bool ClearBrowserCache();
