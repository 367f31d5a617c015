#pragma once
// An open registry key, kept in the file store of platform/RegStore.h. A key lives only
// inside one load or save of the settings.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/RegStore.h"

namespace lumarc {

LUMARC_DECLARE_ERROR(ERegKey, Exception);

inline const char* const SRegKeyClose = "Fehler beim Schließen des RegistryKeys!";
inline const char* const SRegKeyDelete = "Fehler beim Löschen des RegistryKeys!";
inline const char* const SRegStringWrite = "Fehler beim Schreiben des RegistryStrings!";
inline const char* const SRegStringRead = "Fehler beim Lesen des RegistryStrings!";

class TRegKey {
public:
    std::string Key;  // the file of the open key; empty while no key is open
    HKEY RootKey = 0;
    std::string SubKey;
    long LastError = ERROR_SUCCESS;  // of the last call; 2 when a key or value does not exist

    // The longest name or text value WriteString stores.
    static constexpr std::size_t MaxWriteLength = 255;

    TRegKey() = default;
    TRegKey(HKEY rootKey, const std::string& subKey) { Create(rootKey, subKey); }
    // Closes a key still open, quietly: a destructor must not raise. Call Close() to learn
    // whether closing failed.
    ~TRegKey() = default;
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;

    // Opens the key, creating it when it does not exist. Failure is not raised; it is left in
    // LastError (a file that cannot be read stays as it is).
    void Create(HKEY rootKey, const std::string& subKey);
    // Opens the key as Create does, but a key file that cannot be read or is corrupt is
    // replaced by an empty one first: for writers that are about to store every value anyway.
    void CreateAnew(HKEY rootKey, const std::string& subKey);
    // ERegKey "Fehler beim Schließen des RegistryKeys!" when no key is open.
    void Close();
    // Closes the key and deletes it: ERegKey "Fehler beim Schließen des RegistryKeys!" or
    // "Fehler beim Löschen des RegistryKeys!".
    void DeleteKey();

    // Stores a text value. A name or text longer than MaxWriteLength bytes is refused, so
    // that nothing is cut silently: ERegKey "Fehler beim Schreiben des RegistryStrings!", as
    // for every other write failure.
    void WriteString(const std::string& name, const std::string& value);
    // The text stored under `name`, up to its first NUL byte (values may carry a terminating
    // one), whatever the value's type. `defaultValue` when there is no such value; ERegKey
    // "Fehler beim Lesen des RegistryStrings!" when the value holds more than `maxLen` bytes
    // or no key is open.
    std::string ReadString(const std::string& name, const std::string& defaultValue, std::size_t maxLen);
    // The 4-byte integer stored under `name`; `defaultValue` when there is none; ERegKey
    // "Fehler beim Lesen des RegistryStrings!" when the value does not hold exactly 4 bytes.
    std::int32_t ReadInteger(const std::string& name, std::int32_t defaultValue);
    // Stores a 4-byte integer; write failures as for WriteString.
    void WriteInteger(const std::string& name, std::int32_t value);

    // The lines of the open key's file that could not be read and were left out.
    std::vector<std::string> SkippedLines() const { return FStore ? FStore->SkippedLines() : std::vector<std::string>{}; }

private:
    void Open(HKEY rootKey, const std::string& subKey, bool replaceUnreadable);
    const TRegValue* FindValue(const std::string& name);
    void SetValue(TRegValue value);

    std::unique_ptr<TRegStore> FStore;
};

}  // namespace lumarc
