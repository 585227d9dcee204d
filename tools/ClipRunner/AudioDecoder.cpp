#include "tools/ClipRunner/AudioDecoder.h"

#include <algorithm>
#include <cstdlib>

namespace {

const int kChannels = 2;
const size_t kRecentFrames = 1 << 15;

// The chain, then the format the output takes.
std::string ChainToOutput(const std::string& chain)
{
    const char* output = "aformat=sample_fmts=s16:channel_layouts=stereo";
    return chain.empty() ? output : chain + "," + output;
}

}  // namespace

AudioDecoder::AudioDecoder(AVStream* stream, int64_t startTimeUs, PacketQueue& packets, AudioOutput& output,
                           const AudioSettings& settings)
    : FrameDecoder(stream, startTimeUs, packets), m_output(output), m_settings(settings), m_recent(kRecentFrames)
{
}

AudioDecoder::~AudioDecoder()
{
    Join();
}

void AudioDecoder::SetLevel(int volume, bool mute)
{
    m_gain = mute ? 0 : std::clamp(volume, 0, 100) * 65536 / 100;
}

void AudioDecoder::Restart(int serial, int64_t startUs)
{
    m_graph.Clear();
    m_output.Reset(serial);
    {
        std::lock_guard<std::mutex> hold(m_recentLock);
        std::fill(m_recent.begin(), m_recent.end(), 0);
    }
    m_serial = serial;
    m_startUs = startUs;
    m_first = true;
}

// A chain that does not build is left out, so that the media still plays.
bool AudioDecoder::BuildGraph(const AVFrame* frame)
{
    AVChannelLayout layout = {};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&layout, frame->ch_layout.nb_channels);
    else
        av_channel_layout_copy(&layout, &frame->ch_layout);
    char layoutName[128] = {};
    av_channel_layout_describe(&layout, layoutName, sizeof(layoutName));
    av_channel_layout_uninit(&layout);
    const char* format = av_get_sample_fmt_name(static_cast<AVSampleFormat>(frame->format));
    char args[256];
    snprintf(args, sizeof(args), "time_base=%d/%d:sample_rate=%d:sample_fmt=%s:channel_layout=%s",
             m_stream->time_base.num, m_stream->time_base.den, frame->sample_rate, format ? format : "none",
             layoutName);
    if (m_graph.Built() && m_graph.SourceArgs() == args)
        return true;
    std::string error;
    return m_graph.Build("abuffer", args, ChainToOutput(m_settings.chain), "abuffersink", error) ||
           m_graph.Build("abuffer", args, ChainToOutput(""), "abuffersink", error);
}

void AudioDecoder::Take(AVFrame* frame)
{
    int64_t timeUs = MediaTimeUs(frame);
    int64_t durationUs = frame->sample_rate > 0 ? int64_t(frame->nb_samples) * AV_TIME_BASE / frame->sample_rate : 0;
    // Sound before the seek target is decoded, not played.
    if (timeUs != INT64_MIN && timeUs + durationUs <= m_startUs)
        return;
    if (m_first && !m_graph.Built())
        m_firstSourceUs = timeUs != INT64_MIN ? timeUs : m_startUs;
    if (!BuildGraph(frame))
        return;
    frame->pts = frame->best_effort_timestamp;
    if (m_graph.Push(frame) >= 0)
        EmitFiltered();
}

void AudioDecoder::EmitFiltered()
{
    m_graph.PullEach([this](AVFrame* filtered) { Emit(filtered); });
}

void AudioDecoder::Finish()
{
    if (m_graph.Built() && m_graph.Push(nullptr) >= 0)
        EmitFiltered();
    m_output.MarkEnded(m_serial);
}

bool AudioDecoder::WriteSilence(double seconds, int rate)
{
    std::vector<int16_t> silence(static_cast<size_t>(rate / 10) * kChannels);
    for (int64_t left = static_cast<int64_t>(seconds * rate); left > 0; left -= rate / 10) {
        int frames = static_cast<int>(std::min<int64_t>(left, rate / 10));
        Keep(silence.data(), frames);
        if (!m_output.Write(silence.data(), frames))
            return false;
    }
    return true;
}

// Writes one filtered frame. A frame of a serial that is no longer wanted, or written while
// the tool stops, is refused by the output and lost.
void AudioDecoder::Emit(const AVFrame* filtered)
{
    if (!m_output.IsOpen())
        m_output.Open(filtered->sample_rate, kChannels);
    if (m_first) {
        m_first = false;
        double lead = (m_firstSourceUs - m_startUs) / 1e6 / m_settings.speed;
        if (lead > 0 && !WriteSilence(lead, m_output.Rate()))
            return;
    }
    const int16_t* samples = reinterpret_cast<const int16_t*>(filtered->data[0]);
    size_t count = static_cast<size_t>(filtered->nb_samples) * kChannels;
    Keep(samples, filtered->nb_samples);
    int gain = m_gain;
    m_scaled.resize(count);
    for (size_t i = 0; i < count; ++i)
        m_scaled[i] = static_cast<int16_t>(samples[i] * gain >> 16);
    m_output.Write(m_scaled.data(), filtered->nb_samples);
}

void AudioDecoder::Keep(const int16_t* samples, int frames)
{
    std::lock_guard<std::mutex> hold(m_recentLock);
    int64_t at = m_output.WrittenFrames();
    for (int i = 0; i < frames; ++i)
        m_recent[(at + i) % kRecentFrames] = static_cast<int16_t>((samples[2 * i] + samples[2 * i + 1]) / 2);
}

void AudioDecoder::Peaks(int64_t end, int frames, std::vector<float>& peaks) const
{
    std::lock_guard<std::mutex> hold(m_recentLock);
    size_t count = peaks.size();
    frames = std::min<int>(frames, static_cast<int>(kRecentFrames));
    for (size_t bar = 0; bar < count; ++bar) {
        int64_t from = end - frames + static_cast<int64_t>(bar * frames / count);
        int64_t to = end - frames + static_cast<int64_t>((bar + 1) * frames / count);
        int peak = 0;
        for (int64_t at = std::max<int64_t>(from, 0); at < to; ++at)
            peak = std::max(peak, std::abs(static_cast<int>(m_recent[at % kRecentFrames])));
        peaks[bar] = peak / 32768.0f;
    }
}
