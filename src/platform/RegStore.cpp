#include "RegStore.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "CodePage.h"
#include "HexDigit.h"
#include "UserDirs.h"
#include "WholeFile.h"

namespace lumarc {

namespace {

constexpr std::string_view kHeader =
    "# Lumarc settings. Each line: Name=sz:text or Name=dword:hex; in names and texts\n"
    "# \\\\ stands for a backslash and \\xHH for any byte.\n";
constexpr std::string_view kTextPrefix = "sz:";
constexpr std::string_view kIntegerPrefix = "dword:";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

long ErrorCode(int error, long otherwise)
{
    switch (error) {
    case 0:
        return ERROR_SUCCESS;
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    default:
        return otherwise;
    }
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && UpperCaseAnsi(a) == UpperCaseAnsi(b);
}

void AppendHex(std::string& out, unsigned char byte)
{
    out += "\\x";
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

// Escapes what the parser would otherwise read differently: backslashes, bytes outside
// printable ASCII, blanks at either end (the parser trims), and in names the "=" that ends
// the name and a leading "#" or ";" that would make the line a comment.
std::string Escape(std::string_view bytes, bool isName)
{
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool atEdge = i == 0 || i + 1 == bytes.size();
        if (byte == '\\')
            out += "\\\\";
        else if (byte < 0x20 || byte >= 0x7F || (byte == ' ' && atEdge) ||
                 (isName && (byte == '=' || (i == 0 && (byte == '#' || byte == ';')))))
            AppendHex(out, byte);
        else
            out += static_cast<char>(byte);
    }
    return out;
}

bool Unescape(std::string_view text, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20)
            return false;
        if (byte != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            i += 1;
            continue;
        }
        if (i + 3 >= text.size() || text[i + 1] != 'x' || HexDigitValue(text[i + 2]) < 0 ||
            HexDigitValue(text[i + 3]) < 0)
            return false;
        out += static_cast<char>(HexDigitValue(text[i + 2]) * 16 + HexDigitValue(text[i + 3]));
        i += 3;
    }
    return true;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool ParseInteger(std::string_view hex, std::string& data)
{
    if (hex.empty() || hex.size() > 8)
        return false;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
    if (error != std::errc{} || end != hex.data() + hex.size())
        return false;
    data = TRegStore::EncodeDword(value);
    return true;
}

std::string FormatInteger(std::uint32_t value)
{
    std::string hex(8, '0');
    for (size_t i = 8; i-- > 0; value >>= 4)
        hex[i] = kHexDigits[value & 0x0F];
    return hex;
}

bool ParseLine(std::string_view line, std::vector<TRegValue>& values)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == '#' || line.front() == ';')
        return true;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    TRegValue value;
    if (!Unescape(Trim(line.substr(0, equals)), value.Name))
        return false;
    const std::string_view rest = Trim(line.substr(equals + 1));
    if (rest.starts_with(kTextPrefix)) {
        value.Type = REG_SZ;
        if (!Unescape(rest.substr(kTextPrefix.size()), value.Data))
            return false;
    } else if (rest.starts_with(kIntegerPrefix)) {
        value.Type = REG_DWORD;
        if (!ParseInteger(rest.substr(kIntegerPrefix.size()), value.Data))
            return false;
    } else {
        return false;
    }
    for (TRegValue& existing : values) {
        if (SameName(existing.Name, value.Name)) {
            existing.Type = value.Type;
            existing.Data = std::move(value.Data);
            return true;
        }
    }
    values.push_back(std::move(value));
    return true;
}

bool ValidKeyComponent(std::string_view component)
{
    if (component.empty() || component == "." || component == "..")
        return false;
    for (const char c : component) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

}  // namespace

std::string TRegStore::KeyFile(HKEY rootKey, const std::string& subKey)
{
    if (rootKey != HKEY_LOCAL_MACHINE && rootKey != HKEY_CURRENT_USER)
        return {};
    std::vector<std::string_view> components;
    std::string_view rest = subKey;
    for (;;) {
        const size_t backslash = rest.find('\\');
        components.push_back(rest.substr(0, backslash));
        if (backslash == std::string_view::npos)
            break;
        rest.remove_prefix(backslash + 1);
    }
    if (components.size() > 1 && UpperCaseAnsi(components.front()) == "SOFTWARE")
        components.erase(components.begin());
    std::string file = ConfigHome();
    for (const std::string_view component : components) {
        if (!ValidKeyComponent(component))
            return {};
        file += '/';
        file += component;
    }
    return file + ".conf";
}

