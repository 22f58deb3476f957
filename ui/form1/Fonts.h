#pragma once

// The window's two fonts: the face every widget uses but the countdown
// heading, chosen from what this machine has, and the heading's own.

#include <windows.h>

#include <array>
#include <string>

#include "win32/WindowDC.h"

namespace qorvane::ui {

inline constexpr int kFontPoints = 9;
inline constexpr int kHeadingFontPoints = 15;
inline constexpr const wchar_t* kHeadingFontFace = L"宋体-PUA";

// Windows calls it with its own convention (stdcall on x86), which a lambda cannot carry.
inline int CALLBACK noteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Microsoft YaHei UI, else Microsoft YaHei (Windows 7 has only this one),
// else the face Windows uses for its own messages.
inline std::wstring chooseFontFace() {
    const win32::WindowDC screen(nullptr);
    for (const wchar_t* face : std::array{L"Microsoft YaHei UI", L"Microsoft YaHei"}) {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        ::lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
        bool found = false;
        ::EnumFontFamiliesExW(screen.get(), &wanted, noteFontFound, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            return face;
        }
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMessageFont.lfFaceName;
}

inline HFONT makeFont(const wchar_t* face, int points, BYTE charset, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(points, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return ::CreateFontIndirectW(&font);
}

inline HFONT makeWindowFont(const std::wstring& face, UINT dpi) {
    return makeFont(face.c_str(), kFontPoints, DEFAULT_CHARSET, dpi);
}

inline HFONT makeHeadingFont(UINT dpi) { return makeFont(kHeadingFontFace, kHeadingFontPoints, GB2312_CHARSET, dpi); }

}  // namespace qorvane::ui
