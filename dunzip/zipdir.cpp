// zipdir ARCHIVE DIR: packs the files below DIR into a new ZIP archive, names relative to DIR,
// in name order so that the same tree always gives the same member order. The archive appears
// whole or not at all.

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: zipdir ARCHIV VERZEICHNIS\n");
        return 2;
    }
    const fs::path archive = argv[1];
    const fs::path root = argv[2];
    std::vector<fs::path> entries;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        entries.push_back(it->path());
    if (ec) {
        std::fprintf(stderr, "zipdir: %s: %s\n", root.c_str(), ec.message().c_str());
        return 1;
    }
    std::sort(entries.begin(), entries.end());

    const fs::path temp = archive.string() + ".tmp";
    fs::remove(temp, ec);
    int error = 0;
    zip_t* zip = zip_open(temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) {
        std::fprintf(stderr, "zipdir: %s kann nicht angelegt werden\n", temp.c_str());
        return 1;
    }
    for (const fs::path& path : entries) {
        const std::string name = fs::relative(path, root).generic_string();
        zip_int64_t index = -1;
        if (fs::is_directory(path)) {
            index = zip_dir_add(zip, name.c_str(), ZIP_FL_ENC_UTF_8);
        } else {
            zip_source_t* source = zip_source_file(zip, path.c_str(), 0, -1);
            if (source) {
                index = zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
                if (index < 0)
                    zip_source_free(source);
            }
        }
        if (index < 0) {
            std::fprintf(stderr, "zipdir: %s: %s\n", path.c_str(), zip_strerror(zip));
            zip_discard(zip);
            return 1;
        }
    }
    if (zip_close(zip) != 0) {
        std::fprintf(stderr, "zipdir: %s: %s\n", temp.c_str(), zip_strerror(zip));
        zip_discard(zip);
        return 1;
    }
    fs::rename(temp, archive, ec);
    if (ec) {
        std::fprintf(stderr, "zipdir: %s: %s\n", archive.c_str(), ec.message().c_str());
        return 1;
    }
    return 0;
}
