#pragma once

// Resource numbers shared by the resource script and the code that loads them. The resource
// compiler reads this file too, so it holds plain defines only.
#define QUINTOZ_ICON_ID 1
#define QUINTOZ_ROLL_SOUND_ID 101
#define QUINTOZ_INPUT_BOX_ID 200
#define QUINTOZ_PROMPT_ID 201
#define QUINTOZ_EDIT_ID 202

#ifdef __cplusplus
namespace win32 {
inline constexpr int kIconId = QUINTOZ_ICON_ID;
inline constexpr int kRollSoundId = QUINTOZ_ROLL_SOUND_ID;
inline constexpr int kInputBoxId = QUINTOZ_INPUT_BOX_ID;
inline constexpr int kPromptId = QUINTOZ_PROMPT_ID;
inline constexpr int kEditId = QUINTOZ_EDIT_ID;
}  // namespace win32
#endif
