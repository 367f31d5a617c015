#pragma once
// Builds ZIP archives for the tests on libzip, hostile ones included: any member name, a link
// member, a member of any content.

#include <sys/stat.h>
#include <zip.h>

#include <stdexcept>
#include <string>
#include <deque>

namespace lumarc::test {

// Bytes that compress poorly, so that a member holding them stays about as large packed.
inline std::string PoorlyPackingBytes(int count)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>((i * 7919) % 251));
    return bytes;
}

class TZipWriter {
public:
    explicit TZipWriter(const std::string& path)
    {
        int error = 0;
        FZip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        if (!FZip)
            throw std::runtime_error("zip_open " + path);
    }
    ~TZipWriter()
    {
        if (FZip)
            zip_discard(FZip);
    }
    TZipWriter(const TZipWriter&) = delete;
    TZipWriter& operator=(const TZipWriter&) = delete;

    TZipWriter& File(const std::string& name, const std::string& content)
    {
        FData.push_back(content);
        zip_source_t* source = zip_source_buffer(FZip, FData.back().data(), FData.back().size(), 0);
        if (!source || zip_file_add(FZip, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0)
            throw std::runtime_error("zip_file_add " + name);
        return *this;
    }
    TZipWriter& Dir(const std::string& name)
    {
        if (zip_dir_add(FZip, name.c_str(), ZIP_FL_ENC_UTF_8) < 0)
            throw std::runtime_error("zip_dir_add " + name);
        return *this;
    }
    // A symbolic link member as Unix zip tools store it: the target as content, S_IFLNK in
    // the external attributes.
    TZipWriter& Link(const std::string& name, const std::string& target)
    {
        File(name, target);
        const zip_int64_t index = zip_name_locate(FZip, name.c_str(), 0);
        zip_file_set_external_attributes(FZip, static_cast<zip_uint64_t>(index), 0, ZIP_OPSYS_UNIX,
                                         static_cast<zip_uint32_t>(S_IFLNK | 0777) << 16);
        return *this;
    }
    void Close()
    {
        if (zip_close(FZip) != 0)
            throw std::runtime_error("zip_close");
        FZip = nullptr;
    }

private:
    zip_t* FZip = nullptr;
    std::deque<std::string> FData;  // stable addresses: libzip reads them at close
};

}  // namespace lumarc::test
