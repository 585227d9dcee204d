#include "player/playlist/CPlaylistXmlFormat.h"
#include "framework/system/PathHelpers.h"
#include "framework/net/VersionCompare.h"
#include "framework/text/FileHelpers.h"
#include "framework/text/ImageBase64.h"
#include "framework/text/TextHelpers.h"
#include "mediatools/MediaInfoText.h"
#include "player/playlist/CPlaylistData.h"
#include "player/playback/PlayerTempFolder.h"
#include <pugixml.hpp>
#include <climits>
#include <errno.h>
#include <string>
#include <wchar.h>
#include <wctype.h>

namespace {

const wchar_t kVersion[] = L"2.2.0";

// pugixml's output gathered in memory, so the file is replaced in one move.
class CBufferWriter : public pugi::xml_writer {
public:
    void write(const void* pData, size_t nSize) override { m_bytes.append(static_cast<const char*>(pData), nSize); }
    std::string m_bytes;
};

// The first child of either name.
pugi::xml_node Child(const pugi::xml_node& node, const wchar_t* pszName, const wchar_t* pszOldName)
{
    pugi::xml_node child = node.child(pszName);
    return child ? child : node.child(pszOldName);
}

void AddText(pugi::xml_node node, const wchar_t* pszName, LPCWSTR pszText)
{
    node.append_child(pszName).text().set(pszText);
}

// ---- writing

// XML 1.0 has no form, not even a character reference, for control characters other than tab
// and line breaks, for U+FFFE, U+FFFF or for a lone surrogate: such characters are left out.
bool IsXmlChar(const wchar_t* p, const wchar_t* pEnd)
{
    wchar_t ch = *p;
    if (ch < 0x20)
        return ch == L'\t' || ch == L'\n' || ch == L'\r';
    if (ch >= 0xD800 && ch <= 0xDBFF)
        return p + 1 < pEnd && p[1] >= 0xDC00 && p[1] <= 0xDFFF;
    if (ch >= 0xDC00 && ch <= 0xDFFF)
        return false;  // a high surrogate before it took both places
    return ch != 0xFFFE && ch != 0xFFFF;
}

// The text without what XML 1.0 cannot hold; true when something was left out.
bool StripNonXmlChars(const wchar_t* pszText, std::wstring& clean)
{
    const wchar_t* pEnd = pszText + wcslen(pszText);
    clean.clear();
    for (const wchar_t* p = pszText; p < pEnd; ++p) {
        if (!IsXmlChar(p, pEnd))
            continue;
        clean += *p;
        if (*p >= 0xD800 && *p <= 0xDBFF)
            clean += *++p;
    }
    return clean.size() != static_cast<size_t>(pEnd - pszText);
}

// Every attribute and text of the tree, made writable as XML 1.0.
void StripNonXmlChars(pugi::xml_node node)
{
    std::wstring clean;
    for (pugi::xml_attribute attribute : node.attributes()) {
        if (StripNonXmlChars(attribute.value(), clean))
            attribute.set_value(clean.c_str());
    }
    if ((node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) && StripNonXmlChars(node.value(), clean))
        node.set_value(clean.c_str());
    for (pugi::xml_node child : node.children())
        StripNonXmlChars(child);
}

// An image as a child "Image" (base64 JPEG) when embedded, else as the file named by strFile
// ("URI"), which is made in the temporary folder when the image has no file yet.
void WriteImage(pugi::xml_node& parent, const wchar_t* pszName, CRasterImage& image, CString& strFile,
                int bEmbedImages)
{
    if (!image.IsValid() && strFile.IsEmpty())
        return;
    pugi::xml_node node = parent.append_child(pszName);
    CString text;
    if (bEmbedImages && ImageToBase64(image, text, RASTER_FORMAT_JPG) == 0) {
        AddText(node, L"Image", text);
        return;
    }
    if (image.IsValid() && (strFile.IsEmpty() || !FileExists(strFile))) {
        strFile = MakeTempFilePath();
        if (!FileExists(strFile))
            image.SaveToFile(strFile, RASTER_FORMAT_JPG);
    }
    if (!strFile.IsEmpty())
        AddText(node, L"URI", strFile);
}

// A thumbnail still in the bytes the file gave is embedded as it came; otherwise the picture.
void WriteThumbnail(pugi::xml_node& parent, CPlaylistItem& item, int bEmbedImages)
{
    CString text;
    if (bEmbedImages && BytesToBase64(item.m_storedThumbnail, text) == 0) {
        AddText(parent.append_child(L"Thumbnail"), L"Image", text);
        return;
    }
    item.DecodeStoredThumbnail();
    WriteImage(parent, L"Thumbnail", item.m_thumbnail, item.m_strThumbnailFile, bEmbedImages);
}

void WriteStream(pugi::xml_node& parent, const CMediaStreamInfo& stream)
{
    pugi::xml_node node = parent.append_child(L"Stream");
    node.append_attribute(L"Flags").set_value(static_cast<unsigned>(stream.Flags));
    node.append_attribute(L"Index").set_value(stream.Index);
    node.append_attribute(L"MediaType").set_value(GetMediaTypeName(stream.MediaType));
    node.append_attribute(L"Codec").set_value(stream.Codec);
    node.append_attribute(L"StartTimeInUs").set_value(stream.StartTimeInUs);
    node.append_attribute(L"DurationInUs").set_value(stream.DurationInUs);
    node.append_attribute(L"BitRate").set_value(stream.BitRate);
    node.append_attribute(L"Frames").set_value(stream.Frames);
    node.append_attribute(L"Language").set_value(stream.Language);
    CString text;
    if (stream.MediaType == MEDIA_TYPE_VIDEO) {
        text.Format(L"%dx%d", stream.Width, stream.Height);
        node.append_attribute(L"Resolution").set_value(text);
        text.Format(L"%d:%d", stream.AspectNum, stream.AspectDen);
        node.append_attribute(L"Aspect").set_value(text);
        text.Format(L"%d/%d", stream.FrameRateNum, stream.FrameRateDen);
        node.append_attribute(L"FrameRate").set_value(text);
    } else if (stream.MediaType == MEDIA_TYPE_AUDIO) {
        node.append_attribute(L"Channels").set_value(stream.Channels);
        node.append_attribute(L"SampleRate").set_value(stream.SampleRate);
    }
}

bool HasMetadata(const CMediaMetadata& m)
{
    return !m.Title.IsEmpty() || !m.Author.IsEmpty() || !m.Album.IsEmpty() || m.Track != 0 || m.Year != 0 ||
           !m.Genre.IsEmpty() || !m.Copyright.IsEmpty() || !m.Comment.IsEmpty();
}

void WriteMetadata(pugi::xml_node& parent, const CMediaMetadata& m)
{
    pugi::xml_node node = parent.append_child(L"MetaData");
    node.append_attribute(L"Track").set_value(m.Track);
    node.append_attribute(L"Year").set_value(m.Year);
    AddText(node, L"Title", m.Title);
    AddText(node, L"Author", m.Author);
    AddText(node, L"Album", m.Album);
    AddText(node, L"Genre", m.Genre);
    AddText(node, L"Copyright", m.Copyright);
    AddText(node, L"Comment", m.Comment);
}

void WriteMediaInfo(pugi::xml_node& parent, const CMediaInfo& info)
{
    pugi::xml_node node = parent.append_child(L"MediaInfo");
    node.append_attribute(L"Flags").set_value(static_cast<unsigned>(info.Flags));
    node.append_attribute(L"MediaType").set_value(GetMediaTypeName(info.MediaType));
    node.append_attribute(L"FileType").set_value(GetMediaFileTypeName(info.FileType));
    node.append_attribute(L"Format").set_value(info.Format);
    node.append_attribute(L"Size").set_value(info.Size);
    node.append_attribute(L"StartTimeInUs").set_value(info.StartTimeInUs);
    node.append_attribute(L"DurationInUs").set_value(info.DurationInUs);
    node.append_attribute(L"BitRate").set_value(info.BitRate);
    node.append_attribute(L"Streams").set_value(info.Streams);
    if (info.StreamList.GetSize() > 0) {
        pugi::xml_node streams = node.append_child(L"Streams");
        streams.append_attribute(L"SelectedVideoStream").set_value(info.SelectedVideoStream);
        streams.append_attribute(L"SelectedAudioStream").set_value(info.SelectedAudioStream);
        streams.append_attribute(L"SelectedSubtitleStream").set_value(info.SelectedSubtitleStream);
        streams.append_attribute(L"SelectedCaptionStream").set_value(info.SelectedCaptionStream);
        for (int i = 0; i < info.StreamList.GetSize(); ++i)
            WriteStream(streams, *info.StreamList[i]);
    }
    if (HasMetadata(info.Metadata))
        WriteMetadata(node, info.Metadata);
}

// Filter switches are written as 0 or 1.
int Flag(int bValue)
{
    return bValue != 0 ? 1 : 0;
}

void WriteItem(pugi::xml_node& parent, CPlaylistItem& item, int bEmbedImages)
{
    pugi::xml_node node = parent.append_child(L"Item");
    node.append_attribute(L"Flags").set_value(static_cast<unsigned>(item.m_dwFlags));
    node.append_attribute(L"LastPositionInUs").set_value(item.m_llLastPosition);
    if (!item.m_strPath.IsEmpty()) {
        pugi::xml_node media = node.append_child(L"Media");
        AddText(media, L"URI", item.m_strPath);
        WriteMediaInfo(media, item.m_mediaInfo);
    }
    WriteThumbnail(node, item, bEmbedImages);
    pugi::xml_node filters = node.append_child(L"Filters");
    filters.append_attribute(L"PlaySpeed").set_value(item.m_nPlaySpeed);
    filters.append_attribute(L"Rotate").set_value(item.m_nRotate);
    filters.append_attribute(L"FlipH").set_value(Flag(item.m_bFlipH));
    filters.append_attribute(L"FlipV").set_value(Flag(item.m_bFlipV));
    filters.append_attribute(L"Grayscale").set_value(Flag(item.m_bGrayscale));
    filters.append_attribute(L"OldPhoto").set_value(Flag(item.m_bOldPhoto));
    filters.append_attribute(L"Negate").set_value(Flag(item.m_bNegate));
    filters.append_attribute(L"Volume").set_value(item.m_nVolume);
}

// ---- reading

// The longest media time a probe can report; a stored time beyond it is forged or damaged.
const LONGLONG kLongestTimeUs = 10LL * 366 * 24 * 3600 * 1000000;
const LONGLONG kLargestCount = 0x7FFFFFFF;

// Numbers of a stored media record. An absent one is 0; one that is no whole number or lies
// outside what a probe gives marks the record as not to be trusted.
class CStoredNumbers {
public:
    LONGLONG Read(const pugi::xml_attribute& attribute, LONGLONG nLowest, LONGLONG nHighest)
    {
        if (!attribute)
            return 0;
        const wchar_t* pszText = attribute.value();
        wchar_t* pEnd = nullptr;
        errno = 0;
        LONGLONG nValue = wcstoll(pszText, &pEnd, 10);
        while (pEnd && iswspace(*pEnd))
            ++pEnd;
        if (pEnd == pszText || !pEnd || *pEnd || errno == ERANGE || nValue < nLowest || nValue > nHighest) {
            m_bForged = true;
            return 0;
        }
        return nValue;
    }
    int ReadCount(const pugi::xml_attribute& attribute) { return static_cast<int>(Read(attribute, 0, kLargestCount)); }
    // "%dx%d"-like pairs: both parts at least 0.
    std::pair<int, int> ReadPair(const pugi::xml_attribute& attribute, LPCWSTR pszFormat)
    {
        std::pair<int, int> pair = ScanIntPair(attribute.value(), pszFormat);
        if (pair.first < 0 || pair.second < 0) {
            m_bForged = true;
            return {0, 0};
        }
        return pair;
    }

