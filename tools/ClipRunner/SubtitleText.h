// The words of a text subtitle as they are drawn. FFmpeg's text decoders (SubRip, ASS/SSA,
// WebVTT, mov_text) all give each event as an ASS dialogue line,
// "ReadOrder,Layer,Style,Name,MarginL,MarginR,MarginV,Effect,Text", whose text carries override
// tags in braces and the line breaks \N and \n.
#pragma once

#include <string>

// The text field of a dialogue line, drawn as plain lines.
std::wstring AssEventText(const std::string& event);

// Override tags ({...}) and drawings ({\p1}...{\p0}) left out, \N and \n as line breaks, \h as a
// blank, blanks and empty lines at either end dropped. A brace that never closes is kept as text.
std::wstring PlainSubtitleText(const std::wstring& text);
