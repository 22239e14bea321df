// The system measures the program asks for.
#pragma once

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_DBCSENABLED = 42;

// SM_CYFULLSCREEN: the height of the primary screen's area left free by panels and task bars.
// SM_DBCSENABLED: 0, the program's text is never in a double-byte code page. Unknown: 0.
int GetSystemMetrics(int nIndex);

// For tests: GetSystemMetrics(nIndex) gives `value` until the overrides are cleared.
void SetSystemMetricOverride(int nIndex, int value);
void ClearSystemMetricOverrides();
