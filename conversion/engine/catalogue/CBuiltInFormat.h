// A built-in format made from its row of a category table: the container, the codecs it
// offers (created by id) and its own table of built-in preset records.
#pragma once
#include "conversion/engine/CMediaFormatCategory.h"

struct PresetTable {
    const MediaPresetRecord* records;
    int count;
};

template <int N>
constexpr PresetTable Table(const MediaPresetRecord (&records)[N])
{
    return {records, N};
}

struct BuiltInFormatSpec {
    LPCWSTR id;
    LPCWSTR name;
    LPCWSTR extension;
    LPCWSTR muxer;
    DWORD flags;
    bool off;  // switched off when the registry is built
    LPCWSTR videoCodecs;  // codec ids separated by blanks, in the order offered
    LPCWSTR audioCodecs;
    PresetTable presets;
    CMediaFormat* (*create)(const BuiltInFormatSpec& spec) = nullptr;  // null: a CBuiltInFormat
};

class CBuiltInFormat : public CMediaFormat {
public:
    explicit CBuiltInFormat(const BuiltInFormatSpec& spec);

    int ResetPresets() override;

private:
    const BuiltInFormatSpec& m_spec;
};

template <class T>
CMediaFormat* NewFormat(const BuiltInFormatSpec& spec)
{
    return new T(spec);
}

// Creates the formats of a category table in order and appends them to the category,
// switching off the marked ones.
void AddBuiltInFormats(CMediaFormatCategory& category, const BuiltInFormatSpec* specs, int count);

template <int N>
void AddBuiltInFormats(CMediaFormatCategory& category, const BuiltInFormatSpec (&specs)[N])
{
    AddBuiltInFormats(category, specs, N);
}
