// The settings of one preset: a fixed 948-byte record that the built-in tables hold as it is.
// Integers are 32-bit, texts UTF-16 padded with NULs: at most 63 characters and the NUL.
#pragma once
#include <windows.h>
#include <stddef.h>
#include "classlib/CString.h"

const int MEDIA_PRESET_TEXT_SIZE = 64;

// Record flags.
const UINT32 PRESET_CUSTOM = 0x100000;
const UINT32 PRESET_COMPARED_FLAGS = 0x0FFFFFFF;
// Stream flags (video and audio).
const UINT32 PRESET_STREAM_SAME_QUALITY = 0x1;
const UINT32 PRESET_STREAM_OFF = 0x20000000;
const UINT32 PRESET_STREAM_FIXED = 0x40000000;  // the preset dialogs keep its check box disabled

typedef wchar_t MediaPresetText[MEDIA_PRESET_TEXT_SIZE];

struct MediaPresetRecord {
    UINT32 flags;
    MediaPresetText name;
    UINT32 videoFlags;
    MediaPresetText videoCodec;  // codec id, e.g. "VC_libx264"
    INT32 width;                 // 0 keeps the source's size
    INT32 height;
    INT32 aspectNum;
    INT32 aspectDen;
    INT32 frameRateNum;  // 0 is Auto
    INT32 frameRateDen;
    INT32 videoBitRate;  // bit/s, 0 is Auto
    MediaPresetText videoProfile;
    MediaPresetText videoPresetFile;
    UINT32 audioFlags;
    MediaPresetText audioCodec;
    INT32 channels;    // 0 is Auto
    INT32 sampleRate;  // Hz, 0 is Auto
    INT32 audioBitRate;
    MediaPresetText audioProfile;
    MediaPresetText audioPresetFile;
};

static_assert(sizeof(wchar_t) == 2, "preset texts are UTF-16");
static_assert(sizeof(MediaPresetRecord) == 948, "preset record size");
static_assert(offsetof(MediaPresetRecord, name) == 4, "preset record layout");
static_assert(offsetof(MediaPresetRecord, videoFlags) == 132, "preset record layout");
static_assert(offsetof(MediaPresetRecord, videoCodec) == 136, "preset record layout");
static_assert(offsetof(MediaPresetRecord, width) == 264, "preset record layout");
static_assert(offsetof(MediaPresetRecord, height) == 268, "preset record layout");
static_assert(offsetof(MediaPresetRecord, aspectNum) == 272, "preset record layout");
static_assert(offsetof(MediaPresetRecord, aspectDen) == 276, "preset record layout");
static_assert(offsetof(MediaPresetRecord, frameRateNum) == 280, "preset record layout");
static_assert(offsetof(MediaPresetRecord, frameRateDen) == 284, "preset record layout");
static_assert(offsetof(MediaPresetRecord, videoBitRate) == 288, "preset record layout");
static_assert(offsetof(MediaPresetRecord, videoProfile) == 292, "preset record layout");
static_assert(offsetof(MediaPresetRecord, videoPresetFile) == 420, "preset record layout");
static_assert(offsetof(MediaPresetRecord, audioFlags) == 548, "preset record layout");
static_assert(offsetof(MediaPresetRecord, audioCodec) == 552, "preset record layout");
static_assert(offsetof(MediaPresetRecord, channels) == 680, "preset record layout");
static_assert(offsetof(MediaPresetRecord, sampleRate) == 684, "preset record layout");
static_assert(offsetof(MediaPresetRecord, audioBitRate) == 688, "preset record layout");
static_assert(offsetof(MediaPresetRecord, audioProfile) == 692, "preset record layout");
static_assert(offsetof(MediaPresetRecord, audioPresetFile) == 820, "preset record layout");

// Writes text into a record field, cut to 63 characters; false when it had to be cut.
bool SetPresetText(MediaPresetText& field, LPCWSTR text);
// The text of a record field, read no further than the field even when its NUL is missing.
CString GetPresetText(const MediaPresetText& field);
// Whether a record field holds exactly this text.
bool IsPresetText(const MediaPresetText& field, LPCWSTR text);
