// One libavfilter graph: a source that takes decoded frames, the chain as given on the command
// line, and a sink. Used by one decoding thread.
#pragma once

#include "tools/ClipRunner/Ffmpeg.h"

#include <functional>
#include <string>

class FilterGraph {
public:
    FilterGraph() = default;
    FilterGraph(const FilterGraph&) = delete;
    FilterGraph& operator=(const FilterGraph&) = delete;
    ~FilterGraph() { Clear(); }

    // source is "buffer" or "abuffer" with its arguments; the chain joins it to the sink
    // ("buffersink" or "abuffersink").
    bool Build(const char* source, const std::string& sourceArgs, const std::string& chain, const char* sink,
               std::string& error);
    void Clear();
    bool Built() const { return m_graph != nullptr; }
    // The arguments the source was built with: a frame that needs others needs a new graph.
    const std::string& SourceArgs() const { return m_sourceArgs; }

    int Push(AVFrame* frame);  // null ends the input
    int Pull(AVFrame* frame);  // 0, AVERROR(EAGAIN) when it needs input, AVERROR_EOF at the end
    // Hands each frame the sink has ready to emit; the frame is reused after emit returns.
    void PullEach(const std::function<void(AVFrame*)>& emit);
    const AVFilterContext* Sink() const { return m_sink; }

private:
    AVFilterGraph* m_graph = nullptr;
    AVFilterContext* m_source = nullptr;
    AVFilterContext* m_sink = nullptr;
    std::string m_sourceArgs;
};
