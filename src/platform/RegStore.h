#pragma once
// The store that takes the registry's place: one INI-like file per key below the user's
// configuration directory. The key "SOFTWARE\Brimvale\Lumarc32\2.0" lives in
// $XDG_CONFIG_HOME/Brimvale/Lumarc32/2.0.conf; each line holds one typed value:
//
//     DefaultDestinationPath=sz:c:\\delphi\\component
//     ShowHints=dword:00000001
//
// A text value is any byte string: "\\" stands for a backslash, "\xHH" for any byte, and the
// writer escapes every byte outside printable ASCII, so whatever was written reads back the
// same. Blank lines and lines starting with "#" or ";" are ignored; a line that does not
// follow this form is skipped (a file without one readable value is corrupt as a whole), and
// the file as it was is kept as "<file>.bak" before the store first rewrites it. Value names compare without regard to case, as registry value
// names do. Results are the registry's error codes.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumarc {

using HKEY = std::uintptr_t;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_INVALID_DATA = 13;
inline constexpr long ERROR_INVALID_PARAMETER = 87;
inline constexpr long ERROR_MORE_DATA = 234;
inline constexpr long ERROR_BADDB = 1009;  // the key's file is corrupt
inline constexpr long ERROR_BADKEY = 1010;  // the key's name cannot be stored
inline constexpr long ERROR_CANTREAD = 1012;
inline constexpr long ERROR_CANTWRITE = 1013;

inline constexpr unsigned long REG_SZ = 1;
inline constexpr unsigned long REG_DWORD = 4;

struct TRegValue {
    std::string Name;
    unsigned long Type = REG_SZ;
    std::string Data;  // the value's bytes; a REG_DWORD holds 4, little-endian
};

class TRegStore {
public:
    // The file of a key, or empty when the key cannot be stored: a root other than the two
    // above (both live in the user's configuration directory; a desktop program has no
    // machine-wide store it may write), an empty key, or a component that is empty, "." or
    // "..", or holds "/" or a control character. A leading "SOFTWARE\" is dropped.
    static std::string KeyFile(HKEY rootKey, const std::string& subKey);

    // A REG_DWORD's 4 bytes, little-endian; DecodeDword wants exactly 4.
    static std::string EncodeDword(std::uint32_t value);
    static std::uint32_t DecodeDword(std::string_view data);

    static std::string Format(const std::vector<TRegValue>& values);
    // False when the text has a line of another form, unless `skipped` is given: then such a
    // line is left out and named there ("Zeile 3: text"). A value named twice keeps its first
    // place and spelling and takes its last setting.
    static bool Parse(std::string_view text, std::vector<TRegValue>& values, std::vector<std::string>* skipped = nullptr);

    explicit TRegStore(std::string file) : FFile(std::move(file)) {}

    // Reads the key's file, skipping lines it cannot read. A missing file is
    // ERROR_FILE_NOT_FOUND unless `create` is set; then it is created, with its directories,
    // holding no values.
    long Open(bool create);
    // Makes the key's file hold no values, creating it and its directories as needed; whatever
    // the file held before, readable or not, is gone.
    long Replace();
    const TRegValue* Find(std::string_view name) const;
    // Sets a value (a value of the same name is replaced in its place) and rewrites the file.
    // On failure neither the file nor the values held here change.
    long Set(TRegValue value);
    // Removes the key's file. A key that still has subkeys is not removed (ERROR_ACCESS_DENIED),
    // as the registry refuses to delete such a key.
    long Remove();

    const std::string& File() const { return FFile; }
    const std::vector<TRegValue>& Values() const { return FValues; }
    // The lines Open left out.
    const std::vector<std::string>& SkippedLines() const { return FSkippedLines; }

private:
    // Before the first rewrite of a file with skipped lines: the file as it was, beside it.
    long KeepDamagedFile();

    std::string FFile;
    std::vector<TRegValue> FValues;
    std::vector<std::string> FSkippedLines;
    std::string FDamagedText;
};

}  // namespace lumarc
