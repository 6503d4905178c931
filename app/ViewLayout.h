#pragma once
// Where the main view puts its buttons, lines and pages, and what the buttons say.

#include "res/ViewControls.h"

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>

namespace tonel::view {

inline constexpr QSize kSize{1024, 690};  // the pages end at y 682
inline constexpr QPoint kPageOrigin{3, 90};

struct ButtonSpec {
    int id;
    const char* caption;  // UTF-8
    QRect rect;
};

// Command buttons 162 wide, 168 apart; page buttons 250 wide, 256 apart, the last 235 wide.
inline const std::array<ButtonSpec, 6> kCommandButtons{{
    {res::view::OpenFileButton, "打开配置文件", QRect(4, 10, 162, 30)},
    {res::view::SaveFileButton, "保存配置文件", QRect(172, 10, 162, 30)},
    {res::view::ReadButton, "从设备读取", QRect(340, 10, 162, 30)},
    {res::view::WriteButton, "向设备写配置", QRect(508, 10, 162, 30)},
    {res::view::ModeButton, "简易模式", QRect(676, 10, 162, 30)},
    {res::view::DisconnectButton, "断开联接", QRect(844, 10, 162, 30)},
}};
inline const std::array<ButtonSpec, 4> kPageButtons{{
    {res::view::EffectPageButton, "效果", QRect(4, 50, 250, 30)},
    {res::view::MicrophonePageButton, "话筒", QRect(260, 50, 250, 30)},
    {res::view::MusicPageButton, "音乐", QRect(516, 50, 250, 30)},
    {res::view::SystemPageButton, "系统", QRect(772, 50, 235, 30)},
}};

inline const QColor kSelectedFace{192, 192, 0};
inline const QColor kSelectedText{0, 0, 255};
inline const QColor kUnselectedFace{100, 100, 100};
inline const QColor kUnselectedText{255, 255, 255};

inline const QColor kBackground{0, 0, 0};
inline const QColor kFrameLine{0, 255, 0};     // 1 pixel
inline const QColor kDividerLine{255, 255, 0};  // 2 pixels
inline constexpr std::array<int, 3> kFrameLineYs{5, 45, 85};  // above, between and below the button rows
inline constexpr std::array<int, 2> kFrameLineXs{0, 1012};
inline constexpr std::array<int, 5> kCommandDividerXs{169, 337, 505, 673, 841};
inline constexpr std::array<int, 3> kPageDividerXs{257, 513, 769};

}  // namespace tonel::view
