#pragma once

// Shared by the resource script and the code.
#define QORVANE_APP_ICON_ID 1

#ifdef __cplusplus
namespace qorvane::ui {
inline constexpr int kAppIconId = QORVANE_APP_ICON_ID;
}
#endif
