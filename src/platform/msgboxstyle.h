#pragma once

// The message-box style and answer codes every caller uses. Styles add up:
// buttons + icon + modality.
namespace MsgStyle {
constexpr int OkOnly = 0;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int SystemModal = 4096;
constexpr int ButtonMask = 7;
constexpr int IconMask = 0x70;
} // namespace MsgStyle

namespace MsgReply {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Retry = 4;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MsgReply