    bool m_bForged = false;
};

int ReadType(const pugi::xml_attribute& attribute, bool bNames)
{
    return bNames ? ParseMediaTypeName(attribute.value()) : attribute.as_int();
}

void ReadStream(const pugi::xml_node& node, bool bNames, CStoredNumbers& numbers, CMediaStreamInfo& stream)
{
    stream.Flags = static_cast<int>(node.attribute(L"Flags").as_uint());
    stream.Index = node.attribute(L"Index")
                       ? static_cast<int>(numbers.Read(node.attribute(L"Index"), -1, kLargestCount))
                       : -1;
    stream.MediaType = ReadType(node.attribute(L"MediaType"), bNames);
    stream.Codec = node.attribute(L"Codec").value();
    stream.StartTimeInUs = numbers.Read(node.attribute(L"StartTimeInUs"), -kLongestTimeUs, kLongestTimeUs);
    stream.DurationInUs = numbers.Read(node.attribute(L"DurationInUs"), 0, kLongestTimeUs);
    stream.BitRate = numbers.ReadCount(node.attribute(L"BitRate"));
    stream.Frames = numbers.Read(node.attribute(L"Frames"), 0, kLongestTimeUs);
    stream.Language = node.attribute(L"Language").value();
    if (stream.MediaType == MEDIA_TYPE_VIDEO) {
        std::pair<int, int> size = numbers.ReadPair(node.attribute(L"Resolution"), L"%dx%d");
        stream.Width = size.first;
        stream.Height = size.second;
        std::pair<int, int> aspect = numbers.ReadPair(node.attribute(L"Aspect"), L"%d:%d");
        stream.AspectNum = aspect.first;
        stream.AspectDen = aspect.second;
        std::pair<int, int> rate = numbers.ReadPair(node.attribute(L"FrameRate"), L"%d/%d");
        stream.FrameRateNum = rate.first;
        stream.FrameRateDen = rate.second;
    } else if (stream.MediaType == MEDIA_TYPE_AUDIO) {
        stream.Channels = numbers.ReadCount(node.attribute(L"Channels"));
        stream.SampleRate = numbers.ReadCount(node.attribute(L"SampleRate"));
    }
}

void ReadMetadata(const pugi::xml_node& node, CMediaMetadata& m)
{
    m.Track = node.attribute(L"Track").as_int();
    m.Year = node.attribute(L"Year").as_int();
    m.Title = node.child_value(L"Title");
    m.Author = node.child_value(L"Author");
    m.Album = node.child_value(L"Album");
    m.Genre = node.child_value(L"Genre");
    m.Copyright = node.child_value(L"Copyright");
    m.Comment = node.child_value(L"Comment");
}

// False when a stored number cannot be right; the record is then to be probed again.
bool ReadMediaInfo(const pugi::xml_node& node, bool bNames, CMediaInfo& info)
{
    CStoredNumbers numbers;
    info.Flags = static_cast<int>(node.attribute(L"Flags").as_uint());
    info.MediaType = ReadType(node.attribute(L"MediaType"), bNames);
    info.FileType = ReadType(node.attribute(L"FileType"), bNames);
    info.Format = node.attribute(L"Format").value();
    info.Size = numbers.Read(node.attribute(L"Size"), 0, LLONG_MAX);
    info.StartTimeInUs = numbers.Read(node.attribute(L"StartTimeInUs"), -kLongestTimeUs, kLongestTimeUs);
    info.DurationInUs = numbers.Read(node.attribute(L"DurationInUs"), 0, kLongestTimeUs);
    info.BitRate = numbers.ReadCount(node.attribute(L"BitRate"));
    info.Streams = numbers.ReadCount(node.attribute(L"Streams"));
    pugi::xml_node streams = node.child(L"Streams");
    info.SelectedVideoStream = streams.attribute(L"SelectedVideoStream").as_int(-1);
    info.SelectedAudioStream = streams.attribute(L"SelectedAudioStream").as_int(-1);
    info.SelectedSubtitleStream = streams.attribute(L"SelectedSubtitleStream").as_int(-1);
    info.SelectedCaptionStream = streams.attribute(L"SelectedCaptionStream").as_int(-1);
    for (pugi::xml_node s = streams.child(L"Stream"); s; s = s.next_sibling(L"Stream")) {
        CMediaStreamInfo* pStream = new CMediaStreamInfo;
        ReadStream(s, bNames, numbers, *pStream);
        info.StreamList.Add(pStream);
    }
    if (pugi::xml_node metadata = node.child(L"MetaData"))
        ReadMetadata(metadata, info.Metadata);
    info.Analyse();
    return !numbers.m_bForged;
}

CString ReadUri(const pugi::xml_node& node)
{
    pugi::xml_node uri = Child(node, L"URI", L"Path");
    return uri.child_value();
}

// A child "Image" is decoded into the image (true when that worked); else the URI names a file.
bool ReadImage(const pugi::xml_node& node, CRasterImage& image, CString& strFile)
{
    if (pugi::xml_node embedded = node.child(L"Image"))
        return Base64ToImage(embedded.child_value(), image, RASTER_FORMAT_JPG) == 0;
    strFile = ReadUri(node);
    return false;
}

void ReadFilters(const pugi::xml_node& node, CPlaylistItem& item)
{
    item.m_nPlaySpeed = node.attribute(L"PlaySpeed").as_int(item.m_nPlaySpeed);
    item.m_nRotate = node.attribute(L"Rotate").as_int(item.m_nRotate);
    item.m_bFlipH = node.attribute(L"FlipH").as_int(item.m_bFlipH);
    item.m_bFlipV = node.attribute(L"FlipV").as_int(item.m_bFlipV);
    item.m_bGrayscale = node.attribute(L"Grayscale").as_int(item.m_bGrayscale);
    item.m_bOldPhoto = node.attribute(L"OldPhoto").as_int(item.m_bOldPhoto);
    item.m_bNegate = node.attribute(L"Negate").as_int(item.m_bNegate);
    item.m_nVolume = node.attribute(L"Volume").as_int(item.m_nVolume);
}

void ReadItem(const pugi::xml_node& node, bool bNames, CPlaylistItem& item)
{
    item.m_dwFlags = node.attribute(L"Flags").as_uint();
    item.m_llLastPosition = node.attribute(L"LastPositionInUs").as_llong();
    if (pugi::xml_node media = Child(node, L"Media", L"MediaFile")) {
        item.m_strPath = ReadUri(media);
        pugi::xml_node info = Child(media, L"MediaInfo", L"FileInfo");
        if (info && !ReadMediaInfo(info, bNames, item.m_mediaInfo)) {
            item.m_mediaInfo.Reset();
            item.m_dwFlags &= ~ITEM_FLAG_PROBED;
        }
    }
    if (pugi::xml_node thumbnail = Child(node, L"Thumbnail", L"ThumbnailFile")) {
        // The picture is decoded when its row is first drawn.
        if (pugi::xml_node embedded = thumbnail.child(L"Image")) {
            if (Base64ToBytes(embedded.child_value(), item.m_storedThumbnail) == 0)
                item.m_dwState |= ITEM_STATE_THUMBNAIL;
        } else {
            item.m_strThumbnailFile = ReadUri(thumbnail);
        }
    }
    if (pugi::xml_node filters = node.child(L"Filters"))
        ReadFilters(filters, item);
}

void ReadPlaylist(const pugi::xml_node& node, bool bNames, CPlaylistData& data)
{
    data.m_dwFlags = node.attribute(L"Flags").as_uint(data.m_dwFlags);
    data.m_nLastItem = node.attribute(L"LastItem").as_int(data.m_nLastItem);
    data.m_strName = node.child_value(L"Name");
    if (pugi::xml_node cover = Child(node, L"Cover", L"ArtworkFile"))
        ReadImage(cover, data.m_cover, data.m_strCoverFile);
    for (pugi::xml_node n = node.child(L"Item"); n; n = n.next_sibling(L"Item")) {
        CPlaylistItem* pItem = new CPlaylistItem;
        ReadItem(n, bNames, *pItem);
        data.m_items.Add(pItem);
    }
}

}  // namespace

