// The framework's internet helpers (URL parsing).
#pragma once
