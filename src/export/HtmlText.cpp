#include "HtmlText.h"

namespace lumarc {

void AppendHtml(std::string& out, std::string_view text)
{
    size_t plain = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* reference = nullptr;
        switch (text[i]) {
        case '&':
            reference = "&amp;";
            break;
        case '<':
            reference = "&lt;";
            break;
        case '>':
            reference = "&gt;";
            break;
        case '"':
            reference = "&quot;";
            break;
        case '\r':
            reference = "&#13;";
            break;
        default:
            continue;
        }
        out.append(text, plain, i - plain);
        out += reference;
        plain = i + 1;
    }
    out.append(text, plain, text.size() - plain);
}

std::string Html(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    AppendHtml(out, text);
    return out;
}

void AppendJsonString(std::string& out, std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    size_t plain = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool separator = c == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                               (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xA8;
        if (c >= 0x20 && c != '"' && c != '\\' && !separator)
            continue;
        out.append(text, plain, i - plain);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (separator) {
                out += static_cast<unsigned char>(text[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
                i += 2;
            } else {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            }
        }
        plain = i + 1;
    }
    out.append(text, plain, text.size() - plain);
    out += '"';
}

std::string_view TrimmedCaption(std::string_view caption)
{
    const size_t first = caption.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return caption.substr(first, caption.find_last_not_of(" \t") - first + 1);
}

}  // namespace lumarc