int CPlaylistXmlFormat::Read(LPCWSTR pszPath, CPlaylistData& data)
{
    if (!pszPath || !FileExists(pszPath))
        return -1;
    pugi::xml_document doc;
    // A damaged file keeps the tree parsed up to the damage.
    bool bParsed = doc.load_file(pszPath);
    pugi::xml_node playlists = doc.child(L"Playlists");
    pugi::xml_node playlist = playlists.child(L"Playlist");
    if (!playlist)
        return -1;
    VersionTriple version = {0, 0, 0};
    ParseVersionString(playlists.attribute(L"Version").value(), version);
    ReadPlaylist(playlist, version.nMajor > 1, data);
    return bParsed ? 0 : -1;
}

int CPlaylistXmlFormat::Write(LPCWSTR pszPath, CPlaylistData& data, int bEmbedImages)
{
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute(L"version").set_value(L"1.0");
    declaration.append_attribute(L"encoding").set_value(L"UTF-8");
    pugi::xml_node playlists = doc.append_child(L"Playlists");
    playlists.append_attribute(L"Version").set_value(kVersion);
    playlists.append_attribute(L"Generator").set_value(L"Kavri Helper - Kavri Video Player");
    pugi::xml_node playlist = playlists.append_child(L"Playlist");
    playlist.append_attribute(L"Flags").set_value(static_cast<unsigned>(data.m_dwFlags));
    playlist.append_attribute(L"LastItem").set_value(data.m_nLastItem);
    if (!data.m_strName.IsEmpty())
        AddText(playlist, L"Name", data.m_strName);
    WriteImage(playlist, L"Cover", data.m_cover, data.m_strCoverFile, bEmbedImages);
    for (int i = 0; i < data.m_items.GetSize(); ++i)
        WriteItem(playlist, *data.m_items[i], bEmbedImages);
    StripNonXmlChars(doc);
    CBufferWriter writer;
    doc.save(writer, L"\t", pugi::format_indent, pugi::encoding_utf8);
    return WriteBufferToFile(pszPath, writer.m_bytes.data(), static_cast<DWORD>(writer.m_bytes.size()));
}
