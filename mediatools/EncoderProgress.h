// The encoding tool's progress message: a WM_COPYDATA block sent to the callback window.
// Both sides use these structs, so the layout is fixed here with fixed-width fields and
// checked below; a 64-bit build speaks the same bytes.
#pragma once

#include <windows.h>
#include <cstdint>

// dwData of the WM_COPYDATA message.
const ULONG_PTR ENCODER_MSG_EVENT = 1010;

// Event codes at offset 8 of the block.
enum EncoderEvent : int32_t {
    ENCODER_EVENT_STARTED = 30,
    ENCODER_EVENT_PROGRESS = 35,
    ENCODER_EVENT_FINISHED = 50,
};

// The 64-byte payload. The bytes outside the three values belong to the tool and stay zero.
struct EncoderProgress {
    uint8_t Reserved0[16];
    int64_t TotalDurationInUs;  // of the output
    uint8_t Reserved1[16];
    int64_t OutputTimeInUs;     // reached so far
    int64_t BytesWritten;
    uint8_t Reserved2[8];
};

struct EncoderMessageBlock {
    int64_t Context;            // the value given as "-callback_context"
    int32_t Event;              // an EncoderEvent
    uint8_t Unused[2068];
    EncoderProgress Progress;
};

static_assert(sizeof(EncoderProgress) == 64, "EncoderProgress is 64 bytes");
static_assert(FIELD_OFFSET(EncoderProgress, TotalDurationInUs) == 16, "total duration at 16");
static_assert(FIELD_OFFSET(EncoderProgress, OutputTimeInUs) == 40, "output time at 40");
static_assert(FIELD_OFFSET(EncoderProgress, BytesWritten) == 48, "bytes written at 48");

static_assert(sizeof(EncoderMessageBlock) == 2144, "the block is 2144 bytes");
static_assert(FIELD_OFFSET(EncoderMessageBlock, Context) == 0, "context at 0");
static_assert(FIELD_OFFSET(EncoderMessageBlock, Event) == 8, "event at 8");
static_assert(FIELD_OFFSET(EncoderMessageBlock, Progress) == 2080, "payload at 2080");