std::string TRegStore::EncodeDword(std::uint32_t value)
{
    std::string data;
    for (int shift = 0; shift < 32; shift += 8)
        data += static_cast<char>((value >> shift) & 0xFF);
    return data;
}

std::uint32_t TRegStore::DecodeDword(std::string_view data)
{
    std::uint32_t value = 0;
    for (size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(data.at(i));
    return value;
}

std::string TRegStore::Format(const std::vector<TRegValue>& values)
{
    std::string text(kHeader);
    for (const TRegValue& value : values) {
        text += Escape(value.Name, true);
        text += '=';
        if (value.Type == REG_DWORD && value.Data.size() == 4) {
            text += kIntegerPrefix;
            text += FormatInteger(DecodeDword(value.Data));
        } else {
            text += kTextPrefix;
            text += Escape(value.Data, false);
        }
        text += '\n';
    }
    return text;
}

bool TRegStore::Parse(std::string_view text, std::vector<TRegValue>& values, std::vector<std::string>* skipped)
{
    values.clear();
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    for (int number = 1; !text.empty(); ++number) {
        const size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        if (!ParseLine(line, values)) {
            if (!skipped)
                return false;
            skipped->push_back("Zeile " + std::to_string(number) + ": " + std::string(Trim(line)));
        }
        if (newline == std::string_view::npos)
            break;
        text.remove_prefix(newline + 1);
    }
    return true;
}

long TRegStore::Open(bool create)
{
    std::string text;
    const int error = ReadWholeFile(FFile, text);
    if (error == ENOENT && create)
        return Replace();
    if (error != 0)
        return ErrorCode(error, ERROR_CANTREAD);
    // One damaged line costs that line, not every value the file holds. A file without a
    // single readable value is no settings file at all (another program's, or junk): it is
    // left alone as a whole, and kept beside the store if it is ever replaced.
    std::vector<TRegValue> values;
    std::vector<std::string> skipped;
    Parse(text, values, &skipped);
    if (values.empty() && !skipped.empty()) {
        FDamagedText = std::move(text);
        return ERROR_BADDB;
    }
    FValues = std::move(values);
    FSkippedLines = std::move(skipped);
    FDamagedText = FSkippedLines.empty() ? std::string() : std::move(text);
    return ERROR_SUCCESS;
}

long TRegStore::KeepDamagedFile()
{
    if (FDamagedText.empty())
        return ERROR_SUCCESS;
    const long result = ErrorCode(WriteWholeFileAtomically(FFile + ".bak", FDamagedText), ERROR_CANTWRITE);
    if (result == ERROR_SUCCESS)
        FDamagedText.clear();
    return result;
}

long TRegStore::Replace()
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(FFile).parent_path(), ec);
    if (ec)
        return ErrorCode(ec.value(), ERROR_CANTWRITE);
    if (const long kept = KeepDamagedFile(); kept != ERROR_SUCCESS)
        return kept;
    const long result = ErrorCode(WriteWholeFileAtomically(FFile, Format({})), ERROR_CANTWRITE);
    if (result == ERROR_SUCCESS)
        FValues.clear();
    return result;
}

const TRegValue* TRegStore::Find(std::string_view name) const
{
    for (const TRegValue& value : FValues) {
        if (SameName(value.Name, name))
            return &value;
    }
    return nullptr;
}

long TRegStore::Set(TRegValue value)
{
    std::vector<TRegValue> values = FValues;
    bool replaced = false;
    for (TRegValue& existing : values) {
        if (SameName(existing.Name, value.Name)) {
            existing.Type = value.Type;
            existing.Data = value.Data;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        values.push_back(std::move(value));
    if (const long kept = KeepDamagedFile(); kept != ERROR_SUCCESS)
        return kept;
    const long result = ErrorCode(WriteWholeFileAtomically(FFile, Format(values)), ERROR_CANTWRITE);
    if (result == ERROR_SUCCESS)
        FValues = std::move(values);
    return result;
}

long TRegStore::Remove()
{
    std::error_code ec;
    const std::filesystem::path subKeys = std::filesystem::path(FFile).replace_extension();
    if (std::filesystem::is_directory(subKeys, ec) && !std::filesystem::is_empty(subKeys, ec))
        return ERROR_ACCESS_DENIED;
    return ::unlink(FFile.c_str()) == 0 ? ERROR_SUCCESS : ErrorCode(errno, ERROR_CANTWRITE);
}

}  // namespace lumarc
