#include "RegKey.h"

namespace lumarc {

void TRegKey::Create(HKEY rootKey, const std::string& subKey)
{
    Open(rootKey, subKey, false);
}

void TRegKey::CreateAnew(HKEY rootKey, const std::string& subKey)
{
    Open(rootKey, subKey, true);
}

void TRegKey::Open(HKEY rootKey, const std::string& subKey, bool replaceUnreadable)
{
    FStore.reset();
    Key.clear();
    RootKey = rootKey;
    SubKey = subKey;
    const std::string file = TRegStore::KeyFile(rootKey, subKey);
    if (file.empty()) {
        LastError = ERROR_BADKEY;
        return;
    }
    auto store = std::make_unique<TRegStore>(file);
    LastError = store->Open(true);
    if (replaceUnreadable && (LastError == ERROR_BADDB || LastError == ERROR_CANTREAD))
        LastError = store->Replace();
    if (LastError == ERROR_SUCCESS) {
        FStore = std::move(store);
        Key = file;
    }
}

void TRegKey::Close()
{
    if (!FStore) {
        LastError = ERROR_INVALID_HANDLE;
        throw ERegKey(SRegKeyClose);
    }
    FStore.reset();
    Key.clear();
    LastError = ERROR_SUCCESS;
}

void TRegKey::DeleteKey()
{
    const std::string file = Key;
    Close();
    TRegStore store(file);
    LastError = store.Remove();
    if (LastError != ERROR_SUCCESS)
        throw ERegKey(SRegKeyDelete);
}

const TRegValue* TRegKey::FindValue(const std::string& name)
{
    if (!FStore) {
        LastError = ERROR_INVALID_HANDLE;
        throw ERegKey(SRegStringRead);
    }
    const TRegValue* value = FStore->Find(name);
    LastError = value ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    return value;
}

void TRegKey::SetValue(TRegValue value)
{
    if (!FStore)
        LastError = ERROR_INVALID_HANDLE;
    else if (value.Name.size() > MaxWriteLength || value.Data.size() > MaxWriteLength)
        LastError = ERROR_INVALID_PARAMETER;
    else
        LastError = FStore->Set(std::move(value));
    if (LastError != ERROR_SUCCESS)
        throw ERegKey(SRegStringWrite);
}

void TRegKey::WriteString(const std::string& name, const std::string& value)
{
    SetValue({name, REG_SZ, value});
}

std::string TRegKey::ReadString(const std::string& name, const std::string& defaultValue, std::size_t maxLen)
{
    const TRegValue* value = FindValue(name);
    if (!value)
        return defaultValue;
    if (value->Data.size() > maxLen) {
        LastError = ERROR_MORE_DATA;
        throw ERegKey(SRegStringRead);
    }
    return value->Data.substr(0, value->Data.find('\0'));
}

std::int32_t TRegKey::ReadInteger(const std::string& name, std::int32_t defaultValue)
{
    const TRegValue* value = FindValue(name);
    if (!value)
        return defaultValue;
    if (value->Data.size() != 4) {
        LastError = value->Data.size() > 4 ? ERROR_MORE_DATA : ERROR_INVALID_DATA;
        throw ERegKey(SRegStringRead);
    }
    return static_cast<std::int32_t>(TRegStore::DecodeDword(value->Data));
}

void TRegKey::WriteInteger(const std::string& name, std::int32_t value)
{
    SetValue({name, REG_DWORD, TRegStore::EncodeDword(static_cast<std::uint32_t>(value))});
}

}  // namespace lumarc
