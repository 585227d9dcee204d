// A decoder of a stream whose codec gives frames (video and sound): every frame a packet gives
// goes to the derived class.
#pragma once

#include "tools/ClipRunner/Decoder.h"

class FrameDecoder : public Decoder {
public:
    FrameDecoder(AVStream* stream, int64_t startTimeUs, PacketQueue& packets);
    ~FrameDecoder() override;

protected:
    void Decode(const AVPacket* packet) override;
    virtual void Take(AVFrame* frame) = 0;

private:
    AVFrame* m_frame;
};
