#include "conversion/engine/CMediaPreset.h"
#include "framework/text/TextHelpers.h"
#include "mediatools/MediaInfoText.h"

namespace {

// Several hundred presets are made at every start, and one heap block each is where most of
// the start-up time went (blocks of this size are slow on Wine's heap). They are cut from
// blocks of 64 that are kept for the life of the process; a freed preset's memory goes on a
// lock-free list for the next one, so any thread may make or free presets.
const int kPresetsPerBlock = 64;
const size_t kSlotSize = (sizeof(CMediaPreset) + MEMORY_ALLOCATION_ALIGNMENT - 1) & ~(MEMORY_ALLOCATION_ALIGNMENT - 1);
static_assert(kSlotSize >= sizeof(SLIST_ENTRY), "a free slot holds its list entry");

SLIST_HEADER& FreeSlots()
{
    alignas(MEMORY_ALLOCATION_ALIGNMENT) static SLIST_HEADER s_freeSlots = {};
    return s_freeSlots;
}

void* TakeSlot()
{
    if (void* pSlot = InterlockedPopEntrySList(&FreeSlots()))
        return pSlot;
    char* pBlock = static_cast<char*>(::operator new(kSlotSize * kPresetsPerBlock));
    for (int i = 1; i < kPresetsPerBlock; ++i)
        InterlockedPushEntrySList(&FreeSlots(), reinterpret_cast<PSLIST_ENTRY>(pBlock + i * kSlotSize));
    return pBlock;
}

CString BitRateText(int bitRate)
{
    return FormatBitrate(bitRate, L"%.3f", true, true);
}

CString SizeText(LPCWSTR format, int width, int height)
{
    CString text(L"Auto");
    if (width != 0 && height != 0)
        text.Format(format, width, height);
    return text;
}

CString SummaryLine(const CString& name, const CString& detail, BOOL twoColumns)
{
    CString line;
    line.Format(twoColumns ? L"%s\t%s" : L"%s (%s)", static_cast<LPCWSTR>(name), static_cast<LPCWSTR>(detail));
    return line;
}

}  // namespace

void* CMediaPreset::operator new(size_t size)
{
    return size == sizeof(CMediaPreset) ? TakeSlot() : ::operator new(size);
}

void CMediaPreset::operator delete(void* p, size_t size)
{
    if (!p)
        return;
    if (size == sizeof(CMediaPreset))
        InterlockedPushEntrySList(&FreeSlots(), static_cast<PSLIST_ENTRY>(p));
    else
        ::operator delete(p);
}

void CMediaPreset::Clear()
{
    m_record = MediaPresetRecord();
    m_pVideoCodec = nullptr;
    m_pAudioCodec = nullptr;
}

void CMediaPreset::GetDescription(CString& videoText, CString& audioText) const
{
    const MediaPresetRecord& r = m_record;
    videoText.Empty();
    audioText.Empty();
    if (m_pVideoCodec) {
        videoText.Format(L"%s, Resolution=%s, Frame Rate=%s, Bit Rate=%s", m_pVideoCodec->m_name,
            static_cast<LPCWSTR>(SizeText(L"%dx%d", r.width, r.height)),
            static_cast<LPCWSTR>(FormatFrameRateText(r.frameRateNum, r.frameRateDen, L"%.3f", false, true)),
            static_cast<LPCWSTR>(BitRateText(r.videoBitRate)));
    }
    if (m_pAudioCodec) {
        CString sampleRate(L"Auto");
        if (r.sampleRate != 0)
            sampleRate.Format(L"%d", r.sampleRate);
        audioText.Format(L"%s, Channel=%s, Sample Rate=%s, Bit Rate=%s", m_pAudioCodec->m_name,
            static_cast<LPCWSTR>(FormatChannels(r.channels, true)), static_cast<LPCWSTR>(sampleRate),
            static_cast<LPCWSTR>(BitRateText(r.audioBitRate)));
    }
}

CString GetPresetSummary(const CMediaPreset* pPreset, BOOL twoColumns)
{
    if (!pPreset)
        return CString();
    const MediaPresetRecord& r = pPreset->m_record;
    CString name = pPreset->GetName();
    if (pPreset->m_pVideoCodec) {
        if ((r.videoFlags & PRESET_STREAM_OFF) || r.width == 0 || r.height == 0)
            return name;
        return SummaryLine(name, SizeText(L"%d x %d", r.width, r.height), twoColumns);
    }
    if (pPreset->m_pAudioCodec) {
        if ((r.audioFlags & PRESET_STREAM_OFF) || r.audioBitRate == 0)
            return name;
        return SummaryLine(name, BitRateText(r.audioBitRate), twoColumns);
    }
    return CString();
}
