#include "tools/ClipRunner/FilterGraph.h"

namespace {

// Names one end of the chain for the parser: "in" is the source's output, "out" the sink's input.
AVFilterInOut* End(const char* name, AVFilterContext* filter)
{
    AVFilterInOut* end = avfilter_inout_alloc();
    if (end) {
        end->name = av_strdup(name);
        end->filter_ctx = filter;
        end->pad_idx = 0;
        end->next = nullptr;
    }
    return end;
}

}  // namespace

bool FilterGraph::Build(const char* source, const std::string& sourceArgs, const std::string& chain, const char* sink,
                        std::string& error)
{
    Clear();
    m_graph = avfilter_graph_alloc();
    if (!m_graph) {
        error = "out of memory";
        return false;
    }
    int result = avfilter_graph_create_filter(&m_source, avfilter_get_by_name(source), "in", sourceArgs.c_str(),
                                              nullptr, m_graph);
    if (result >= 0)
        result = avfilter_graph_create_filter(&m_sink, avfilter_get_by_name(sink), "out", nullptr, nullptr, m_graph);
    if (result >= 0) {
        AVFilterInOut* outputs = End("in", m_source);
        AVFilterInOut* inputs = End("out", m_sink);
        result = avfilter_graph_parse_ptr(m_graph, chain.c_str(), &inputs, &outputs, nullptr);
        avfilter_inout_free(&inputs);
        avfilter_inout_free(&outputs);
    }
    if (result >= 0)
        result = avfilter_graph_config(m_graph, nullptr);
    if (result < 0) {
        error = "filter chain \"" + chain + "\": " + FfmpegError(result);
        Clear();
        return false;
    }
    m_sourceArgs = sourceArgs;
    return true;
}

void FilterGraph::Clear()
{
    avfilter_graph_free(&m_graph);
    m_source = nullptr;
    m_sink = nullptr;
    m_sourceArgs.clear();
}

int FilterGraph::Push(AVFrame* frame)
{
    return av_buffersrc_add_frame_flags(m_source, frame, AV_BUFFERSRC_FLAG_KEEP_REF);
}

int FilterGraph::Pull(AVFrame* frame)
{
    return av_buffersink_get_frame(m_sink, frame);
}

void FilterGraph::PullEach(const std::function<void(AVFrame*)>& emit)
{
    AVFrame* filtered = av_frame_alloc();
    while (Pull(filtered) >= 0) {
        emit(filtered);
        av_frame_unref(filtered);
    }
    av_frame_free(&filtered);
}
