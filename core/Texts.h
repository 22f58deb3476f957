#pragma once

// Every text the user can see, in one place. The punctuation is full-width
// on purpose (U+FF1A colon, U+FF01 exclamation mark, U+FF08/U+FF09 brackets).

#include <string>
#include <string_view>

namespace qorvane::texts {

inline constexpr std::wstring_view kWindowCaption = L"Qorvane定时关机V1.0";

inline constexpr std::wstring_view kPrompt = L"请选择计算机将要执行的操作：";
inline constexpr std::wstring_view kHours = L"小时";
inline constexpr std::wstring_view kMinutes = L"分钟";
inline constexpr std::wstring_view kExecute = L"执行";
inline constexpr std::wstring_view kCancelTask = L"取消任务";
inline constexpr std::wstring_view kHide = L"隐藏";
inline constexpr std::wstring_view kBy = L"By:";
inline constexpr std::wstring_view kMaker = L"Tovric";
inline constexpr std::wstring_view kContact = L"Email: tv@example.com";
inline constexpr std::wstring_view kCreditLink = L"https://tovric.example.com/";

inline constexpr std::wstring_view kTitleAttention = L"注意";
inline constexpr std::wstring_view kTitleSystemNotice = L"系统提示";

inline constexpr std::wstring_view kAlreadyRunning = L"该程序已经处于运行状态";
inline constexpr std::wstring_view kChooseAction = L"请选择操作类型！";
inline constexpr std::wstring_view kSetTime = L"请设置时间！";
inline constexpr std::wstring_view kInvalidTime = L"请输入有效的时间（最多546小时7分钟）！";
inline constexpr std::wstring_view kInBackground = L"程序已转到后台运行，按Ctrl+F12即可回到程序！";

// "无法执行关机操作！" and its siblings, named after the action's list entry.
inline std::wstring launchFailed(std::wstring_view actionEntry) {
    return std::wstring(L"无法执行").append(actionEntry).append(L"操作！");
}

}  // namespace qorvane::texts
